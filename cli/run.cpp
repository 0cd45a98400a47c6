#include "cli/run.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <istream>
#include <optional>
#include <ostream>

#include "chart/chart.h"
#include "cli/options.h"
#include "export/export.h"
#include "table/clipboard_import.h"
#include "table/data_table.h"
#include "text/cp932.h"
#include "text/user_error.h"

namespace quillmark {
namespace {

constexpr const char* kProgram = "quillmark-chart";

// The whole stream, or nothing when reading fails (errno then says why).
std::optional<std::string> ReadAll(std::istream& in) {
  std::string data;
  char buffer[1 << 16];
  while (in.read(buffer, sizeof buffer) || in.gcount() > 0) {
    data.append(buffer, static_cast<std::size_t>(in.gcount()));
  }
  if (in.bad()) return std::nullopt;
  return data;
}

// The input as code page 932, with a UTF-8 byte order mark dropped: editors
// put one at the start of a file, and it has no code page 932 form.
std::string InputToCp932(std::string_view input, Encoding encoding) {
  if (encoding == Encoding::kCp932) return std::string(input);
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (input.starts_with(kByteOrderMark)) input.remove_prefix(kByteOrderMark.size());
  return Utf8ToCp932(input);
}

std::string Cp932ToOutput(std::string_view cp932, Encoding encoding) {
  return encoding == Encoding::kCp932 ? std::string(cp932) : Cp932ToUtf8(cp932);
}

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += '\n';
  }
  return text;
}

int Draw(std::string_view input, const CliOptions& options, std::ostream& out,
         std::ostream& err) {
  auto fail = [&](std::string_view cp932_message) {
    err << Cp932ToOutput(cp932_message, options.encoding) << '\n';
    return kExitFailure;
  };
  DataTable table;
  try {
    FillTableFromText(table, InputToCp932(input, options.encoding));
  } catch (const UserError& e) {
    return fail(e.what());  // the paste shows its message as it is
  }
  std::string chart;
  try {
    LastValues last_values{};
    chart = JoinLines(RenderChart(table, options.chart, last_values));
  } catch (const UserError& e) {
    return fail(WithFullStop(e.what()));
  }
  if (options.html) chart = ReplaceSpacePairs(chart);
  if (!(out << Cp932ToOutput(chart, options.encoding)).flush()) {
    err << kProgram << ": cannot write the chart\n";
    return kExitFailure;
  }
  return kExitSuccess;
}

std::optional<std::string> ReadInput(const CliOptions& options, std::istream& in,
                                     std::ostream& err) {
  const bool from_file = options.file && *options.file != "-";
  errno = 0;
  std::ifstream file;
  if (from_file) file.open(*options.file, std::ios::binary);
  std::optional<std::string> input;
  if (!from_file || file.is_open()) input = ReadAll(from_file ? file : in);
  if (!input) {
    const std::string name = from_file ? "'" + *options.file + "'" : "standard input";
    err << kProgram << ": cannot read " << name;
    if (errno != 0) err << ": " << std::strerror(errno);
    err << '\n';
  }
  return input;
}

}  // namespace

int RunCli(const std::vector<std::string>& args, std::istream& in,
           std::ostream& out, std::ostream& err) {
  CliOptions options;
  try {
    options = ParseOptions(args);
  } catch (const UsageError& e) {
    err << kProgram << ": " << e.what() << "\n\n" << UsageText();
    return kExitUsage;
  }
  if (options.help) {
    out << UsageText();
    return kExitSuccess;
  }
  const std::optional<std::string> input = ReadInput(options, in, err);
  if (!input) return kExitFailure;
  return Draw(*input, options, out, err);
}

}  // namespace quillmark
