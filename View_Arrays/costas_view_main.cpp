// Entry point of costas_view: checks Costas arrays and draws them, on the process's streams.
#include <iostream>
#include <string>
#include <vector>

#include "View_Arrays/View_run.hpp"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int status = run_costas_view(args, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
