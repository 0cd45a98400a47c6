#include "cli/run.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/options.h"
#include "table/clipboard_import.h"
#include "text/cp932.h"

namespace quillmark {
namespace {

using Args = std::vector<std::string>;
using Lines = std::vector<std::string>;
using namespace std::string_literals;

struct Outcome {
  int status;
  std::string out;
  std::string err;
};

Outcome RunWith(const Args& args, const std::string& input) {
  std::istringstream in(input);
  std::ostringstream out, err;
  const int status = RunCli(args, in, out, err);
  return {status, out.str(), err.str()};
}

std::string Repeat(int count, const std::string& piece) {
  std::string text;
  for (int i = 0; i < count; ++i) text += piece;
  return text;
}
std::string Stars(int n) { return std::string(n, '*'); }
std::string Bars(int n) { return std::string(n, '_'); }
std::string Blanks(int n) { return std::string(n, ' '); }

std::string Joined(const Lines& lines) {
  std::string text;
  for (const std::string& line : lines) text += line + "\n";
  return text;
}

const std::string kLegend = "（ 等幅フォントでご覧ください ）";

// The rows, then the empty line and the fixed legend of a chart with numbers.
std::string WithNumbers(const Lines& rows) {
  Lines lines = rows;
  lines.push_back("");
  lines.push_back(kLegend);
  return Joined(lines);
}

struct ChartCase {
  const char* name;
  Args args;
  std::string input;  // UTF-8, as a terminal or a file holds it
  std::string out;
};

std::vector<ChartCase> ChartCases() {
  const Args star = {"--material", "*"};
  auto with = [](Args args, const Args& more) {
    args.insert(args.end(), more.begin(), more.end());
    return args;
  };
  const std::string four_rows = "A,4\nB,-3\nC,-5\nD,2\n";
  return {
      // Filled bars and the scale.
      {"automatic scale with numbers", star, "A,10\nB,20\n",
       WithNumbers({"A|" + Stars(32) + " 10", "B|" + Stars(65) + " 20"})},
      {"automatic scale without numbers", with(star, {"--no-number"}),
       "A,10\nB,20\n",
       Joined({"A|" + Stars(33), "B|" + Stars(67), "",
               "（ * １個は約0.29。等幅フォントでご覧ください）"})},
      {"extended products fall short", with(star, {"--with-unit", "--width", "30"}),
       "A,10\nB,20\n",
       WithNumbers({"A|" + Stars(11) + " 10%", "B|" + Stars(23) + " 20%"})},
      {"manual scale", with(star, {"--scale", "2", "--no-number"}), "A,7\nB,3\n",
       Joined({"A|***", "B|*", "", "（ * １個は約2。等幅フォントでご覧ください）"})},
      {"full-width labels are two columns", with(star, {"--scale", "1"}),
       "東京,3\nNY,2\n", WithNumbers({"東京|*** 3", "NY  |** 2"})},
      {"row 50 is drawn and sees 0 next", {"--scale", "1"},
       Repeat(49, ",0\n") + "Z,5\n", WithNumbers({"Z|_____| 5"})},
      {"value written as typed", with(star, {"--scale", "1"}), "A, +2\nB,2.0\n",
       WithNumbers({"A|** +2", "B|** 2.0"})},
      // Negative values.
      {"negative values, manual", with(star, {"--scale", "1"}), four_rows,
       WithNumbers({"A|     |**** 4", "B|  ***| -3", "C|*****| -5",
                    "D|     |** 2"})},
      {"negative values, automatic", with(star, {"--width", "40"}), four_rows,
       WithNumbers({"A|" + Blanks(19) + "|" + Stars(15) + " 4",
                    "B|" + Blanks(8) + Stars(11) + "| -3",
                    "C|" + Stars(19) + "| -5",
                    "D|" + Blanks(19) + "|" + Stars(7) + " 2"})},
      {"zero and small values draw no bar", with(star, {"--scale", "1"}),
       "A,4\nB,0\nC,0.1\nD,-2\n",
       WithNumbers({"A|  |**** 4", "B|  | 0", "C|  | 0.1", "D|**| -2"})},
      {"material of two characters", {"--material", "ab", "--scale", "1"},
       "A,4\nB,2\n", WithNumbers({"A|abababab 4", "B|abab 2"})},
      {"empty material", {"--material", "", "--no-number"}, "A,10\nB,20\n",
       Joined({"A|", "B|", "", "（  １個は約0.29。等幅フォントでご覧ください）"})},
      {"negative budget", with(star, {"--width", "10"}), "LongLabel,4\nB,-2\n",
       WithNumbers({"LongLabel|| 4", "B        || -2"})},
      {"negative manual scale", with(star, {"--scale", "-1"}), "A,5\nB,-5\n",
       WithNumbers({"A|| 5", "B|| -5"})},
      {"a value off the minimum gets one more blank", with(star, {"--scale", "1"}),
       "A,-2.3\nB,-2.7\nC,1\n",
       WithNumbers({"A| **| -2.3", "B|**| -2.7", "C|  |* 1"})},
      {"full-width material", {"--material", "■", "--scale", "1"}, "A,2\n",
       WithNumbers({"A|■■ 2"})},
      // Outline bars.
      {"outline, rising", {"--width", "30"}, "A,10\nB,20\nC,15\n",
       WithNumbers({"  " + Bars(12), "A|" + Bars(12) + "|" + Bars(12) + " 10",
                    "B|" + Bars(25) + "| 20", "C|" + Bars(18) + "| 15"})},
      {"outline, falling", {"--width", "30"}, "A,20\nB,10\nC,15\n",
       WithNumbers({"  " + Bars(25), "A|" + Bars(25) + "| 20",
                    "B|" + Bars(12) + "|" + Bars(5) + " 10",
                    "C|" + Bars(18) + "| 15"})},
      {"outline, negative, manual", {"--scale", "1"}, four_rows,
       WithNumbers({"        ____", "A|  ___|____| 4", "B|_|___| -3",
                    "C|_____|__ -5", "D|     |__| 2"})},
      {"outline, negative, automatic", {"--width", "40"}, four_rows,
       WithNumbers({Blanks(22) + Bars(15),
                    "A|" + Blanks(8) + Bars(11) + "|" + Bars(15) + "| 4",
                    "B|" + Bars(7) + "|" + Bars(11) + "| -3",
                    "C|" + Bars(19) + "|" + Bars(7) + " -5",
                    "D|" + Blanks(19) + "|" + Bars(7) + "| 2"})},
      {"outline, negative first", {"--scale", "1"}, "A,-3\nB,4\nC,-5\nD,2\n",
       WithNumbers({"    ___", "A| |___|____ -3", "B|_____|____| 4",
                    "C|_____|__ -5", "D|     |__| 2"})},
      {"outline, zero ends in an underscore", {"--scale", "1"}, "A,3\nB,0\nC,2\n",
       WithNumbers({"  ___", "A|___| 3", "B|__ 0", "C|__| 2"})},
      {"outline, no top edge without row 1", {"--scale", "1"}, ",5\nB,3\nC,4\n",
       WithNumbers({"B|___| 3", "C|____| 4"})},
      // What the window never shows: the command line always renders.
      {"row 1 value 0 still renders", with(star, {"--scale", "1"}), "A,0\nB,2\n",
       WithNumbers({"A| 0", "B|** 2"})},
      {"HTML spaces", {"--material", "*", "--scale", "1", "--html"},
       "A,1\nBBB,2\n", WithNumbers({"A &nbsp|* 1", "BBB|** 2"})},
      {"spreadsheet lines with CR LF and quotes", with(star, {"--scale", "1"}),
       "\"New York\"\t3\r\n\"a\"\"b\"\t1\r\n",
       WithNumbers({"New York|*** 3", "a\"b     |* 1"})},
      {"byte order mark dropped", with(star, {"--scale", "1"}), "\xEF\xBB\xBF" "A,1\n",
       WithNumbers({"A|* 1"})},
      {"invalid UTF-8 becomes ?", with(star, {"--scale", "1"}), "A\xff\xfe,1\n",
       WithNumbers({"A??|* 1"})},
      {"text ends at NUL", with(star, {"--scale", "1"}), "A,1\n\0B\n\n"s,
       WithNumbers({"A|* 1"})},
      {"60 lines, 50 drawn", with(star, {"--scale", "1"}),
       Repeat(50, "A,1\n") + Repeat(10, "B,2\n"),
       WithNumbers(Lines(50, "A|* 1"))},
      {"a 1 MB line beyond row 50 is checked and dropped",
       with(star, {"--scale", "1"}),
       Repeat(50, "A,1\n") + std::string(1 << 20, 'x') + ",1\n",
       WithNumbers(Lines(50, "A|* 1"))},
      {"width of the smallest int", with(star, {"--width", "-2147483648"}),
       "A,10\n", WithNumbers({"A| 10"})},
      {"tiny bars vanish", with(star, {"--scale", "1e300"}), "A,1\n",
       WithNumbers({"A| 1"})},
  };
}

TEST(RunCli, DrawsTheChartOfThePastedTable) {
  for (const ChartCase& c : ChartCases()) {
    const Outcome outcome = RunWith(c.args, c.input);
    EXPECT_EQ(outcome.status, kExitSuccess) << c.name;
    EXPECT_EQ(outcome.out, c.out) << c.name;
    EXPECT_EQ(outcome.err, "") << c.name;
  }
}

struct FailureCase {
  const char* name;
  Args args;
  std::string input;
  std::string err;  // UTF-8, without the final LF
};

TEST(RunCli, ReportsTheTablesAndTheChartsFailures) {
  const std::string paste = Cp932ToUtf8(PasteFailureMessage());
  const FailureCase cases[] = {
      {"single field", {}, "A\n", paste},
      {"faulty line after row 50", {}, Repeat(60, "A,1\n") + "broken\n", paste},
      {"only an empty line", {}, "\n", paste},
      {"all zero", {}, "A,0.0\n", "0 による浮動小数点数除算."},
      {"empty input renders the cleared table", {}, "",
       "0 による浮動小数点数除算."},
      {"comma in a quoted value", {}, "A,\"1,5\"\n",
       "'1,5' は浮動小数点数ではありません."},
      {"full-width digits", {}, "A,１５\n", "'１５' は浮動小数点数ではありません."},
      {"value too large for a double", {}, "A,1e400\n",
       "浮動小数点数のオーバーフロー."},
      {"exponent beyond reading", {}, "A,1e5000\n",
       "'1e5000' は浮動小数点数ではありません."},
      {"empty manual scale", {"--scale", ""}, "A,1\n",
       "'' は浮動小数点数ではありません."},
      {"zero manual scale", {"--scale", "0"}, "A,1\n", "0 による浮動小数点数除算."},
      {"zero budget", {"--width", "5"}, "AB,0\n", "不正な浮動小数点数演算命令."},
  };
  for (const FailureCase& c : cases) {
    const Outcome outcome = RunWith(c.args, c.input);
    EXPECT_EQ(outcome.status, kExitFailure) << c.name;
    EXPECT_EQ(outcome.out, "") << c.name;
    EXPECT_EQ(outcome.err, c.err + "\n") << c.name;
  }
}

// Where the chart cannot be drawn sensibly (a line beyond the length limit, a
// scale beyond the range of a double), the run ends with a message.
TEST(RunCli, ExtremeInputEndsWithAMessage) {
  const struct {
    Args args;
    std::string input;
  } cases[] = {
      {{"--scale", "0.000001"}, "A,1000000\n"},
      {{"--width", "2147483647"}, "A,1\n"},
      {{"--scale", "1e-300"}, "A,1\n"},
      {{"--scale", "1e-4000"}, "A,1\n"},
      {{}, std::string(1 << 20, 'x') + ",1\n"},
      {{}, "A," + std::string(1 << 20, '1') + "\n"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunWith(c.args, c.input);
    EXPECT_EQ(outcome.status, kExitFailure) << testing::PrintToString(c.args);
    EXPECT_EQ(outcome.out, "");
    EXPECT_GT(outcome.err.size(), 1u);
    EXPECT_TRUE(outcome.err.ends_with(".\n"));
  }
}

TEST(RunCli, Cp932IsPassedThroughByteForByte) {
  const Args args = {"--encoding", "cp932", "--material", "\x81\xa1", "--scale",
                     "1", "--unit", "\x89\x7e", "--with-unit"};
  const Outcome outcome = RunWith(args, Utf8ToCp932("東京,2\r\n"));
  EXPECT_EQ(outcome.status, kExitSuccess);
  EXPECT_EQ(outcome.out, Utf8ToCp932(WithNumbers({"東京|■■ 2円"})));

  const Outcome failure = RunWith({"--encoding", "cp932"}, "A\n");
  EXPECT_EQ(failure.status, kExitFailure);
  EXPECT_EQ(failure.err, PasteFailureMessage() + "\n");
}

TEST(RunCli, AnOutputThatCannotBeWrittenIsAFailure) {
  std::istringstream in("A,1\n");
  std::ostringstream out, err;
  out.setstate(std::ios::badbit);
  EXPECT_EQ(RunCli({}, in, out, err), kExitFailure);
  EXPECT_EQ(err.str(), "quillmark-chart: cannot write the chart\n");
}

TEST(RunCli, HelpGoesToStandardOutput) {
  const Outcome outcome = RunWith({"--help"}, "never read");
  EXPECT_EQ(outcome.status, kExitSuccess);
  EXPECT_EQ(outcome.out, UsageText());
  EXPECT_EQ(outcome.err, "");
}

TEST(RunCli, ABadCommandLineShowsTheFaultAndTheUsage) {
  for (const Args& args : {Args{"--bogus"}, Args{"--width"}, Args{"--width", "1.5"},
                           Args{"--encoding", "latin1"}, Args{"a", "b"}}) {
    const Outcome outcome = RunWith(args, "A,1\n");
    EXPECT_EQ(outcome.status, kExitUsage) << args[0];
    EXPECT_EQ(outcome.out, "");
    EXPECT_TRUE(outcome.err.starts_with("quillmark-chart: ")) << outcome.err;
    EXPECT_NE(outcome.err.find(UsageText()), std::string::npos);
  }
}

class RunCliWithFiles : public testing::Test {
 protected:
  RunCliWithFiles()
      : dir_(std::filesystem::temp_directory_path() /
             ("quillmark_cli_test_" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(dir_);
  }
  ~RunCliWithFiles() override { std::filesystem::remove_all(dir_); }

  std::string Write(const std::string& name, const std::string& content) {
    const std::filesystem::path path = dir_ / name;
    std::ofstream(path, std::ios::binary) << content;
    return path.string();
  }

  std::filesystem::path dir_;
};

TEST_F(RunCliWithFiles, ReadsTheNamedFileInsteadOfStandardInput) {
  const std::string file = Write("table.csv", "A,1\r\n");
  const Outcome outcome = RunWith({"--material", "*", "--scale", "1", file}, "B,2\n");
  EXPECT_EQ(outcome.status, kExitSuccess);
  EXPECT_EQ(outcome.out, WithNumbers({"A|* 1"}));
}

TEST_F(RunCliWithFiles, DashIsStandardInput) {
  const Outcome outcome = RunWith({"--material", "*", "--scale", "1", "-"}, "B,2\n");
  EXPECT_EQ(outcome.out, WithNumbers({"B|** 2"}));
}

TEST_F(RunCliWithFiles, AFileThatCannotBeReadIsNamed) {
  const std::string missing = (dir_ / "missing.csv").string();
  const struct {
    std::string file;
    std::string err;
  } cases[] = {
      {missing, "quillmark-chart: cannot read '" + missing +
                    "': No such file or directory\n"},
      {dir_.string(),
       "quillmark-chart: cannot read '" + dir_.string() + "': Is a directory\n"},
  };
  for (const auto& c : cases) {
    const Outcome outcome = RunWith({c.file}, "A,1\n");
    EXPECT_EQ(outcome.status, kExitFailure);
    EXPECT_EQ(outcome.out, "");
    EXPECT_EQ(outcome.err, c.err);
  }
}

}  // namespace
}  // namespace quillmark
