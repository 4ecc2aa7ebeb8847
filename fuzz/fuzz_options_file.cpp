// Fuzz target: the options file reader. Arbitrary bytes as Vellumcairn_Options.txt; the reader
// must report or replace a bad file and never crash, whatever the bytes.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "Read_Database/Program_state.hpp"
#include "_Library/Program_stop.hpp"
#include "fuzz/fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_working_dir();
  write_text(options_file_name,
                  std::string_view(reinterpret_cast<const char*>(data), size));
  std::istringstream in("Y\nY\nY\n");
  std::ostringstream out, err;
  Console console(in, out, err);
  Program_state state(console);
  try {
    load_options(state.options, state.dialogue, state.number_theory);
    save_options(state.options, state.console, state.pause);
    load_options(state.options, state.dialogue, state.number_theory);
  } catch (const Program_stop&) {
  }
  return 0;
}
