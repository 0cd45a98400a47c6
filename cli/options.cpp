#include "cli/options.h"

#include <charconv>
#include <string_view>
#include <utility>

#include "text/cp932.h"

namespace quillmark {
namespace {

Encoding ParseEncoding(std::string_view name) {
  std::string lower(name);
  for (char& c : lower) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  if (lower == "utf-8") return Encoding::kUtf8;
  if (lower == "cp932") return Encoding::kCp932;
  throw UsageError("unknown encoding '" + std::string(name) +
                   "' (use utf-8 or cp932)");
}

// The whole text must be a decimal integer in the range of int.
int ParseWidth(std::string_view text) {
  const bool plus = text.starts_with('+');
  const std::string_view number = text.substr(plus ? 1 : 0);
  const char* number_end = number.data() + number.size();
  int width = 0;
  const auto [end, error] = std::from_chars(number.data(), number_end, width);
  if (error != std::errc() || end != number_end ||
      (plus && number.starts_with('-'))) {
    throw UsageError("--width needs a whole number from -2147483648 to "
                     "2147483647, not '" + std::string(text) + "'");
  }
  return width;
}

void ConvertTextsToCp932(TChartOptions& chart) {
  chart.Material = Utf8ToCp932(chart.Material);
  chart.UnitText = Utf8ToCp932(chart.UnitText);
  chart.ScaleText = Utf8ToCp932(chart.ScaleText);
}

class ArgumentReader {
 public:
  explicit ArgumentReader(const std::vector<std::string>& args) : args_(args) {}

  bool Done() const { return next_ >= args_.size(); }
  const std::string& Take() { return args_[next_++]; }

  // The value of the option `name` just taken: the text after its "=", or
  // the next argument.
  std::string Value(std::string_view name,
                    const std::optional<std::string>& inline_value) {
    if (inline_value) return *inline_value;
    if (Done()) {
      throw UsageError("option '" + std::string(name) + "' needs an argument");
    }
    return Take();
  }

 private:
  const std::vector<std::string>& args_;
  std::size_t next_ = 0;
};

void SetFile(CliOptions& options, const std::string& file) {
  if (options.file) {
    throw UsageError("only one FILE can be read, not both '" + *options.file +
                     "' and '" + file + "'");
  }
  options.file = file;
}

bool TakesValue(std::string_view name) {
  return name == "--material" || name == "--unit" || name == "--width" ||
         name == "--scale" || name == "--encoding";
}

void ApplyValueOption(CliOptions& options, std::string_view name,
                      std::string value) {
  TChartOptions& chart = options.chart;
  if (name == "--material") {
    chart.Material = std::move(value);
  } else if (name == "--unit") {
    chart.UnitText = std::move(value);
  } else if (name == "--width") {
    chart.Width = ParseWidth(value);
  } else if (name == "--scale") {
    chart.ScaleText = std::move(value);
    chart.AutoScale = false;
  } else {
    options.encoding = ParseEncoding(value);
  }
}

// False for a name that is no option of this program.
bool ApplyFlag(CliOptions& options, std::string_view name) {
  if (name == "--no-number") {
    options.chart.WriteNum = false;
  } else if (name == "--with-unit") {
    options.chart.WriteUnit = true;
  } else if (name == "--html") {
    options.html = true;
  } else if (name == "--help" || name == "-h") {
    options.help = true;
  } else {
    return false;
  }
  return true;
}

}  // namespace

CliOptions ParseOptions(const std::vector<std::string>& args) {
  CliOptions options;
  ArgumentReader reader(args);
  bool options_ended = false;
  while (!reader.Done()) {
    const std::string& arg = reader.Take();
    if (options_ended || arg == "-" || !arg.starts_with('-')) {
      SetFile(options, arg);
      continue;
    }
    if (arg == "--") {
      options_ended = true;
      continue;
    }
    const auto equals = arg.starts_with("--") ? arg.find('=') : std::string::npos;
    const std::string name = arg.substr(0, equals);
    std::optional<std::string> inline_value;
    if (equals != std::string::npos) inline_value = arg.substr(equals + 1);
    if (TakesValue(name)) {
      ApplyValueOption(options, name, reader.Value(name, inline_value));
    } else if (!ApplyFlag(options, name)) {
      throw UsageError("unknown option '" + name + "'");
    } else if (inline_value) {
      throw UsageError("option '" + name + "' takes no argument");
    } else if (options.help) {
      return options;
    }
  }
  if (options.encoding == Encoding::kUtf8) ConvertTextsToCp932(options.chart);
  return options;
}

const std::string& UsageText() {
  static const std::string text =
      "Usage: quillmark-chart [OPTION]... [FILE]\n"
      "Draws a bar chart made of text from a table of labels and values read\n"
      "from FILE, or from standard input when FILE is absent or \"-\": one row\n"
      "per line, the label first and the value second, separated by a comma,\n"
      "a tab or spaces. The first 50 lines are drawn; later lines are checked\n"
      "and dropped.\n"
      "\n"
      "  --material TEXT   text each bar is made of (default \"_\": open boxes)\n"
      "  --unit TEXT       unit written after each number (default \"%\")\n"
      "  --no-number       write no number after the bars\n"
      "  --with-unit       write the unit after each number\n"
      "  --width N         line width to fit, in half-width columns (default 70)\n"
      "  --scale TEXT      manual scale: value units per repetition of the\n"
      "                    material (default: fit the bars to the width)\n"
      "  --html            write each pair of spaces as \" &nbsp\"\n"
      "  --encoding NAME   encoding of the input, the option texts and the\n"
      "                    output: utf-8 (default) or cp932\n"
      "  -h, --help        show this help and exit\n"
      "\n"
      "Exit status: 0 when the chart is drawn, 1 when the table or the chart\n"
      "fails or FILE cannot be read, 2 for a command line that is not understood.\n";
  return text;
}

}  // namespace quillmark
