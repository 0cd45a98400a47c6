// quillmark-chart: draws the chart of a pasted table on standard output.
#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "cli/run.h"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  try {
    return quillmark::RunCli(std::vector<std::string>(argv + 1, argv + argc),
                             std::cin, std::cout, std::cerr);
  } catch (const std::exception& e) {
    std::cerr << "quillmark-chart: " << e.what() << '\n';
    return quillmark::kExitFailure;
  }
}
