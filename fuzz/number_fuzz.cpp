// Any text as a number: it converts or fails with the conversion message, and
// whatever converts to a finite double prints back as a number that converts.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "chart/chart.h"
#include "text/user_error.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  long double number;
  try {
    number = quillmark::TextToNumber(text);
  } catch (const quillmark::UserError&) {
    return 0;
  }
  const double value = static_cast<double>(number);
  if (!std::isfinite(value)) return 0;
  const double printed = static_cast<double>(
      quillmark::TextToNumber(quillmark::NumberToText(value)));
  // Fifteen significant digits: the printed number is within a relative 1e-14.
  if (std::fabs(printed - value) > std::fabs(value) * 1e-14) std::abort();
  quillmark::TruncateDigits(value, 2);
  return 0;
}
