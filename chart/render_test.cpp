#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chart/chart.h"
#include "table/data_table.h"
#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

// Test texts are UTF-8; the table, the options and the lines are code page
// 932 and are converted at the edges of each case.
struct Row {
  std::string label;
  std::string value;
};

// What the data rows after the named ones hold: nothing (a first render),
// or the empty label and "0" that the clear command leaves.
enum class Rest { kEmpty, kCleared };

DataTable MakeTable(const std::vector<Row>& rows, Rest rest) {
  DataTable table;
  if (rest == Rest::kCleared) table.ClearDataRows();
  int r = 1;
  for (const Row& row : rows) {
    table.TableCell(0, r, Utf8ToCp932(row.label));
    table.TableCell(1, r, Utf8ToCp932(row.value));
    ++r;
  }
  return table;
}

TChartOptions InCp932(TChartOptions options) {
  options.Material = Utf8ToCp932(options.Material);
  options.UnitText = Utf8ToCp932(options.UnitText);
  options.ScaleText = Utf8ToCp932(options.ScaleText);
  return options;
}

std::vector<std::string> Render(const DataTable& table,
                                const TChartOptions& options,
                                LastValues& values) {
  std::vector<std::string> lines;
  for (const std::string& line : RenderChart(table, InCp932(options), values)) {
    lines.push_back(Cp932ToUtf8(line));
  }
  return lines;
}

std::string Rep(std::string_view piece, int count) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}
std::string Blanks(int count) { return std::string(count, ' '); }

const std::string kFixedLegend = "（ 等幅フォントでご覧ください ）";
std::string Legend(const std::string& material, const std::string& number) {
  return "（ " + material + " １個は約" + number + "。等幅フォントでご覧ください）";
}

struct ChartCase {
  std::string name;
  std::vector<Row> rows;
  Rest rest;
  TChartOptions options;
  std::vector<std::string> lines;  // the chart lines, legend included
};

class RenderChartDraws : public testing::TestWithParam<ChartCase> {};

TEST_P(RenderChartDraws, TheExpectedLines) {
  const ChartCase& c = GetParam();
  LastValues values{};
  EXPECT_EQ(Render(MakeTable(c.rows, c.rest), c.options, values), c.lines);
}

std::string CaseName(const testing::TestParamInfo<ChartCase>& info) {
  return info.param.name;
}

