// The chart renderer: turns the data table and the chart options into the
// lines of a horizontal bar chart made of text.
//
// No user interface: it neither shows anything nor touches a timer or a
// widget. Failures are thrown as UserError with the message for the user.
// All texts are code page 932.
//
// Bar lengths follow x87 extended arithmetic to the last bit: quotients and
// products of doubles are formed in extended precision, and only a product
// that is rounded up or down to a whole number is first rounded to a double.
// A chart line is never longer than kMaxLineBytes, so no input, scale or
// material makes a render hang or swallow memory.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "table/data_table.h"

namespace quillmark {

// What the renderer needs of the option controls.
struct TChartOptions {
  std::string Material = "_";  // text one bar repetition is made of;
                               // exactly "_" draws outline boxes
  std::string UnitText = "%";  // written after a number
  bool WriteNum = true;        // write each row's number after its bar
  bool WriteUnit = false;      // also write the unit (only with WriteNum)
  bool AutoScale = true;       // fit Width; false: manual scale
  int Width = 70;              // target line width in half-width columns
  std::string ScaleText = "1"; // manual scale: value units per repetition
};

// The measures and scale of one render.
struct TChartLayout {
  long long LabelWidth = 0;   // widest label of rows 1..50
  long long NumberWidth = 0;  // widest value text (0 unless WriteNum)
  long long UnitWidth = 0;    // width of UnitText (0 unless WriteNum+WriteUnit)
  long long Budget = 0;       // Width - LabelWidth - NumberWidth - 2 - UnitWidth
  double Maximum = 0;         // largest of 0 and the last values
  double Minimum = 0;         // smallest of 1000000 and the last values;
                              // 0 in automatic mode when not negative
  double Scale = 0;           // material repetitions per value unit
};

// The values the last renders converted: entry r (1..50) is data row r's,
// entry 51 is always 0 (what row 50 sees as its next value), entry 0 unused.
// All 0 at start; only RenderChart writes them.
using LastValues = std::array<double, DataTable::kLastRow + 2>;

// No chart line is ever longer than this many bytes.
constexpr long long kMaxLineBytes = 10000;

// Renders the chart: one line per data row with both a label and a value
// (in outline mode row 1's line is preceded by its top edge), an empty line,
// and the legend. The decimal separator is always ".".
//
// Updates `last_values` row by row while measuring; entries written before a
// failure stay written. Fails only before any line is composed:
// - a value cell or the manual scale that is not a number:
//   "'<text>' は浮動小数点数ではありません";
// - a value beyond double range (its entry is not written), or a scale or a
//   legend number (1 / Scale) beyond double range:
//   "浮動小数点数のオーバーフロー";
// - a manual scale of 0, an automatic scale over a Maximum of 0 with a
//   nonzero Budget, or a Scale of exactly 0 without WriteNum (the legend's
//   1 / Scale does not exist): "0 による浮動小数点数除算";
// - an automatic scale over a Maximum of 0 with a Budget of 0:
//   "不正な浮動小数点数演算命令";
// - a drawn line over kMaxLineBytes, worked out from the scale before any
//   line is built: "<r> 行目のグラフの行が長すぎます（1 行は 10000 バイトまで）"
//   for data row r's line or its top edge, "凡例の行が長すぎます（1 行は
//   10000 バイトまで）" for the legend.
std::vector<std::string> RenderChart(const DataTable& table,
                                     const TChartOptions& options,
                                     LastValues& last_values);

// True when the value text of data row 1 holds the renderer back: exactly
// "0", "0." or "." byte for byte (no blanks trimmed).
bool DeclinesToRender(std::string_view row1_value);

// Text to number, correctly rounded to extended precision: optional blanks
// (0x20), an optional sign, digits with an optional "." and more digits (at
// least a digit or the "."), an optional "E" or "e" with an optional sign
// and digits (none means 0; digits are read only while the exponent is below
// 500, so "1e500" reads and "1e5000" fails), optional blanks. A number too
// small for extended precision reads as 0. Throws UserError
// "'<text>' は浮動小数点数ではありません" for anything else or a number beyond
// the extended range. Linear in the length of the text.
long double TextToNumber(std::string_view text);

// Number to text in the general format with up to 15 significant digits:
// plain for 0.0001 <= |value| < 10^15 after rounding to 15 digits ("0.29",
// "12"), otherwise one digit, the further digits and the exponent ("5E-5",
// "1.2E17"); "-" before a negative number, "." as the separator.
std::string NumberToText(double value);

// x cut down to d significant digits (1 <= d <= 17), rounded toward negative
// infinity: ⌊x × 10^k⌋ / 10^k with k = d - ⌈log10 |x|⌉, the product rounded
// to a double before it is rounded down. 0 and non-finite x come back as is.
double TruncateDigits(double x, int d);

// One row's line (filled bars, or outline boxes for the material "_").
// `value` and `next_value` are entries r and r + 1 of LastValues. No side
// effects; RenderChart only asks for lines it has measured, and a line over
// kMaxLineBytes is refused with UserError
// "グラフの行が長すぎます（1 行は 10000 バイトまで）" instead of being built.
std::string ComposeRow(std::string_view label, std::string_view value_text,
                       double value, double next_value,
                       const TChartLayout& layout,
                       const TChartOptions& options);

// The extra line above row 1 in outline mode; `row1_value` is entry 1.
// Refuses a line over kMaxLineBytes as ComposeRow does.
std::string ComposeTopEdge(double row1_value, const TChartLayout& layout);

}  // namespace quillmark
