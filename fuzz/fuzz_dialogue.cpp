// Fuzz target: the whole dialogue. Arbitrary bytes are the standard input of the program, run
// against a small database tree in its own working folder, from the start-up notice through
// menus, prompts and runs until the input ends. Inputs holding a path separator are skipped,
// so that no answer can send output files outside the fuzzing folder.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "Program_state.hpp"
#include "Vellumcairn_main.hpp"
#include "fuzz_support.hpp"

namespace {

void write_order_4(const std::filesystem::path& folder, bool generated) {
  std::filesystem::create_directories(folder);
  const std::string one = generated ? "1" : "0";
  const std::string all = generated ? "4 3\n 1 2 4 3\nPolymorph: 3 4 2 1\n 2 1 3 4\n"
                                    : "4 3\n 0 1 3 2\nPolymorph: 2 3 1 0\n 1 0 2 3\n";
  const std::string arrays = generated ? " 1 2 4 3\nPolymorph: 3 4 2 1\n" : " 0 1 3 2\nPolymorph: 2 3 1 0\n";
  const std::string methods = " 10000002\n 11000002\n";
  const std::string log =
      "Costas arrays of order 4\nNumber of unique Costas arrays: 3\n"
      "Number of essential Costas arrays: 2\n1 symmetrical Costas arrays\n"
      "8  G-symmetrical Costas arrays\nNumber of unique G-symmetrical arrays: 8\n";
  const auto pair = [&](const std::string& kind, const std::string& text, const std::string& flags) {
    fuzz_write_file(folder / (kind + "4.txt"), text);
    if (generated) fuzz_write_file(folder / (kind + "4.txt_methods.txt"), flags);
  };
  pair("Sorted_Costas_arrays_N=", all, "4 3\n 10000002\n 11000002\n 00000100\n");
  pair("Costas_essense_N=", arrays, methods);
  pair("Costas_symmetrical_N=", "No symmetrical Costas arrays.\n", "");
  pair("Costas_G-Symmetrical_N=", arrays, methods);
  fuzz_write_file(folder / "Costas_log_N=4.txt", log);
  // The order-2 essential-set file is what the database folder prompt looks for.
  if (generated) fuzz_write_file(folder / "Costas_essense_N=2.txt", " 1 2\n");
}

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
    write_order_4("db/Generated", true);
    write_order_4("db/Searches", false);
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
