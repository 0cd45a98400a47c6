#include "cli/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "text/cp932.h"

namespace quillmark {
namespace {

using Args = std::vector<std::string>;

TEST(ParseOptions, DefaultsAreThoseOfAFreshWindow) {
  const CliOptions options = ParseOptions({});
  EXPECT_EQ(options.chart.Material, "_");
  EXPECT_EQ(options.chart.UnitText, "%");
  EXPECT_TRUE(options.chart.WriteNum);
  EXPECT_FALSE(options.chart.WriteUnit);
  EXPECT_TRUE(options.chart.AutoScale);
  EXPECT_EQ(options.chart.Width, 70);
  EXPECT_FALSE(options.html);
  EXPECT_EQ(options.encoding, Encoding::kUtf8);
  EXPECT_FALSE(options.help);
  EXPECT_FALSE(options.file.has_value());
}

TEST(ParseOptions, ReadsEveryOptionInBothForms) {
  for (const Args& args : {
           Args{"--material", "*", "--unit", "pt", "--no-number", "--with-unit",
                "--width", "30", "--scale", "-2", "--html", "--encoding",
                "cp932", "table.csv"},
           Args{"table.csv", "--material=*", "--unit=pt", "--no-number",
                "--with-unit", "--width=30", "--scale=-2", "--html",
                "--encoding=CP932"},
       }) {
    const CliOptions options = ParseOptions(args);
    EXPECT_EQ(options.chart.Material, "*");
    EXPECT_EQ(options.chart.UnitText, "pt");
    EXPECT_FALSE(options.chart.WriteNum);
    EXPECT_TRUE(options.chart.WriteUnit);
    EXPECT_FALSE(options.chart.AutoScale);
    EXPECT_EQ(options.chart.ScaleText, "-2");
    EXPECT_EQ(options.chart.Width, 30);
    EXPECT_TRUE(options.html);
    EXPECT_EQ(options.encoding, Encoding::kCp932);
    EXPECT_EQ(options.file, "table.csv");
  }
}

TEST(ParseOptions, ValuesMayBeEmptyOrLookLikeOptions) {
  const CliOptions options =
      ParseOptions({"--material", "", "--unit", "--html", "--scale", ""});
  EXPECT_EQ(options.chart.Material, "");
  EXPECT_EQ(options.chart.UnitText, "--html");
  EXPECT_FALSE(options.html);
  EXPECT_FALSE(options.chart.AutoScale);
  EXPECT_EQ(options.chart.ScaleText, "");
}

TEST(ParseOptions, ConvertsTextsFromUtf8UnlessTheyAreCodePage932) {
  const CliOptions utf8 =
      ParseOptions({"--material", "■", "--unit", "円", "--scale", "１"});
  EXPECT_EQ(utf8.chart.Material, Utf8ToCp932("■"));
  EXPECT_EQ(utf8.chart.UnitText, Utf8ToCp932("円"));
  EXPECT_EQ(utf8.chart.ScaleText, Utf8ToCp932("１"));
  EXPECT_EQ(ParseOptions({"--material", "\xff€"}).chart.Material, "??");

  // The encoding counts wherever it stands.
  const std::string cp932_material = "\x81\xa1";
  EXPECT_EQ(ParseOptions({"--material", cp932_material, "--encoding", "cp932"})
                .chart.Material,
            cp932_material);
}

TEST(ParseOptions, TheLastOfARepeatedOptionCounts) {
  const CliOptions options =
      ParseOptions({"--width", "10", "--width", "20", "--encoding", "cp932",
                    "--encoding", "utf-8"});
  EXPECT_EQ(options.chart.Width, 20);
  EXPECT_EQ(options.encoding, Encoding::kUtf8);
}

TEST(ParseOptions, WidthIsAWholeDecimalIntegerInTheRangeOfInt) {
  const struct {
    const char* text;
    int width;
  } good[] = {{"0", 0},           {"+5", 5},
              {"-3", -3},         {"007", 7},
              {"2147483647", 2147483647}, {"-2147483648", -2147483647 - 1}};
  for (const auto& c : good) {
    EXPECT_EQ(ParseOptions({"--width", c.text}).chart.Width, c.width) << c.text;
  }
  for (const char* bad : {"", "abc", "5x", " 5", "5 ", "2147483648",
                          "-2147483649", "+-5", "--5", "++5", "1e3", "0x10",
                          "-", "+", "5.0", "\xef\xbc\x95"}) {
    EXPECT_THROW(ParseOptions({"--width", bad}), UsageError) << bad;
  }
}

TEST(ParseOptions, FilesAndTheEndOfOptions) {
  EXPECT_EQ(ParseOptions({"-"}).file, "-");
  EXPECT_EQ(ParseOptions({"--", "--html"}).file, "--html");
  EXPECT_FALSE(ParseOptions({"--", "--html"}).html);
  EXPECT_EQ(ParseOptions({"--", "-"}).file, "-");
}

TEST(ParseOptions, HelpStopsTheParse) {
  EXPECT_TRUE(ParseOptions({"--help"}).help);
  EXPECT_TRUE(ParseOptions({"-h"}).help);
  EXPECT_THROW(ParseOptions({"--bogus", "--help"}), UsageError);
  EXPECT_TRUE(ParseOptions({"--help", "--bogus", "a", "b"}).help);
}

TEST(ParseOptions, RejectsWhatItCannotObey) {
  const struct {
    Args args;
    const char* message;
  } cases[] = {
      {{"--bogus"}, "unknown option '--bogus'"},
      {{"--bogus=1"}, "unknown option '--bogus'"},
      {{"-x"}, "unknown option '-x'"},
      {{"-material", "*"}, "unknown option '-material'"},
      {{"--html=yes"}, "option '--html' takes no argument"},
      {{"--help=1"}, "option '--help' takes no argument"},
      {{"--width"}, "option '--width' needs an argument"},
      {{"--material"}, "option '--material' needs an argument"},
      {{"--encoding", "latin1"}, "unknown encoding 'latin1' (use utf-8 or cp932)"},
      {{"--encoding", ""}, "unknown encoding '' (use utf-8 or cp932)"},
      {{"--width", "wide"},
       "--width needs a whole number from -2147483648 to 2147483647, not 'wide'"},
      {{"a.csv", "b.csv"}, "only one FILE can be read, not both 'a.csv' and 'b.csv'"},
  };
  for (const auto& c : cases) {
    try {
      ParseOptions(c.args);
      ADD_FAILURE() << "accepted " << testing::PrintToString(c.args);
    } catch (const UsageError& e) {
      EXPECT_STREQ(e.what(), c.message);
    }
  }
}

TEST(UsageText, NamesEveryOption) {
  for (const char* option : {"--material", "--unit", "--no-number",
                             "--with-unit", "--width", "--scale", "--html",
                             "--encoding", "--help", "FILE"}) {
    EXPECT_NE(UsageText().find(option), std::string::npos) << option;
  }
}

}  // namespace
}  // namespace quillmark
