// RenderChart on a full table: 50 labelled rows of negative and decimal
// values, in filled and in outline mode. Target: at most 20 µs per render.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <string>

#include "chart/chart.h"
#include "table/data_table.h"

namespace quillmark {
namespace {

DataTable FullTable() {
  DataTable table;
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    const int tenths = (row * 37) % 500 - 150;  // -15.0 .. 34.9
    table.TableCell(0, row, "Row " + std::to_string(row));
    table.TableCell(1, row, std::to_string(tenths / 10) + "." +
                                std::to_string(std::abs(tenths % 10)));
  }
  return table;
}

void RenderFullTable(benchmark::State& state, const char* material) {
  const DataTable table = FullTable();
  TChartOptions options;
  options.Material = material;
  options.WriteUnit = true;
  LastValues values{};
  for (auto _ : state) {
    benchmark::DoNotOptimize(RenderChart(table, options, values));
  }
}

void BM_RenderFilled(benchmark::State& state) { RenderFullTable(state, "*"); }
void BM_RenderOutline(benchmark::State& state) { RenderFullTable(state, "_"); }

BENCHMARK(BM_RenderFilled)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderOutline)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quillmark

BENCHMARK_MAIN();
