// Conversions between texts and numbers: the reading of value cells and of
// the manual scale, and the writing of the legend's number.

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <system_error>

#include "chart/arithmetic.h"
#include "chart/chart.h"
#include "chart/messages.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

using chart_internal::RoundedToDouble;

// The exponent's digits are read only while the exponent so far is below
// this; a further digit is left over and makes the text fail.
constexpr long long kExponentReadLimit = 500;

// More significant digits than any halfway point between two extended
// numbers has (about 11,520 for the smallest subnormals), so keeping this
// many and marking any nonzero rest with one more digit rounds exactly as the
// full text would, while a megabyte of digits costs one linear pass.
constexpr std::size_t kKeptDigits = 12000;

// Beyond 10^5000 every number overflows extended; below 10^-5000 every number
// is 0. In between, strtold decides.
constexpr long long kDecimalRange = 5000;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The digits of a number without its leading zeros, at most kKeptDigits of
// them plus a sticky "1", and the power of ten they are to be scaled by.
struct Significand {
  std::string digits;
  long long exponent = 0;
};

Significand NormalisedSignificand(std::string_view whole,
                                  std::string_view fraction,
                                  long long exponent) {
  Significand s;
  s.exponent = exponent - static_cast<long long>(fraction.size());
  bool rest_nonzero = false;
  for (std::string_view part : {whole, fraction}) {
    for (char c : part) {
      if (s.digits.empty() && c == '0') continue;
      if (s.digits.size() < kKeptDigits) {
        s.digits += c;
      } else {
        ++s.exponent;
        rest_nonzero = rest_nonzero || c != '0';
      }
    }
  }
  if (rest_nonzero) {
    s.digits += '1';
    --s.exponent;
  }
  while (!s.digits.empty() && s.digits.back() == '0') {
    s.digits.pop_back();
    ++s.exponent;
  }
  return s;
}

// Up to 19 digits are exact in a 64-bit significand, and so is 10^k up to
// k = 27 (5^27 < 2^64): one multiplication or division of the two then
// rounds exactly as strtold would, without its multiple-precision work.
constexpr std::size_t kExactDigits = 19;
constexpr int kExactPowers = 27;

constexpr std::array<long double, kExactPowers + 1> ExactPowersOfTen() {
  std::array<long double, kExactPowers + 1> powers{};
  powers[0] = 1;
  for (int k = 1; k <= kExactPowers; ++k) powers[k] = powers[k - 1] * 10;
  return powers;
}

std::optional<long double> ExactlyRounded(const Significand& s) {
  if (s.digits.size() > kExactDigits || s.exponent < -kExactPowers ||
      s.exponent > kExactPowers) {
    return std::nullopt;
  }
  static constexpr auto kPowers = ExactPowersOfTen();
  std::uint64_t digits = 0;
  for (char c : s.digits) digits = digits * 10 + static_cast<unsigned>(c - '0');
  const long double whole = static_cast<long double>(digits);
  return s.exponent < 0 ? whole / kPowers[-s.exponent]
                        : whole * kPowers[s.exponent];
}

// The significand correctly rounded to extended; nullopt when it lies beyond
// the extended range. The text handed to strtold has no decimal separator,
// so the process's locale cannot change how it is read.
std::optional<long double> ToExtended(bool negative, const Significand& s) {
  long double magnitude = 0;
  if (!s.digits.empty()) {
    const long long decimal_places =
        s.exponent + static_cast<long long>(s.digits.size());
    if (decimal_places > kDecimalRange) return std::nullopt;
    if (const auto exact = ExactlyRounded(s)) {
      magnitude = *exact;
    } else if (decimal_places >= -kDecimalRange) {
      const std::string text = s.digits + "e" + std::to_string(s.exponent);
      magnitude = std::strtold(text.c_str(), nullptr);
      if (std::isinf(magnitude)) return std::nullopt;
    }
  }
  return negative ? -magnitude : magnitude;
}

