#include "table/clipboard_import.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

using namespace std::string_literals;
using Rows = std::vector<std::pair<std::string, std::string>>;

std::string Lines(int count, int line_without_separator = 0) {
  std::string text;
  for (int i = 1; i <= count; ++i) {
    text += i == line_without_separator ? "broken" : "L" + std::to_string(i) +
                                                         "," + std::to_string(i);
    text += "\r\n";
  }
  return text;
}

Rows NumberedRows(int count) {
  Rows rows;
  for (int i = 1; i <= count; ++i) {
    rows.emplace_back("L" + std::to_string(i), std::to_string(i));
  }
  return rows;
}

struct PasteCase {
  const char* name;
  std::string pasted;  // code page 932
  Rows rows;           // data rows from row 1 on; the rest are cleared
  bool fails;
};

std::vector<PasteCase> PasteCases() {
  return {
      {"comma lines", "A,10\r\nB,20\r\n", {{"A", "10"}, {"B", "20"}}, false},
      {"spreadsheet copy", "A\t10\r\nB\t20\r\n", {{"A", "10"}, {"B", "20"}}, false},
      {"blanks around", "  A  10\t", {{"A", "10"}}, false},
      {"no final line break", "A,10\r\nB,20", {{"A", "10"}, {"B", "20"}}, false},
      {"lone CR and lone LF", "A,1\rB,2\nC,3", {{"A", "1"}, {"B", "2"}, {"C", "3"}}, false},
      {"space splits a label", "New York,5", {{"New", "York"}}, false},
      {"ideographic space is no blank", Utf8ToCp932("東京　都,5"),
       {{Utf8ToCp932("東京　都"), "5"}}, false},
      {"third field ignored", "A,10,20", {{"A", "10"}}, false},
      {"comma last gives an empty value", "A,", {{"A", ""}}, false},
      {"comma then blank gives no value", "A, ", {{"A", "0"}}, true},
      {"empty label", ",10", {{"", "10"}}, false},
      {"single field", "A", {{"A", "0"}}, true},
      {"empty line in between", "A,1\r\n\r\nB,2", {{"A", "1"}}, true},
      {"empty line at the end", "A,1\r\n\r\n", {{"A", "1"}}, true},
      {"empty text", "", {}, false},
      {"a single line break", "\r\n", {}, true},
      {"a line of blanks", "A,1\n \t ", {{"A", "1"}}, true},
      {"a comma alone", ",", {{"", ""}}, false},
      {"LF CR is two line ends", "A,1\n\rB,2", {{"A", "1"}}, true},
      {"text ends at NUL", "A,1\nB,2\0C,3\n"s,
       {{"A", "1"}, {"B", "2"}}, false},
      {"NUL hides a faulty rest", "A,1\0\n\nbroken"s,
       {{"A", "1"}}, false},
      {"NUL first", "\0A,1"s, {}, false},
      {"50 lines fill row 50", Lines(50), NumberedRows(50), false},
      {"60 lines keep the first 50", Lines(60), NumberedRows(50), false},
      {"faulty 55th of 60 lines", Lines(60, 55), NumberedRows(50), true},
      {"faulty 3rd line keeps rows 1 and 2", Lines(5, 3),
       {{"L1", "1"}, {"L2", "2"}, {"broken", "0"}}, true},
      // Double quotes.
      {"quoted label with a space", "\"New York\",5", {{"New York", "5"}}, false},
      {"doubled quote inside", "\"a\"\"b\",1", {{"a\"b", "1"}}, false},
      {"character after closing quote", "\"a\"b,1", {{"a", "b"}}, false},
      {"unclosed quote takes the line", "\"abc,1", {{"abc,1", "0"}}, true},
      {"empty quoted label", "\"\",7", {{"", "7"}}, false},
      {"quote inside a plain field", "a\"b,1", {{"a\"b", "1"}}, false},
      {"line break inside quotes ends the line", "\"a\r\nb\",1",
       {{"a", "0"}}, true},
  };
}

// Every cell written beforehand, so that each case also shows the clear and
// that the header row is left alone.
DataTable FilledTable() {
  DataTable table;
  for (int row = 0; row <= DataTable::kLastRow; ++row) {
    table.TableCell(0, row, "old label");
    table.TableCell(1, row, "old value");
  }
  return table;
}

void ExpectRows(const DataTable& table, const Rows& rows, const char* name) {
  EXPECT_EQ(table.TableCell(0, 0), "old label") << name;
  EXPECT_EQ(table.TableCell(1, 0), "old value") << name;
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    const bool named = row <= static_cast<int>(rows.size());
    EXPECT_EQ(table.TableCell(0, row), named ? rows[row - 1].first : "")
        << name << ", row " << row;
    EXPECT_EQ(table.TableCell(1, row), named ? rows[row - 1].second : "0")
        << name << ", row " << row;
  }
}

