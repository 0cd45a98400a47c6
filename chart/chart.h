// The chart renderer: turns the data table and the chart options into the
// lines of a horizontal bar chart made of text.
//
// No user interface: it neither shows anything nor touches a timer or a
// widget. Failures are thrown as UserError with the message for the user.
// All texts are code page 932.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "table/data_table.h"

namespace quillmark {

// What the renderer needs of the option controls.
struct TChartOptions {
  std::string Material = "_";  // text one bar repetition is made of
  std::string UnitText = "%";  // written after a number
  bool WriteNum = true;        // write each row's number after its bar
  bool WriteUnit = false;      // also write the unit (only with WriteNum)
  bool AutoScale = true;       // fit Width; false: manual scale
  int Width = 70;              // target line width in half-width columns
  std::string ScaleText = "1"; // manual scale: value units per repetition
};

// The measures and scale of one render.
struct TChartLayout {
  long long LabelWidth = 0;
  long long NumberWidth = 0;
  long long UnitWidth = 0;
  long long Budget = 0;
  double Maximum = 0;
  double Minimum = 0;
  double Scale = 0;
};

// The values the last renders converted: entry r (1..50) is data row r's,
// entry 51 is always 0 (what row 50 sees as its next value), entry 0 unused.
// All 0 at start; only RenderChart writes them.
using LastValues = std::array<double, DataTable::kLastRow + 2>;

// No chart line is ever longer than this many bytes; a render that would
// draw a longer one fails before composing anything.
constexpr long long kMaxLineBytes = 10000;

// Renders the chart: the rows, an empty line and the legend. Updates
// `last_values` row by row in the measuring pass; entries written before a
// failure stay written.
std::vector<std::string> RenderChart(const DataTable& table,
                                     const TChartOptions& options,
                                     LastValues& last_values);

// True when the value text of data row 1 holds the renderer back: exactly
// "0", "0." or ".".
bool DeclinesToRender(std::string_view row1_value);

// Text to number: optional blanks, sign, digits with "." as the decimal
// separator, optional exponent (read while below 500), optional blanks.
// Throws UserError "'%s' は浮動小数点数ではありません" for anything else or a
// number beyond the extended range.
long double TextToNumber(std::string_view text);

// Number to text in the general format with up to 15 significant digits
// ("0.29", "5E-5", "1.2E17").
std::string NumberToText(double value);

// x cut down to d significant digits, rounded toward negative infinity.
double TruncateDigits(double x, int d);

// One row's line (filled bars, or outline boxes for the material "_").
// `value` and `next_value` are entries r and r + 1 of LastValues.
std::string ComposeRow(std::string_view label, std::string_view value_text,
                       double value, double next_value,
                       const TChartLayout& layout,
                       const TChartOptions& options);

// The extra line above row 1 in outline mode; `row1_value` is entry 1.
std::string ComposeTopEdge(double row1_value, const TChartLayout& layout);

}  // namespace quillmark
