// The paste of a very large clipboard text: every line is cut and checked,
// though only the first 50 reach the table. Target: at most 300 ms for a
// million lines (about 12 MB), growing linearly with the text.
#include <benchmark/benchmark.h>

#include <string>

#include "table/clipboard_import.h"
#include "table/data_table.h"

namespace {

// Spreadsheet-like lines of a label and a number, about 12 bytes each.
std::string LabelNumberLines(int count) {
  std::string text;
  for (int i = 0; i < count; ++i) {
    text += "Item" + std::to_string(i % 100) + "," +
            std::to_string(i % 997) + "\r\n";
  }
  return text;
}

void BM_FillTableFromText(benchmark::State& state) {
  const std::string text = LabelNumberLines(static_cast<int>(state.range(0)));
  quillmark::DataTable table;
  for (auto _ : state) {
    quillmark::FillTableFromText(table, text);
    benchmark::DoNotOptimize(table);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(text.size()));
  state.counters["MB"] = static_cast<double>(text.size()) / 1e6;
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_FillTableFromText)
    ->Arg(100000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);

}  // namespace

BENCHMARK_MAIN();
