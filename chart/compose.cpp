#include "chart/compose.h"

#include "chart/messages.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

using namespace chart_internal;

// Measures the line `draw` describes, then builds it; a line over
// kMaxLineBytes is refused before it is built.
template <class Draw>
std::string ShortLine(const Draw& draw) {
  LineLength length;
  draw(length);
  if (length.TooLong()) throw UserError(LineTooLongMessage());
  LineText line;
  draw(line);
  return line.Take();
}

}  // namespace

std::string ComposeRow(std::string_view label, std::string_view value_text,
                       double value, double next_value,
                       const TChartLayout& layout,
                       const TChartOptions& options) {
  return ShortLine([&](auto& sink) {
    RowLine(sink, label, value_text, value, next_value, layout, options);
  });
}

std::string ComposeTopEdge(double row1_value, const TChartLayout& layout) {
  return ShortLine(
      [&](auto& sink) { TopEdgeLine(sink, row1_value, layout); });
}

}  // namespace quillmark
