// How one chart line is put together, written once for two kinds of sink: one
// that only adds up the line's length (saturating, so it is safe for any
// scale and any value) and one that appends the text. The renderer runs the
// measuring sink over every line before it builds any, so a line that would
// be too long is refused before a byte of it is allocated, and the measure
// can never disagree with the text. Private to chart/.
#pragma once

#include <string>
#include <string_view>

#include "chart/arithmetic.h"
#include "chart/chart.h"

namespace quillmark::chart_internal {

// Measures a line without building it. Once the line would pass
// kMaxLineBytes it stays "too long" and stops counting.
class LineLength {
 public:
  void Text(std::string_view text) { Repeat(text, 1); }
  void Blanks(Count count) { Repeat(" ", count); }
  void Repeat(std::string_view piece, Count count) {
    if (too_long_ || piece.empty() || count == 0) return;
    const auto room = static_cast<Count>(kMaxLineBytes - bytes_);
    if (count > room / piece.size()) {
      too_long_ = true;
      return;
    }
    bytes_ += static_cast<long long>(count * piece.size());
  }
  bool TooLong() const { return too_long_; }
  long long Bytes() const { return bytes_; }

 private:
  long long bytes_ = 0;
  bool too_long_ = false;
};

// Builds the line. Only ever given lines that LineLength found short enough.
class LineText {
 public:
  void Text(std::string_view text) { line_.append(text); }
  void Blanks(Count count) { line_.append(count, ' '); }
  void Repeat(std::string_view piece, Count count) {
    if (piece.size() == 1) {
      line_.append(count, piece[0]);
      return;
    }
    if (piece.empty()) return;
    line_.reserve(line_.size() + count * piece.size());
    for (Count i = 0; i < count; ++i) line_.append(piece);
  }
  std::string Take() { return std::move(line_); }

 private:
  std::string line_;
};

inline bool IsOutline(std::string_view material) { return material == "_"; }

// The label, blanks up to LabelWidth, and the "|" every line shares.
template <class Sink>
void LabelField(Sink& out, std::string_view label, const TChartLayout& layout) {
  const long long padding =
      layout.LabelWidth - static_cast<long long>(label.size());
  out.Text(label);
  out.Blanks(padding > 0 ? static_cast<Count>(padding) : 0);
  out.Text("|");
}

// Outline mode, v >= 0 and n < 0: the room left of the axis carries the top
// edge of the next row's negative bar.
template <class Sink>
void NextNegativeTopEdge(Sink& out, double n, const TChartLayout& layout) {
  const double s = layout.Scale;
  out.Blanks(CountBelow(CeilOfProduct(s, n) -
                        CeilOfProduct(s, layout.Minimum) + 1));
  out.Repeat("_", CountUpTo(Product(-n, s)));
}

// Bar of a row with v >= 0 (-0 included), after the label field.
template <class Sink>
void PositiveBar(Sink& out, double v, double n, const TChartLayout& layout,
                 const TChartOptions& options) {
  const double s = layout.Scale;
  const bool outline = IsOutline(options.Material);
  if (outline && n < 0) {
    NextNegativeTopEdge(out, n, layout);
  } else {
    out.Blanks(CountUpTo(Product(-layout.Minimum, s)));
  }
  if (layout.Minimum < 0) out.Text("|");
  const long double bar = Product(s, v);
  const bool has_bar = bar > 0.5L;
  if (has_bar) out.Repeat(options.Material, CountUpTo(bar));
  if (!outline) return;
  out.Text(has_bar ? "|" : "_");
  if (v < n) {
    out.Repeat("_", CountBelow(FloorOfProduct(s, n) - FloorOfProduct(s, v)));
  }
}

// Room left of a negative bar. In outline mode, when the next bar is longer,
// it carries the part of the next row's top edge left of this row's box.
template <class Sink>
void RoomLeftOfNegativeBar(Sink& out, double v, double n,
                           const TChartLayout& layout, bool outline) {
  const double s = layout.Scale;
  if (outline && n < v) {
    const long double inner = Product(s, n) - CeilOfProduct(s, layout.Minimum);
    out.Blanks(CountBelow(Ceil(RoundedToDouble(inner)) + 1));
    out.Repeat("_", CountBelow(FloorOfProduct(s, v) - FloorOfProduct(s, n)));
    out.Text("|");
  } else if (v != layout.Minimum) {
    out.Blanks(
        CountBelow(FloorOfProduct(s, v) - FloorOfProduct(s, layout.Minimum)));
    out.Text(outline ? "|" : " ");
  }
}

// Bar of a row with v < 0, after the label field: negative bars grow
// leftward from the zero axis.
template <class Sink>
void NegativeBar(Sink& out, double v, double n, const TChartLayout& layout,
                 const TChartOptions& options) {
  const double s = layout.Scale;
  const bool outline = IsOutline(options.Material);
  RoomLeftOfNegativeBar(out, v, n, layout, outline);
  out.Repeat(options.Material, CountUpTo(Product(-v, s)));
  out.Text("|");
  if (outline && n > 0) out.Repeat("_", CountUpTo(Product(s, n)));
}

template <class Sink>
void RowLine(Sink& out, std::string_view label, std::string_view value_text,
             double v, double n, const TChartLayout& layout,
             const TChartOptions& options) {
  LabelField(out, label, layout);
  if (v < 0) {
    NegativeBar(out, v, n, layout, options);
  } else {
    PositiveBar(out, v, n, layout, options);
  }
  if (!options.WriteNum) return;
  out.Text(" ");
  out.Text(value_text);
  if (options.WriteUnit) out.Text(options.UnitText);
}

// The line above row 1 in outline mode; u is row 1's value.
template <class Sink>
void TopEdgeLine(Sink& out, double u, const TChartLayout& layout) {
  const double s = layout.Scale;
  const long long label_field = layout.LabelWidth + 1;
  out.Blanks(label_field > 0 ? static_cast<Count>(label_field) : 0);
  if (u < 0) {
    out.Blanks(CountBelow(CeilOfProduct(s, u) -
                          CeilOfProduct(s, layout.Minimum) + 1));
    out.Repeat("_", CountUpTo(Product(-u, s)));
    return;
  }
  out.Blanks(CountUpTo(Product(-layout.Minimum, s)));
  if (layout.Minimum < 0) out.Blanks(1);
  const long double bar = Product(s, u);
  if (bar > 0.5L) out.Repeat("_", CountUpTo(bar));
}

}  // namespace quillmark::chart_internal