// Filled bars: measures, automatic and manual scale, labels, numbers.
const std::vector<ChartCase> kFilledCases = {
    {"AutoWithNumbers",
     {{"A", "10"}, {"B", "20"}},
     Rest::kCleared,
     {.Material = "*"},
     {"A|" + Rep("*", 32) + " 10", "B|" + Rep("*", 65) + " 20", "",
      kFixedLegend}},
    {"AutoWithoutNumbersLegendRoundsDown",
     {{"A", "10"}, {"B", "20"}},
     Rest::kCleared,
     {.Material = "*", .WriteNum = false},
     {"A|" + Rep("*", 33), "B|" + Rep("*", 67), "", Legend("*", "0.29")}},
    // Budget 24 over 20: the scale is the double just below 1.2, and both
    // extended products fall just short of 12 and 24.
    {"ScaleJustBelowOnePointTwoDrawsOneShort",
     {{"A", "10"}, {"B", "20"}},
     Rest::kCleared,
     {.Material = "*", .WriteUnit = true, .Width = 30},
     {"A|" + Rep("*", 11) + " 10%", "B|" + Rep("*", 23) + " 20%", "",
      kFixedLegend}},
    {"ManualScaleTwo",
     {{"A", "7"}, {"B", "3"}},
     Rest::kCleared,
     {.Material = "*", .WriteNum = false, .AutoScale = false,
      .ScaleText = "2"},
     {"A|***", "B|*", "", Legend("*", "2")}},
    {"FullWidthLabelCountsTwoColumns",
     {{"東京", "10"}, {"NY", "20"}},
     Rest::kCleared,
     {.Material = "*"},
     {"東京|" + Rep("*", 31) + " 10", "NY  |" + Rep("*", 62) + " 20", "",
      kFixedLegend}},
    {"NegativeValuesManual",
     {{"A", "4"}, {"B", "-3"}, {"C", "-5"}, {"D", "2"}},
     Rest::kEmpty,
     {.Material = "*", .AutoScale = false},
     {"A|     |**** 4", "B|  ***| -3", "C|*****| -5", "D|     |** 2", "",
      kFixedLegend}},
    {"NegativeValuesAuto",
     {{"A", "4"}, {"B", "-3"}, {"C", "-5"}, {"D", "2"}},
     Rest::kEmpty,
     {.Material = "*", .Width = 40},
     {"A|" + Blanks(19) + "|" + Rep("*", 15) + " 4",
      "B|" + Blanks(8) + Rep("*", 11) + "| -3", "C|" + Rep("*", 19) + "| -5",
      "D|" + Blanks(19) + "|" + Rep("*", 7) + " 2", "", kFixedLegend}},
    {"ZeroAndSmallProductGiveNoBar",
     {{"A", "4"}, {"B", "0"}, {"C", "0.1"}, {"D", "-2"}},
     Rest::kEmpty,
     {.Material = "*", .AutoScale = false},
     {"A|  |**** 4", "B|  | 0", "C|  | 0.1", "D|**| -2", "", kFixedLegend}},
    {"MaterialOfTwoCharacters",
     {{"A", "4"}, {"B", "2"}},
     Rest::kEmpty,
     {.Material = "ab", .AutoScale = false},
     {"A|abababab 4", "B|abab 2", "", kFixedLegend}},
    {"EmptyMaterialWithoutNumbers",
     {{"A", "4"}, {"B", "2"}},
     Rest::kEmpty,
     {.Material = "", .WriteNum = false, .AutoScale = false},
     {"A|", "B|", "", Legend("", "1")}},
    {"NegativeBudgetDrawsOnlyTheAxis",
     {{"LongLabel", "4"}, {"B", "-2"}},
     Rest::kEmpty,
     {.Material = "*", .Width = 10},
     {"LongLabel|| 4", "B        || -2", "", kFixedLegend}},
    {"NegativeManualScale",
     {{"A", "5"}, {"B", "-5"}},
     Rest::kEmpty,
     {.Material = "*", .AutoScale = false, .ScaleText = "-1"},
     {"A|| 5", "B|| -5", "", kFixedLegend}},
    {"NegativeBarOffMinimumMovesItsAxis",
     {{"A", "-2.3"}, {"B", "-2.7"}, {"C", "1"}},
     Rest::kEmpty,
     {.Material = "*", .AutoScale = false},
     {"A| **| -2.3", "B|**| -2.7", "C|  |* 1", "", kFixedLegend}},
    {"ValueTextWrittenAsTyped",
     {{"A", " 5"}, {"B", "+5"}, {"C", "5.0"}},
     Rest::kEmpty,
     {.Material = "*", .UnitText = "個", .WriteUnit = true,
      .AutoScale = false},
     {"A|*****  5個", "B|***** +5個", "C|***** 5.0個", "", kFixedLegend}},
    {"UnitNeedsNumbers",
     {{"A", "3"}},
     Rest::kEmpty,
     {.Material = "*", .WriteNum = false, .WriteUnit = true,
      .AutoScale = false},
     {"A|***", "", Legend("*", "1")}},
    {"RowsWithoutLabelOrValueGiveNoLine",
     {{"", "100"}, {"B", ""}, {"C", "50"}},
     Rest::kEmpty,
     {.Material = "*", .Width = 25},
     {"C|" + Rep("*", 9) + " 50", "", kFixedLegend}},
    {"ZeroScaleWithNumbers",
     {{"A", "10"}, {"B", "20"}},
     Rest::kEmpty,
     {.Material = "*", .Width = 5},
     {"A| 10", "B| 20", "", kFixedLegend}},
    {"ManualScaleUnderflowsToZero",
     {{"A", "10"}},
     Rest::kEmpty,
     {.Material = "*", .AutoScale = false, .ScaleText = "1e400"},
     {"A| 10", "", kFixedLegend}},
};

INSTANTIATE_TEST_SUITE_P(Filled, RenderChartDraws,
                         testing::ValuesIn(kFilledCases), CaseName);

