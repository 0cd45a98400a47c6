// The command line of quillmark-chart, the program that draws the chart of
// a pasted table on a terminal.
//
// Parsing only: it reads no file and writes nothing.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "chart/chart.h"

namespace quillmark {

enum class Encoding { kUtf8, kCp932 };

struct CliOptions {
  // Material, UnitText and ScaleText already in code page 932.
  TChartOptions chart;
  bool html = false;
  Encoding encoding = Encoding::kUtf8;
  bool help = false;
  std::optional<std::string> file;  // standard input when absent
};

// A command line that cannot be obeyed; the message names the fault.
class UsageError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Parses the arguments after the program name. "--name VALUE" and
// "--name=VALUE" are the same; the value may start with "-". "--" ends the
// options, and "-" names standard input. When an option comes twice, the last
// one counts. "--help" stops the parse at once. Texts given in UTF-8 are
// converted to code page 932 (what has no form there becomes "?").
// Throws UsageError.
CliOptions ParseOptions(const std::vector<std::string>& args);

// The help text: the synopsis, every option and the exit statuses. ASCII.
const std::string& UsageText();

}  // namespace quillmark
