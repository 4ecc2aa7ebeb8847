// Entry point of make_database: the builder runs on the process's standard streams.
#include <iostream>
#include <unistd.h>

#include "_Library/Console_io.hpp"
#include "Make_Database/Make_database_run.hpp"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  Console console(std::cin, std::cout, std::cerr);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int status = run_make_database(args, console, ::isatty(STDERR_FILENO) == 1);
  console.flush();
  return status;
}