// Outline boxes: the material "_" exactly.
const std::vector<ChartCase> kOutlineCases = {
    {"TopEdgesOfLongerNextBars",
     {{"A", "10"}, {"B", "20"}, {"C", "15"}},
     Rest::kEmpty,
     {.Width = 30},
     {"  " + Rep("_", 12), "A|" + Rep("_", 12) + "|" + Rep("_", 12) + " 10",
      "B|" + Rep("_", 25) + "| 20", "C|" + Rep("_", 18) + "| 15", "",
      kFixedLegend}},
    {"TopEdgeLineAsLongAsRowOne",
     {{"A", "20"}, {"B", "10"}, {"C", "15"}},
     Rest::kEmpty,
     {.Width = 30},
     {"  " + Rep("_", 25), "A|" + Rep("_", 25) + "| 20",
      "B|" + Rep("_", 12) + "|" + Rep("_", 5) + " 10",
      "C|" + Rep("_", 18) + "| 15", "", kFixedLegend}},
    {"NegativeBoxesManual",
     {{"A", "4"}, {"B", "-3"}, {"C", "-5"}, {"D", "2"}},
     Rest::kEmpty,
     {.AutoScale = false},
     {"        ____", "A|  ___|____| 4", "B|_|___| -3", "C|_____|__ -5",
      "D|     |__| 2", "", kFixedLegend}},
    {"NegativeBoxesAuto",
     {{"A", "4"}, {"B", "-3"}, {"C", "-5"}, {"D", "2"}},
     Rest::kEmpty,
     {.Width = 40},
     {Blanks(22) + Rep("_", 15),
      "A|" + Blanks(8) + Rep("_", 11) + "|" + Rep("_", 15) + "| 4",
      "B|" + Rep("_", 7) + "|" + Rep("_", 11) + "| -3",
      "C|" + Rep("_", 19) + "|" + Rep("_", 7) + " -5",
      "D|" + Blanks(19) + "|" + Rep("_", 7) + "| 2", "", kFixedLegend}},
    {"NegativeFirstRow",
     {{"A", "-3"}, {"B", "4"}, {"C", "-5"}, {"D", "2"}},
     Rest::kEmpty,
     {.AutoScale = false},
     {"    ___", "A| |___|____ -3", "B|_____|____| 4", "C|_____|__ -5",
      "D|     |__| 2", "", kFixedLegend}},
    {"ZeroValueEndsInUnderscore",
     {{"A", "3"}, {"B", "0"}, {"C", "2"}},
     Rest::kEmpty,
     {.AutoScale = false},
     {"  ___", "A|___| 3", "B|__ 0", "C|__| 2", "", kFixedLegend}},
    {"NoTopEdgeWhenRowOneIsNotDrawn",
     {{"", "5"}, {"B", "3"}, {"C", "4"}},
     Rest::kEmpty,
     {.AutoScale = false},
     {"B|___| 3", "C|____| 4", "", kFixedLegend}},
    // -0 is drawn as a value of 0 or more.
    {"NegativeZeroIsNotNegative",
     {{"A", "-0"}, {"B", "-2"}},
     Rest::kEmpty,
     {.AutoScale = false},
     {Blanks(5), "A|__|_ -0", "B|__| -2", "", kFixedLegend}},
    // The scale is the double just below 1.2. Rounded to a double before
    // being rounded down, 20 times it is 24: row A's top edge for row B
    // ends in the column of B's "|", though B's bar is one short.
    {"RoundedProductClosesTheTopEdge",
     {{"A", "11"}, {"B", "20"}},
     Rest::kEmpty,
     {.WriteUnit = true, .Width = 30},
     {"  " + Rep("_", 13), "A|" + Rep("_", 13) + "|" + Rep("_", 10) + " 11%",
      "B|" + Rep("_", 23) + "| 20%", "", kFixedLegend}},
    // The same scale on negative boxes: -20 times it is -24 once rounded
    // to a double, so the rounded-up products count one column more.
    {"RoundedProductsOfNegativeBoxes",
     {{"A", "-11"}, {"B", "-20"}},
     Rest::kEmpty,
     {.WriteUnit = true, .Width = 31},
     {Blanks(13) + Rep("_", 13),
      "A| " + Rep("_", 9) + "|" + Rep("_", 13) + "| -11%",
      "B|" + Rep("_", 23) + "| -20%", "", kFixedLegend}},
    // Row A's room: -20 times the scale, formed in extended, is -24 + 2^-50;
    // less the whole -48 it is 24 + 2^-50, which rounds to the double 24
    // before it is rounded up: 24 blanks, not 25.
    {"RoundedInnerTermOfNegativeBoxes",
     {{"A", "-11"}, {"B", "-20"}, {"C", "-40"}},
     Rest::kEmpty,
     {.AutoScale = false, .ScaleText = "0.8333333333333333333333"},
     {Blanks(37) + Rep("_", 13),
      "A|" + Blanks(24) + Rep("_", 9) + "|" + Rep("_", 13) + "| -11",
      "B| " + Rep("_", 23) + "|" + Rep("_", 23) + "| -20",
      "C|" + Rep("_", 47) + "| -40", "", kFixedLegend}},
    {"ProductBetweenHalfAndOneClosesAnEmptyBox",
     {{"A", "0.7"}, {"B", "0.3"}},
     Rest::kEmpty,
     {.AutoScale = false},
     {"  ", "A|| 0.7", "B|_ 0.3", "", kFixedLegend}},
    {"DoubledUnderscoreIsAFilledMaterial",
     {{"A", "2"}, {"B", "3"}},
     Rest::kEmpty,
     {.Material = "__", .AutoScale = false},
     {"A|____ 2", "B|______ 3", "", kFixedLegend}},
    {"OutlineLegendWithoutNumbers",
     {{"A", "2"}},
     Rest::kEmpty,
     {.WriteNum = false, .AutoScale = false, .ScaleText = "0.5"},
     {"  ____", "A|____|", "", Legend("_", "0.5")}},
};

