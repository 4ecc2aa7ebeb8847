// Writes the sample database of the tests (order 4 in both databases) under the folder given,
// for sessions run outside the test programs, such as the memory check of scripts/valgrind.sh.
#include <iostream>

#include "tests/support/Test_database.hpp"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "Usage: write_sample_database FOLDER\n";
    return 2;
  }
  write_sample_database(argv[1]);
  return 0;
}