TEST(Paste, FillsRowsAndFailsOnLinesWithFewerThanTwoFields) {
  for (const PasteCase& c : PasteCases()) {
    DataTable table = FilledTable();
    bool failed = false;
    try {
      FillTableFromText(table, c.pasted);
    } catch (const UserError& e) {
      failed = true;
      EXPECT_EQ(e.what(), PasteFailureMessage()) << c.name;
    }
    EXPECT_EQ(failed, c.fails) << c.name;
    ExpectRows(table, c.rows, c.name);
  }
}

TEST(PasteFailureMessage, IsTheJapaneseTextInCodePage932) {
  EXPECT_EQ(PasteFailureMessage(),
            Utf8ToCp932("有効な表データをクリップボードにコピーしてから"
                        "貼り付けてください。"));
}

TEST(SplitLines, CutsAtCrLfLoneCrAndLoneLf) {
  using Views = std::vector<std::string_view>;
  const struct {
    std::string text;
    Views lines;
  } cases[] = {
      {"", {}},
      {"A", {"A"}},
      {"A\r\nB\rC\nD", {"A", "B", "C", "D"}},
      {"A\r\n", {"A"}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"A\n\nB", {"A", "", "B"}},
      {"A\r\rB", {"A", "", "B"}},
      {"A\n\rB", {"A", "", "B"}},
      {"A\r\r\nB", {"A", "", "B"}},
      {"\"a\nb\"", {"\"a", "b\""}},
      {"A\x81\nB", {"A\x81", "B"}},  // a line break is never a second byte
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitLines(c.text), c.lines) << testing::PrintToString(c.text);
  }
}

TEST(SplitFields, CutsAtCommasAndBlanksHonouringQuotes) {
  using Fields = std::vector<std::string>;
  const std::string long_bar = Utf8ToCp932("ー");  // 0x81 0x5B: "[" second
  const std::string hyou = Utf8ToCp932("表");       // 0x95 0x5C: "\" second
  const std::string so = Utf8ToCp932("ソ");         // 0x83 0x5C
  const struct {
    std::string line;
    Fields fields;
  } cases[] = {
      {"", {}},
      {" \t\x01\x1f ", {}},
      {"a b\tc", {"a", "b", "c"}},
      {"a , b", {"a", "b"}},
      {"a,,b", {"a", "", "b"}},
      {",,", {"", "", ""}},
      {"a,", {"a", ""}},
      {"a, ", {"a"}},
      {"a\x7f" "b", {"a\x7f" "b"}},  // DEL is above the blanks
      {"\"a, b\" c", {"a, b", "c"}},
      {"\"a\"\"\"", {"a\""}},
      {"\"\"\"\"", {"\""}},
      {"\"a\"\"", {"a\""}},      // unclosed after a pair
      {"\"\"", {""}},
      {"\"a\",", {"a", ""}},
      {"\"a\"\"b", {"a\"b"}},
      {long_bar + "," + hyou, {long_bar, hyou}},
      {"\"" + so + hyou + "\",1", {so + hyou, "1"}},
      {hyou + "\"" + so, {hyou + "\"" + so}},
      // A stray lead byte takes the next byte along, whatever it is.
      {"\x81,1", {"\x81,1"}},
      {"\"a\x81\",1", {"a\x81\",1"}},
      {"a,1\x81", {"a", "1\x81"}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SplitFields(c.line), c.fields) << testing::PrintToString(c.line);
  }
}

TEST(Paste, DoubleByteCharactersSurviveWhole) {
  DataTable table;
  const std::string text =
      Utf8ToCp932("表示,1\r\nソース\t２\r\n\"ーー\",-3\r\n");
  FillTableFromText(table, text);
  EXPECT_EQ(table.TableCell(0, 1), Utf8ToCp932("表示"));
  EXPECT_EQ(table.TableCell(0, 2), Utf8ToCp932("ソース"));
  EXPECT_EQ(table.TableCell(1, 2), Utf8ToCp932("２"));
  EXPECT_EQ(table.TableCell(0, 3), Utf8ToCp932("ーー"));
  EXPECT_EQ(table.TableCell(1, 3), "-3");
}

TEST(Paste, LongLinesAndManyLinesAreReadWhole) {
  DataTable table;
  const std::string label(1 << 20, 'x');
  std::string text = label + ",1\n";
  for (int i = 0; i < 100000; ++i) text += "\"q\"\"\",2\n";
  FillTableFromText(table, text);
  EXPECT_EQ(table.TableCell(0, 1), label);
  EXPECT_EQ(table.TableCell(0, 50), "q\"");
  EXPECT_EQ(table.TableCell(1, 50), "2");
}

}  // namespace
}  // namespace quillmark