INSTANTIATE_TEST_SUITE_P(Outline, RenderChartDraws,
                         testing::ValuesIn(kOutlineCases), CaseName);

// A failed render: its message, and which entries of LastValues it wrote.
struct FailureCase {
  std::string name;
  std::vector<Row> rows;
  Rest rest;
  TChartOptions options;
  std::string message;  // UTF-8
  int rows_written;     // entries 1..rows_written hold their new values
};

class RenderChartFails : public testing::TestWithParam<FailureCase> {};

constexpr double kEarlier = 7;  // what an earlier render left in every entry

TEST_P(RenderChartFails, WithTheMessageAndKeepsLaterEntries) {
  const FailureCase& c = GetParam();
  const DataTable table = MakeTable(c.rows, c.rest);
  LastValues values;
  values.fill(kEarlier);
  values[DataTable::kLastRow + 1] = 0;
  try {
    RenderChart(table, InCp932(c.options), values);
    FAIL() << "the render succeeded";
  } catch (const UserError& error) {
    EXPECT_EQ(Cp932ToUtf8(error.what()), c.message);
  }
  for (int r = 1; r <= DataTable::kLastRow; ++r) {
    const std::string& text = table.TableCell(1, r);
    const double expected = r <= c.rows_written && !text.empty()
                                ? static_cast<double>(TextToNumber(text))
                                : kEarlier;
    EXPECT_EQ(values[r], expected) << "entry " << r;
  }
  EXPECT_EQ(values[DataTable::kLastRow + 1], 0);
}

std::string FailureName(const testing::TestParamInfo<FailureCase>& info) {
  return info.param.name;
}

const std::string kZeroDivide = "0 による浮動小数点数除算";
const std::string kOverflow = "浮動小数点数のオーバーフロー";
std::string NotANumber(const std::string& text) {
  return "'" + text + "' は浮動小数点数ではありません";
}
std::string RowTooLong(int row) {
  return std::to_string(row) +
         " 行目のグラフの行が長すぎます（1 行は 10000 バイトまで）";
}
const std::string kLegendTooLong =
    "凡例の行が長すぎます（1 行は 10000 バイトまで）";
const std::string kMegabyte(1'000'000, 'x');

const std::vector<FailureCase> kConversionFailures = {
    {"CommaInRowThree",
     {{"A", "10"}, {"B", "20"}, {"C", "1,5"}},
     Rest::kCleared, {}, NotANumber("1,5"), 2},
    {"FullWidthDigitsInRowOne",
     {{"A", "１５"}, {"B", "20"}},
     Rest::kCleared, {}, NotANumber("１５"), 0},
    {"RowWithoutLabelStillConverted",
     {{"A", "10"}, {"", "x"}},
     Rest::kCleared, {}, NotANumber("x"), 1},
    {"ValueBeyondDouble",
     {{"A", "10"}, {"B", "1e400"}, {"C", "5"}},
     Rest::kCleared, {}, kOverflow, 1},
    {"NegativeValueBeyondDouble",
     {{"A", "-1e309"}},
     Rest::kCleared, {}, kOverflow, 0},
    {"ValueBeyondExtended",
     {{"A", "10"}, {"B", "1e4999"}},
     Rest::kCleared, {}, NotANumber("1e4999"), 1},
    {"ExponentDigitsPastTheCap",
     {{"A", "1e5000"}},
     Rest::kCleared, {}, NotANumber("1e5000"), 0},
};

