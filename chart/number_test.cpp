#include <gtest/gtest.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <string>

#include "chart/chart.h"
#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

struct Accepted {
  std::string text;
  long double expected;
};

class TextToNumberAccepts : public testing::TestWithParam<Accepted> {};

TEST_P(TextToNumberAccepts, ReadsTheNumber) {
  const long double number = TextToNumber(GetParam().text);
  EXPECT_EQ(number, GetParam().expected) << GetParam().text;
  EXPECT_EQ(std::signbit(number), std::signbit(GetParam().expected))
      << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToNumberAccepts,
    testing::Values(
        Accepted{"1.5", 1.5L}, Accepted{" 1.5 ", 1.5L},
        Accepted{"   -2.25", -2.25L}, Accepted{"+5", 5},
        Accepted{"0", 0}, Accepted{"0.", 0}, Accepted{".", 0},
        Accepted{"-.", -0.0L}, Accepted{"-0", -0.0L}, Accepted{"00012", 12},
        Accepted{".5", 0.5L}, Accepted{"5.", 5},
        // No exponent digits at all count as exponent 0.
        Accepted{"1e", 1}, Accepted{"1e+", 1}, Accepted{"1E-", 1},
        Accepted{"1E-3", 1e-3L}, Accepted{"2.5e+2", 250}, Accepted{".e5", 0},
        Accepted{"  -0012.50e+1  ", -125},
        // Correctly rounded to extended, not to double.
        Accepted{"0.1", 0.1L},
        Accepted{"0.3333333333333333333333333333", 1.0L / 3},
        // 1 + 2^-64 lies halfway between 1 and the next extended number:
        // ties go to even.
        Accepted{"1.0000000000000000000542101086242752217003726400434970855712890625",
                 1.0L},
        Accepted{"1.00000000000000000005421010862427522170037264004349708557128906251",
                 1.0L + 0x1p-63L},
        // Exponent digits are read while the exponent is below 500.
        Accepted{"1e500", 1e500L}, Accepted{"1e499", 1e499L},
        Accepted{"1e-500", 1e-500L}, Accepted{"1e4932", 1e4932L},
        Accepted{"1.18973149535723176502e4932", 1.18973149535723176502e4932L},
        // Too small for extended is 0, not a failure.
        Accepted{"1e-4999", 0}, Accepted{"-1e-4999", -0.0L},
        Accepted{"1e308", 1e308L}, Accepted{"1e400", 1e400L}));

class TextToNumberRejects : public testing::TestWithParam<std::string> {};

