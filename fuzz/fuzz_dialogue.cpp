// Fuzz target: the whole dialogue. Arbitrary bytes are the standard input of the program, run
// against the tests' sample database in its own working folder, from the start-up notice through
// menus, prompts and runs until the input ends. Inputs holding a path separator are skipped,
// so that no answer can send output files outside the fuzzing folder.
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>

#include "Read_Database/Program_state.hpp"
#include "tests/support/Test_database.hpp"
#include "Read_Database/Vellumcairn_main.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

std::string options_text() {
  std::istringstream in;
  std::ostringstream out, err;
  Console console(in, out, err);
  Program_state state(console);
  set_default_options(state);
  state.options.ca_order = 4;
  state.options.database_path = "db\\";
  state.options.output_pathname = "out.txt";
  state.options.output_position = "REWIND";
  save_options(state);
  std::ostringstream text;
  text << std::ifstream(options_file_name).rdbuf();
  return text.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string options = [] {
    fuzz_working_dir();
    write_sample_database("db");
    return options_text();
  }();
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (input.find_first_of("/\\") != std::string::npos) return 0;
  fuzz_write_file(options_file_name, options);
  std::istringstream in(input);
  std::ostringstream out, err;
  run_vellumcairn(in, out, err);
  return 0;
}