const std::vector<FailureCase> kScaleFailures = {
    {"AllZeroAutomatic",
     {{"A", "0.0"}},
     Rest::kCleared, {.Material = "*"}, kZeroDivide, 50},
    {"AllZeroAutomaticBudgetZero",
     {{"A", "0.0"}},
     Rest::kCleared, {.Material = "*", .Width = 6},
     "不正な浮動小数点数演算命令", 50},
    {"ManualScaleEmpty",
     {{"A", "10"}},
     Rest::kCleared, {.AutoScale = false, .ScaleText = ""}, NotANumber(""),
     50},
    {"ManualScaleNotANumber",
     {{"A", "10"}},
     Rest::kCleared, {.AutoScale = false, .ScaleText = "1 0"},
     NotANumber("1 0"), 50},
    {"ManualScaleZero",
     {{"A", "10"}},
     Rest::kCleared, {.AutoScale = false, .ScaleText = "0"}, kZeroDivide, 50},
    {"ManualScaleNegativeZero",
     {{"A", "10"}},
     Rest::kCleared, {.AutoScale = false, .ScaleText = "-0.e7"}, kZeroDivide,
     50},
    {"ManualScaleLoneSeparator",
     {{"A", "10"}},
     Rest::kCleared, {.AutoScale = false, .ScaleText = "."}, kZeroDivide, 50},
    {"ManualScaleReciprocalBeyondDouble",
     {{"A", "10"}},
     Rest::kCleared, {.AutoScale = false, .ScaleText = "1e-400"}, kOverflow,
     50},
    {"AutoScaleBeyondDouble",
     {{"A", "1e-320"}},
     Rest::kCleared, {}, kOverflow, 50},
    {"ZeroScaleHasNoLegendNumber",
     {{"A", "10"}, {"B", "20"}},
     Rest::kCleared, {.Material = "*", .WriteNum = false, .Width = 3},
     kZeroDivide, 50},
    {"UnderflowedScaleHasNoLegendNumber",
     {{"A", "10"}},
     Rest::kCleared,
     {.WriteNum = false, .AutoScale = false, .ScaleText = "1e400"},
     kZeroDivide, 50},
    {"LegendNumberBeyondDouble",
     {{"A", "10"}},
     Rest::kCleared,
     {.WriteNum = false, .AutoScale = false, .ScaleText = "1e310"}, kOverflow,
     50},
};

const std::vector<FailureCase> kLengthFailures = {
    {"TinyManualScaleHugeBar",
     {{"A", "1000000"}},
     Rest::kCleared,
     {.Material = "*", .AutoScale = false, .ScaleText = "0.000001"},
     RowTooLong(1), 50},
    {"TinyManualScaleOutline",
     {{"A", "1000000"}},
     Rest::kCleared, {.AutoScale = false, .ScaleText = "0.000001"},
     RowTooLong(1), 50},
    {"OneLineOverTheLimit",
     {{"A", "1"}, {"B", "9999"}},
     Rest::kCleared,
     {.Material = "*", .WriteNum = false, .AutoScale = false},
     RowTooLong(2), 50},
    {"MegabyteLabelOfAnUndrawnRow",
     {{"A", "10"}, {"B", "20"}, {kMegabyte, ""}},
     Rest::kCleared, {}, RowTooLong(1), 50},
    {"MegabyteMaterial",
     {{"A", "10"}},
     Rest::kCleared, {.Material = kMegabyte}, RowTooLong(1), 50},
    {"MegabyteValueText",
     {{"A", "1." + std::string(1'000'000, '0')}},
     Rest::kCleared, {}, RowTooLong(1), 50},
    {"MegabyteUnit",
     {{"A", "10"}},
     Rest::kCleared, {.UnitText = kMegabyte, .WriteUnit = true},
     RowTooLong(1), 50},
    {"MegabyteMaterialInTheLegend",
     {{"A", "0.1"}},
     Rest::kEmpty,
     {.Material = kMegabyte, .WriteNum = false, .AutoScale = false},
     kLegendTooLong, 50},
    {"ProductsFarBeyondDouble",
     {{"A", "1e308"}, {"B", "-1e308"}},
     Rest::kCleared,
     {.Material = "*", .AutoScale = false, .ScaleText = "1e-300"},
     RowTooLong(1), 50},
    // Both rounded products overflow a double: their difference is huge,
    // not infinity minus infinity.
    {"OverflowingProductsInTheRoom",
     {{"A", "-1e308"}, {"B", "-1e307"}},
     Rest::kCleared,
     {.Material = "", .AutoScale = false, .ScaleText = "1e-10"},
     RowTooLong(2), 50},
    {"OverflowingProductsInOutlineTopEdges",
     {{"A", "1e308"}, {"B", "-1e308"}, {"C", "-1e307"}},
     Rest::kCleared, {.AutoScale = false, .ScaleText = "1e-10"},
     RowTooLong(1), 50},
};

