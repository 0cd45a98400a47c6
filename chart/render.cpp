// The render pass: measuring the table, choosing the scale, checking every
// line's length, then composing the rows, the empty line and the legend.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "chart/arithmetic.h"
#include "chart/chart.h"
#include "chart/compose.h"
#include "chart/messages.h"
#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

using namespace chart_internal;

constexpr int kLabel = 0;
constexpr int kValue = 1;

// An extended result stored as a double: the x87 store that refuses to
// overflow.
double StoredAsDouble(long double x) {
  const double stored = static_cast<double>(x);
  if (std::isinf(stored)) throw UserError(OverflowMessage());
  return stored;
}

long long WidthOf(const std::string& cp932) {
  return static_cast<long long>(TextWidth(cp932));
}

bool IsDrawn(const DataTable& table, int row) {
  return !table.TableCell(kLabel, row).empty() &&
         !table.TableCell(kValue, row).empty();
}

TChartLayout MeasureTable(const DataTable& table, const TChartOptions& options,
                          LastValues& last_values) {
  TChartLayout layout;
  layout.Minimum = 1000000;
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    const std::string& value_text = table.TableCell(kValue, row);
    layout.LabelWidth =
        std::max(layout.LabelWidth, WidthOf(table.TableCell(kLabel, row)));
    if (options.WriteNum) {
      layout.NumberWidth = std::max(layout.NumberWidth, WidthOf(value_text));
    }
    if (!value_text.empty()) {
      last_values[row] = StoredAsDouble(TextToNumber(value_text));
    }
    layout.Maximum = std::max(layout.Maximum, last_values[row]);
    layout.Minimum = std::min(layout.Minimum, last_values[row]);
  }
  if (options.WriteNum && options.WriteUnit) {
    layout.UnitWidth = WidthOf(options.UnitText);
  }
  layout.Budget = options.Width - layout.LabelWidth - layout.NumberWidth - 2 -
                  layout.UnitWidth;
  return layout;
}

void ChooseScale(TChartLayout& layout, const TChartOptions& options) {
  const long double budget = static_cast<long double>(layout.Budget);
  if (!options.AutoScale) {
    const long double units = TextToNumber(options.ScaleText);
    if (units == 0) throw UserError(ZeroDivideMessage());
    layout.Scale = StoredAsDouble(1.0L / units);
  } else if (layout.Minimum < 0) {
    const long double range = static_cast<long double>(layout.Maximum) -
                              static_cast<long double>(layout.Minimum);
    layout.Scale = StoredAsDouble(budget / range);
  } else {
    if (layout.Maximum == 0) {
      throw UserError(budget == 0 ? InvalidOperationMessage()
                                  : ZeroDivideMessage());
    }
    layout.Scale = StoredAsDouble(budget / layout.Maximum);
    layout.Minimum = 0;
  }
}

// The legend's pieces around the material and the number, both ends fixed.
struct LegendText {
  std::string head;     // "（ "
  std::string middle;   // " １個は約"
  std::string tail;     // "。等幅フォントでご覧ください）"
  std::string fixed;    // the whole legend when numbers are written
};

const LegendText& Legend() {
  static const LegendText legend{
      Utf8ToCp932("（ "), Utf8ToCp932(" １個は約"),
      Utf8ToCp932("。等幅フォントでご覧ください）"),
      Utf8ToCp932("（ 等幅フォントでご覧ください ）")};
  return legend;
}

// N of the legend: what one repetition of the material stands for, cut down
// to two digits. Worked out in the scale step so that a scale of exactly 0
// fails before any line exists.
std::string LegendNumber(const TChartLayout& layout) {
  if (layout.Scale == 0) throw UserError(ZeroDivideMessage());
  const double units = StoredAsDouble(1.0L / layout.Scale);
  return NumberToText(TruncateDigits(units, 2));
}

void CheckLegendLength(const TChartOptions& options,
                       const std::string& number) {
  if (options.WriteNum) return;
  const LegendText& legend = Legend();
  LineLength length;
  for (std::string_view piece :
       {std::string_view(legend.head), std::string_view(options.Material),
        std::string_view(legend.middle), std::string_view(number),
        std::string_view(legend.tail)}) {
    length.Text(piece);
  }
  if (length.TooLong()) throw UserError(LegendTooLongMessage());
}

template <class Sink>
void DrawnRow(Sink& out, const DataTable& table, int row,
              const LastValues& last_values, const TChartLayout& layout,
              const TChartOptions& options) {
  RowLine(out, table.TableCell(kLabel, row), table.TableCell(kValue, row),
          last_values[row], last_values[row + 1], layout, options);
}

bool HasTopEdge(int row, const TChartOptions& options) {
  return row == 1 && IsOutline(options.Material);
}

// Refuses the render when any line it would draw is over kMaxLineBytes.
void CheckRowLengths(const DataTable& table, const LastValues& last_values,
                     const TChartLayout& layout, const TChartOptions& options) {
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    if (!IsDrawn(table, row)) continue;
    LineLength top_edge;
    if (HasTopEdge(row, options)) {
      TopEdgeLine(top_edge, last_values[row], layout);
    }
    LineLength line;
    DrawnRow(line, table, row, last_values, layout, options);
    if (top_edge.TooLong() || line.TooLong()) {
      throw UserError(RowTooLongMessage(row));
    }
  }
}

std::vector<std::string> ComposeLines(const DataTable& table,
                                      const LastValues& last_values,
                                      const TChartLayout& layout,
                                      const TChartOptions& options,
                                      const std::string& legend_number) {
  std::vector<std::string> lines;
  lines.reserve(DataTable::kLastRow + 3);
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    if (!IsDrawn(table, row)) continue;
    if (HasTopEdge(row, options)) {
      LineText top_edge;
      TopEdgeLine(top_edge, last_values[row], layout);
      lines.push_back(top_edge.Take());
    }
    LineText line;
    DrawnRow(line, table, row, last_values, layout, options);
    lines.push_back(line.Take());
  }
  lines.emplace_back();
  const LegendText& legend = Legend();
  lines.push_back(options.WriteNum ? legend.fixed
                                   : legend.head + options.Material +
                                         legend.middle + legend_number +
                                         legend.tail);
  return lines;
}

}  // namespace

bool DeclinesToRender(std::string_view row1_value) {
  return row1_value == "0" || row1_value == "0." || row1_value == ".";
}

std::vector<std::string> RenderChart(const DataTable& table,
                                     const TChartOptions& options,
                                     LastValues& last_values) {
  TChartLayout layout = MeasureTable(table, options, last_values);
  ChooseScale(layout, options);
  const std::string legend_number =
      options.WriteNum ? std::string() : LegendNumber(layout);
  CheckRowLengths(table, last_values, layout, options);
  CheckLegendLength(options, legend_number);
  return ComposeLines(table, last_values, layout, options, legend_number);
}

}  // namespace quillmark
