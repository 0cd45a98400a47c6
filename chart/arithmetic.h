// The renderer's arithmetic: x87 extended products of doubles, their
// rounding to double where a bar needs a whole number, and the two counts
// that turn such numbers into numbers of characters.
//
// Bar lengths depend on every rounding step here, so nothing in this file
// may be "simplified" into plain double arithmetic. Private to chart/.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace quillmark::chart_internal {

static_assert(std::numeric_limits<long double>::digits == 64,
              "the chart needs x87 extended precision (64-bit significand)");
static_assert(std::numeric_limits<double>::is_iec559,
              "doubles must be IEEE 754 so that an overflow gives infinity");

// A number of characters. Counts saturate at kHugeCount, far beyond any line
// that may be drawn, so that an astronomic bar is "huge", never undefined.
// Every whole number up to it is exact as a double.
using Count = std::uint64_t;
constexpr Count kHugeCount = Count{1} << 53;

// ⌊x⌋ and ⌈x⌉ from rounding to the nearest whole number, which the x87 unit
// does in its current mode; std::floor and std::ceil would switch the
// rounding mode for every call, and that stalls the unit.
inline long double Floor(long double x) {
  const long double nearest = std::rint(x);
  return nearest > x ? nearest - 1 : nearest;
}
inline long double Ceil(long double x) {
  const long double nearest = std::rint(x);
  return nearest < x ? nearest + 1 : nearest;
}

// A whole number from 0 to kHugeCount as a count, by way of a double (exact
// there), which converts without switching the x87 rounding mode either.
inline Count WholeCount(long double whole) {
  return static_cast<Count>(static_cast<double>(whole));
}

// a × b formed exactly as the x87 unit forms it: in extended precision.
inline long double Product(double a, double b) {
  return static_cast<long double>(a) * static_cast<long double>(b);
}

// An extended value rounded to double before a whole-number step. A value
// beyond double range stays extended: the counts built from it are then huge
// (or 0), never infinite or not-a-number.
inline long double RoundedToDouble(long double x) {
  const double rounded = static_cast<double>(x);
  return std::isinf(rounded) ? x : static_cast<long double>(rounded);
}

// ⌊a × b⌋ and ⌈a × b⌉, the product rounded to double first.
inline long double FloorOfProduct(double a, double b) {
  return Floor(RoundedToDouble(Product(a, b)));
}
inline long double CeilOfProduct(double a, double b) {
  return Ceil(RoundedToDouble(Product(a, b)));
}

// The number of whole k >= 1 with k <= x (0 when x < 1, else ⌊x⌋).
inline Count CountUpTo(long double x) {
  if (!(x >= 1)) return 0;
  if (x >= static_cast<long double>(kHugeCount)) return kHugeCount;
  return WholeCount(Floor(x));
}

// The number of whole k >= 1 with k < x (0 when x <= 1, else ⌈x⌉ - 1).
inline Count CountBelow(long double x) {
  if (!(x > 1)) return 0;
  if (x > static_cast<long double>(kHugeCount)) return kHugeCount;
  return WholeCount(Ceil(x)) - 1;
}

}  // namespace quillmark::chart_internal