TEST_P(TextToNumberRejects, NamesTheWholeText) {
  const std::string text = Utf8ToCp932(GetParam());
  try {
    TextToNumber(text);
    FAIL() << GetParam() << " was read as a number";
  } catch (const UserError& error) {
    EXPECT_EQ(Cp932ToUtf8(error.what()),
              "'" + GetParam() + "' は浮動小数点数ではありません");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Table, TextToNumberRejects,
    testing::Values("", " ", "-", "+", "+-1", "--1", "1,5", "１５", "1．5",
                    "\t1", "1\t", "1 2", "1..2", "1.2.3", "e5", "E", "-e5",
                    "1ee", "1e+-2", "1e5 x", "0x10", "inf", "nan", "1_000",
                    // The fourth exponent digit after 500 is left over.
                    "1e5000", "1e-5000", "1e50000",
                    // Beyond the extended range.
                    "1e4999", "1.2e4932", "-1e4933"));

// Short numbers take a shortcut of one exact multiplication or division;
// around its edges it must agree with glibc's correctly rounded strtold.
TEST(TextToNumber, AgreesWithStrtoldAroundTheShortcut) {
  for (const char* text :
       {"0.1", "0.7", "2.675", "9999999999999999999", "18446744073709551615",
        "9223372036854775809", "1e27", "1e28", "3e-27", "3e-28",
        "1234567890123456789e-27", "1234567890123456789e-28",
        "12345678901234567891", "0.000000000000000000000000001",
        "4.9406564584124654e-324", "1.7976931348623157e308", "123.456e-5"}) {
    EXPECT_EQ(TextToNumber(text), std::strtold(text, nullptr)) << text;
  }
}

TEST(TextToNumber, MegabyteOfDigitsIsReadCorrectly) {
  const std::string thirds = "0." + std::string(1'000'000, '3');
  EXPECT_EQ(TextToNumber(thirds), 1.0L / 3);

  // A nonzero digit far past the first 12,000 still decides a tie.
  const std::string halfway =
      "1.0000000000000000000542101086242752217003726400434970855712890625";
  EXPECT_EQ(TextToNumber(halfway + std::string(1'000'000, '0')), 1.0L);
  EXPECT_EQ(TextToNumber(halfway + std::string(1'000'000, '0') + "1"),
            1.0L + 0x1p-63L);

  const std::string leading_zeros = std::string(1'000'000, '0') + "7.25";
  EXPECT_EQ(TextToNumber(leading_zeros), 7.25L);
  const std::string tiny = "0." + std::string(1'000'000, '0') + "1";
  EXPECT_EQ(TextToNumber(tiny), 0);
}

TEST(TextToNumber, MegabyteNumberBeyondRangeFails) {
  const std::string huge = "1" + std::string(1'000'000, '0');
  EXPECT_THROW(TextToNumber(huge), UserError);
}

TEST(TextToNumber, IgnoresTheProcessLocale) {
  const char* saved = std::setlocale(LC_NUMERIC, nullptr);
  const std::string restore = saved ? saved : "C";
  if (!std::setlocale(LC_NUMERIC, "de_DE.UTF-8")) {
    GTEST_SKIP() << "no locale with a decimal comma installed";
  }
  EXPECT_EQ(TextToNumber("1.5"), 1.5L);
  EXPECT_THROW(TextToNumber("1,5"), UserError);
  EXPECT_EQ(NumberToText(0.29), "0.29");
  std::setlocale(LC_NUMERIC, restore.c_str());
}

struct Formatted {
  double value;
  std::string text;
};

class NumberToTextFormats : public testing::TestWithParam<Formatted> {};

TEST_P(NumberToTextFormats, GeneralFormatWithFifteenDigits) {
  EXPECT_EQ(NumberToText(GetParam().value), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Table, NumberToTextFormats,
    testing::Values(
        Formatted{0.29, "0.29"}, Formatted{2, "2"}, Formatted{12, "12"},
        Formatted{100, "100"}, Formatted{-1.3, "-1.3"}, Formatted{0, "0"},
        Formatted{-0.0, "0"}, Formatted{0.1 + 0.2, "0.3"},
        Formatted{1.0 / 3, "0.333333333333333"},
        Formatted{2.0 / 3, "0.666666666666667"},
        Formatted{0.0001, "0.0001"}, Formatted{0.00012, "0.00012"},
        Formatted{5e-5, "5E-5"}, Formatted{-5e-5, "-5E-5"},
        Formatted{1.2e17, "1.2E17"}, Formatted{1e15, "1E15"},
        Formatted{999999999999999, "999999999999999"},
        Formatted{123456789012345678.0, "1.23456789012346E17"},
        // Rounded to 15 digits first, so it reaches 10^15.
        Formatted{999999999999999.9, "1E15"},
        Formatted{0.000099999999999999999, "0.0001"},
        Formatted{1.7976931348623157e308, "1.79769313486232E308"},
        Formatted{5e-324, "4.94065645841247E-324"},
        Formatted{1e-100, "1E-100"}));

struct Truncated {
  double x;
  double expected;
};

class TruncateDigitsToTwo : public testing::TestWithParam<Truncated> {};

TEST_P(TruncateDigitsToTwo, RoundsTowardNegativeInfinity) {
  EXPECT_EQ(TruncateDigits(GetParam().x, 2), GetParam().expected)
      << GetParam().x;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TruncateDigitsToTwo,
    testing::Values(
        Truncated{0.2985, 0.29}, Truncated{1.0 / 3.35, 0.29},
        Truncated{3.35, 3.3}, Truncated{12.7, 12}, Truncated{10, 10},
        Truncated{2, 2}, Truncated{-1.234, -1.3}, Truncated{0, 0},
        Truncated{99.99, 99}, Truncated{100, 100}, Truncated{1234567, 1200000},
        Truncated{0.000123, 0.00012},
        // The double nearest 0.29 lies below it; 100 times it, rounded to
        // a double, is below 29 and rounds down to 28.
        Truncated{0.29, 0.28},
        Truncated{1.7976931348623157e308, 1.7e308},
        // 10^k stays in extended range for subnormal x.
        Truncated{1.23456e-310, 1.2e-310}, Truncated{5e-324, 5e-324}));

TEST(DeclinesToRender, OnlyTheThreeExactTexts) {
  for (const char* text : {"0", "0.", "."}) {
    EXPECT_TRUE(DeclinesToRender(text)) << text;
  }
  for (const char* text : {" 0", "0 ", "0.0", "00", "-0", "", ".0", "-.", "1"}) {
    EXPECT_FALSE(DeclinesToRender(text)) << text;
  }
}

}  // namespace
}  // namespace quillmark