INSTANTIATE_TEST_SUITE_P(Conversion, RenderChartFails,
                         testing::ValuesIn(kConversionFailures), FailureName);
INSTANTIATE_TEST_SUITE_P(Scale, RenderChartFails,
                         testing::ValuesIn(kScaleFailures), FailureName);
INSTANTIATE_TEST_SUITE_P(LineLength, RenderChartFails,
                         testing::ValuesIn(kLengthFailures), FailureName);

TEST(RenderChart, LineOfExactlyTheLimitIsDrawn) {
  const DataTable table = MakeTable({{"A", "9998"}}, Rest::kEmpty);
  LastValues values{};
  const auto lines = Render(
      table, {.Material = "*", .WriteNum = false, .AutoScale = false}, values);
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[0].size(), static_cast<std::size_t>(kMaxLineBytes));
}

TEST(RenderChart, HugeCountsOfAnEmptyMaterialCostNothing) {
  const DataTable table = MakeTable({{"A", "-1e308"}}, Rest::kEmpty);
  LastValues values{};
  EXPECT_EQ(Render(table,
                   {.Material = "", .AutoScale = false, .ScaleText = "1e-10"},
                   values),
            (std::vector<std::string>{"A|| -1e308", "", kFixedLegend}));
}

TEST(RenderChart, ValueInRowFiftyIsConvertedAndDrawn) {
  DataTable table = MakeTable({{"A", "2"}}, Rest::kCleared);
  table.TableCell(0, 49, "Y");
  table.TableCell(1, 49, "3");
  table.TableCell(0, 50, "Z");
  table.TableCell(1, 50, "6");
  LastValues values{};
  const auto lines = Render(table, {.AutoScale = false}, values);
  // Row 49 carries row 50's top edge; row 50's next value is always 0.
  EXPECT_EQ(lines, (std::vector<std::string>{"  __", "A|__| 2", "Y|___|__ 3",
                                             "Z|______| 6", "", kFixedLegend}));
  EXPECT_EQ(values[50], 6);
  EXPECT_EQ(values[51], 0);
}

TEST(RenderChart, BadValueInRowFiftyFailsAfterTheOtherRows) {
  DataTable table = MakeTable({{"A", "2"}}, Rest::kCleared);
  table.TableCell(1, 50, "1e");
  LastValues values{};
  Render(table, {}, values);
  EXPECT_EQ(values[50], 1);
  table.TableCell(1, 50, "e1");
  EXPECT_THROW(RenderChart(table, {}, values), UserError);
  EXPECT_EQ(values[1], 2);
  EXPECT_EQ(values[50], 1);
}

TEST(RenderChart, EmptiedValueCellKeepsItsEntryForTheScale) {
  DataTable table = MakeTable({{"A", "10"}, {"B", "100"}}, Rest::kCleared);
  LastValues values{};
  const TChartOptions options{.Material = "*"};
  EXPECT_EQ(Render(table, options, values)[0], "A|" + Rep("*", 6) + " 10");
  table.TableCell(1, 2, "");
  // Row B is no longer drawn, yet its 100 still sets the scale: 65 / 100.
  EXPECT_EQ(Render(table, options, values),
            (std::vector<std::string>{"A|" + Rep("*", 6) + " 10", "",
                                      kFixedLegend}));
  EXPECT_EQ(values[2], 100);
}

TEST(RenderChart, ClearedTableIsDeclined) {
  DataTable table = MakeTable({{"A", "10"}}, Rest::kEmpty);
  table.ClearDataRows();
  EXPECT_TRUE(DeclinesToRender(table.TableCell(1, 1)));
}

TEST(ComposeRow, RefusesALineOverTheLimit) {
  const TChartLayout layout{.LabelWidth = 1, .Maximum = 1, .Scale = 1e300};
  const TChartOptions options{.Material = "*"};
  EXPECT_THROW(ComposeRow("A", "1", 1, 0, layout, options), UserError);
  EXPECT_THROW(ComposeTopEdge(1, layout), UserError);
  const TChartLayout small{.LabelWidth = 1, .Maximum = 1, .Scale = 3};
  EXPECT_EQ(ComposeRow("A", "1", 1, 0, small, options), "A|*** 1");
  EXPECT_EQ(ComposeTopEdge(1, small), "  ___");
}

}  // namespace
}  // namespace quillmark
