// Entry point of vellumcairn: without arguments the interactive program on the process's
// standard streams; with any argument the command line (select, counts, --help).
#include <iostream>
#include <string>
#include <vector>

#include "_Library/Stop_signals.hpp"
#include "Read_Database/Vellumcairn_command_line.hpp"
#include "Read_Database/Vellumcairn_main.hpp"

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  install_stop_signals();
  if (argc > 1) return run_command_line(std::vector<std::string>(argv + 1, argv + argc), std::cout, std::cerr);
  return run_vellumcairn(std::cin, std::cout, std::cerr);
}
