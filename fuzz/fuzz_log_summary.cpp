// Fuzz target: the database log summary. Arbitrary bytes as the log file of a run; every
// "Continue?" is answered Y a few times, then input ends. The summary must echo, report or stop
// cleanly, never crash or hang.
#include <cstddef>
#include <cstdint>
#include <sstream>

#include "Read_Database/Program_state.hpp"
#include "_Library/Program_stop.hpp"
#include "Read_Database/Vellumcairn_logger.hpp"
#include "fuzz/fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz_working_dir();
  write_text("log.txt", std::string_view(reinterpret_cast<const char*>(data), size));
  std::istringstream in("Y\nY\nY\nY\nY\nY\nY\nN\n");
  std::ostringstream out, err;
  Console console(in, out, err);
  Program_state state(console);
  if (state.database.log.open("log.txt") != 0) return 0;
  try {
    show_log_summary(state.database.log, state.output.text, state.dialogue);
  } catch (const Program_stop&) {
  }
  return 0;
}
