// Fuzz target: the whole dialogue. Arbitrary bytes are the standard input of the program, run
// against the tests' sample database in its own working folder, from the start-up notice through
// menus, prompts and runs until the input ends. Answers may name files inside the fuzzing folder,
// the database's own files included, but never outside it (inputs holding ".." or an answer that
// starts at the root are skipped). The database must come out of every run unchanged: a run never
// writes over what it reads, so a changed database file is a fault.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
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
  set_default_options(state.options, state.number_theory);
  state.options.ca_order = 4;
  state.options.database_path = "db\\";
  state.options.output_pathname = "out.txt";
  state.options.output_position = "REWIND";
  save_options(state.options, state.console, state.pause);
  return read_text(options_file_name);
}

// Every file in the two folders of the sample database, with its contents. Output files may go
// to the database's top folder, but nothing may change inside these two.
std::map<std::string, std::string> database_contents() {
  std::map<std::string, std::string> files = folder_contents("db/Generated");
  files.merge(folder_contents("db/Searches"));
  return files;
}

// Whether an answer of input could name a file outside the fuzzing folder.
bool leaves_the_folder(const std::string& input) {
  if (input.find("..") != std::string::npos) return true;
  for (std::size_t line = 0; line < input.size();) {
    const std::size_t start = input.find_first_not_of(" \t", line);
    if (start != std::string::npos && (input[start] == '/' || input[start] == '\\')) return true;
    const std::size_t end = input.find('\n', line);
    if (end == std::string::npos) break;
    line = end + 1;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const std::string options = [] {
    fuzz_working_dir();
    write_sample_database("db");
    return options_text();
  }();
  static const std::map<std::string, std::string> database = database_contents();
  const std::string input(reinterpret_cast<const char*>(data), size);
  if (leaves_the_folder(input)) return 0;
  write_text(options_file_name, options);
  std::istringstream in(input);
  std::ostringstream out, err;
  run_vellumcairn(in, out, err);
  if (database_contents() != database) {
    std::fputs("a run changed the database it read\n", stderr);
    std::abort();
  }
  return 0;
}
