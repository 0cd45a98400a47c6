// A table and options built from fuzzed bytes: the render gives lines no
// longer than the limit or fails with a message, never anything else.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "chart/chart.h"
#include "text/user_error.h"

namespace {

// Value texts are mostly number-like so that the fuzzer reaches the drawing.
std::string NumberLike(FuzzedDataProvider& in) {
  static constexpr char kAlphabet[] = "0123456789.-+eE 9";
  std::string text;
  const std::size_t length = in.ConsumeIntegralInRange<std::size_t>(0, 12);
  for (std::size_t i = 0; i < length; ++i) {
    text += kAlphabet[in.ConsumeIntegralInRange<std::size_t>(0, sizeof kAlphabet - 2)];
  }
  return text;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider in(data, size);
  quillmark::TChartOptions options;
  options.Material = in.ConsumeBool() ? "_" : in.ConsumeRandomLengthString(4);
  options.UnitText = in.ConsumeRandomLengthString(4);
  options.WriteNum = in.ConsumeBool();
  options.WriteUnit = in.ConsumeBool();
  options.AutoScale = in.ConsumeBool();
  options.Width = in.ConsumeIntegral<int>();
  options.ScaleText = NumberLike(in);

  quillmark::DataTable table;
  quillmark::LastValues last_values{};
  const int renders = in.ConsumeIntegralInRange<int>(1, 3);
  for (int render = 0; render < renders; ++render) {
    const int rows = in.ConsumeIntegralInRange<int>(0, 50);
    for (int row = 1; row <= rows; ++row) {
      table.TableCell(0, row, in.ConsumeRandomLengthString(6));
      table.TableCell(1, row, in.ConsumeBool() ? in.ConsumeRandomLengthString(8)
                                               : NumberLike(in));
    }
    try {
      for (const std::string& line :
           quillmark::RenderChart(table, options, last_values)) {
        if (static_cast<long long>(line.size()) > quillmark::kMaxLineBytes) {
          std::abort();
        }
      }
    } catch (const quillmark::UserError&) {
    }
  }
  return 0;
}
