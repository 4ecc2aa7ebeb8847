// Entry point of vellumcairn: the whole program runs on the process's standard streams.
#include <iostream>

#include "_Library/Stop_signals.hpp"
#include "Read_Database/Vellumcairn_main.hpp"

int main() {
  std::ios::sync_with_stdio(false);
  install_stop_signals();
  return run_vellumcairn(std::cin, std::cout, std::cerr);
}
