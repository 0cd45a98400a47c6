// The whole quillmark-chart process on a full table of 50 rows: start-up,
// reading, conversion, rendering and output. Target: at most 10 ms a run.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

extern char** environ;

namespace {

const std::string kProgram = std::string(QUILLMARK_BUILD_DIR) + "/quillmark-chart";

// Japanese and Latin labels, positive and negative values, in UTF-8.
std::string FiftyRows() {
  std::string text;
  for (int row = 1; row <= 50; ++row) {
    text += (row % 2 ? "東京" : "Row") + std::to_string(row) + "," +
            std::to_string((row * 37) % 200 - 60) + ".5\r\n";
  }
  return text;
}

// Runs the program once with `input` as standard input and its output
// discarded; returns its exit status, or -1 when it could not run.
int RunOnce(const char* input, char* const argv[]) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 0, input, O_RDONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  pid_t pid = 0;
  const int spawned =
      posix_spawn(&pid, kProgram.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (spawned != 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void BM_ChartProcessFiftyRows(benchmark::State& state) {
  const std::filesystem::path input =
      std::filesystem::temp_directory_path() /
      ("quillmark_cli_bench_" + std::to_string(::getpid()));
  std::ofstream(input, std::ios::binary) << FiftyRows();
  std::string program = kProgram, html = "--html";
  char* const argv[] = {program.data(), html.data(), nullptr};
  for (auto _ : state) {
    if (RunOnce(input.c_str(), argv) != 0) {
      state.SkipWithError(("cannot run " + kProgram).c_str());
      break;
    }
  }
  std::filesystem::remove(input);
}
BENCHMARK(BM_ChartProcessFiftyRows)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
