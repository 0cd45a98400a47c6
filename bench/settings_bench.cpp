// The settings file's two jobs on a real file in /tmp: the save at every
// close (110 entries, each put in place by its own rename; target 20 ms) and
// the load at the first show (target 2 ms), plus a load of a 50 MB file.
#include <benchmark/benchmark.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "settings/settings.h"
#include "text/cp932.h"

namespace quillmark {
namespace {

// A folder in /tmp removed with its content at the end.
class BenchFolder {
 public:
  BenchFolder() {
    char pattern[] = "/tmp/quillmark-settings-bench-XXXXXX";
    path_ = ::mkdtemp(pattern) ? pattern : "/tmp";
  }
  ~BenchFolder() { std::filesystem::remove_all(path_); }
  std::string File(const char* name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

DataTable FullTable() {
  DataTable table;
  for (int row = 1; row <= DataTable::kLastRow; ++row) {
    table.TableCell(0, row, Utf8ToCp932("支店 ") + std::to_string(row));
    table.TableCell(1, row, std::to_string(row * 37) + ".5");
  }
  return table;
}

SettingsRecord SomeRecord() {
  SettingsRecord record;
  record.FontName = Utf8ToCp932("ＭＳ ゴシック");
  record.Scale = "2.5";
  return record;
}

void BM_SaveSettings(benchmark::State& state) {
  const BenchFolder folder;
  const std::string path = folder.File("Quillmark.INI");
  const DataTable table = FullTable();
  const SettingsRecord record = SomeRecord();
  SaveSettings(path, table, record);
  for (auto _ : state) {
    SaveSettings(path, table, record);
  }
}
BENCHMARK(BM_SaveSettings)->Unit(benchmark::kMillisecond);

void BM_LoadSettings(benchmark::State& state) {
  const BenchFolder folder;
  const std::string path = folder.File("Quillmark.INI");
  SaveSettings(path, FullTable(), SomeRecord());
  DataTable table;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadSettings(path, table, "font"));
  }
}
BENCHMARK(BM_LoadSettings)->Unit(benchmark::kMillisecond);

void BM_LoadSettings50MB(benchmark::State& state) {
  const BenchFolder folder;
  const std::string path = folder.File("Quillmark.INI");
  SaveSettings(path, FullTable(), SomeRecord());
  {
    std::ofstream out(path, std::ios::binary | std::ios::app);
    const std::string line = "key-with-some-length=" + std::string(40, 'v');
    out << "\r\n[Filler]\r\n";
    for (int i = 0; out.tellp() < (50 << 20); ++i) out << line << i << "\r\n";
  }
  DataTable table;
  for (auto _ : state) {
    benchmark::DoNotOptimize(LoadSettings(path, table, "font"));
  }
}
BENCHMARK(BM_LoadSettings50MB)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace quillmark

BENCHMARK_MAIN();