// Reads [blanks][sign]digits[.digits][(E|e)[sign]digits][blanks].
std::optional<long double> ParseNumber(std::string_view text) {
  std::size_t i = 0;
  const auto digits_from = [&](std::size_t begin) {
    while (i < text.size() && IsDigit(text[i])) ++i;
    return text.substr(begin, i - begin);
  };
  while (i < text.size() && text[i] == ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i++] == '-';
  }
  const std::string_view whole = digits_from(i);
  std::string_view fraction;
  bool separator = false;
  if (i < text.size() && text[i] == '.') {
    separator = true;
    fraction = digits_from(++i);
  }
  if (whole.empty() && !separator) return std::nullopt;
  long long exponent = 0;
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negative_exponent = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      negative_exponent = text[i++] == '-';
    }
    while (i < text.size() && IsDigit(text[i]) &&
           exponent < kExponentReadLimit) {
      exponent = exponent * 10 + (text[i++] - '0');
    }
    if (negative_exponent) exponent = -exponent;
  }
  while (i < text.size() && text[i] == ' ') ++i;
  if (i != text.size()) return std::nullopt;
  return ToExtended(negative, NormalisedSignificand(whole, fraction, exponent));
}

// 10^k correctly rounded to extended; extended range keeps it finite for
// every k that TruncateDigits meets with a finite double, subnormals
// included.
long double PowerOfTen(int k) {
  const std::string text = "1e" + std::to_string(k);
  return std::strtold(text.c_str(), nullptr);
}

// The general format's pieces: up to 15 significant digits without trailing
// zeros and the decimal exponent of the first one, after rounding.
struct Decimal {
  std::string digits;
  int exponent = 0;
};

Decimal FifteenDigits(double magnitude) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                                    std::chars_format::scientific, 14);
  const std::string_view text(buffer, result.ptr - buffer);
  const std::size_t e = text.find('e');
  Decimal d;
  for (char c : text.substr(0, e)) {
    if (IsDigit(c)) d.digits += c;
  }
  while (d.digits.size() > 1 && d.digits.back() == '0') d.digits.pop_back();
  const std::string_view exponent = text.substr(e + 1);
  std::from_chars(exponent.data() + (exponent[0] == '+' ? 1 : 0),
                  exponent.data() + exponent.size(), d.exponent);
  return d;
}

std::string PlainNotation(const Decimal& d) {
  if (d.exponent < 0) {
    return "0." + std::string(-d.exponent - 1, '0') + d.digits;
  }
  const auto whole = static_cast<std::size_t>(d.exponent) + 1;
  if (d.digits.size() <= whole) {
    return d.digits + std::string(whole - d.digits.size(), '0');
  }
  return d.digits.substr(0, whole) + "." + d.digits.substr(whole);
}

std::string ScientificNotation(const Decimal& d) {
  std::string text = d.digits.substr(0, 1);
  if (d.digits.size() > 1) text += "." + d.digits.substr(1);
  return text + "E" + std::to_string(d.exponent);
}

}  // namespace

long double TextToNumber(std::string_view text) {
  const std::optional<long double> number = ParseNumber(text);
  if (!number) throw UserError(chart_internal::NotANumberMessage(text));
  return *number;
}

std::string NumberToText(double value) {
  if (std::isnan(value)) return "NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
  if (value == 0) return "0";
  const Decimal d = FifteenDigits(std::fabs(value));
  const bool plain = d.exponent >= -4 && d.exponent < 15;
  return (value < 0 ? "-" : "") +
         (plain ? PlainNotation(d) : ScientificNotation(d));
}

double TruncateDigits(double x, int d) {
  if (x == 0 || !std::isfinite(x)) return x;
  const long double digits_before_point =
      std::ceil(std::log10(std::fabs(static_cast<long double>(x))));
  const int k = d - static_cast<int>(digits_before_point);
  const long double c = PowerOfTen(k);
  const long double kept =
      std::floor(RoundedToDouble(static_cast<long double>(x) * c));
  return static_cast<double>(kept / c);
}

}  // namespace quillmark
