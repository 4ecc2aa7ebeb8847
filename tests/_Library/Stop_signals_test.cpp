// Interrupt and termination signals noted while the program works: the work stops at the next
// array or prompt in the orderly way, with the exit status a shell gives that signal.
#include "Stop_signals.hpp"

#include <gtest/gtest.h>

#include <csignal>

#include "Program_state.hpp"
#include "Program_stop.hpp"
#include "Vellumcairn_get_file.hpp"
#include "test_support.hpp"

namespace {

// Installs the program's handler for one test and gives the signals back their default.
struct Signals_fixture : ::testing::Test {
  Signals_fixture() { install_stop_signals(); }
  ~Signals_fixture() override {
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
  }
};

// The stop that f throws, or a code that says none was thrown.
template <typename F>
Program_stop stop_of(F f) {
  try {
    f();
  } catch (const Program_stop& stop) {
    return stop;
  }
  return {"no stop", -1};
}

}  // namespace

TEST_F(Signals_fixture, SignalWhileWorkingStopsAtTheNextCheckOnce) {
  for (const int signal_number : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal_number);
    EXPECT_EQ(stop_signal_received(), 0);
    std::raise(signal_number);   // the handler notes it; the test process goes on
    EXPECT_EQ(stop_signal_received(), signal_number);
    const Program_stop stop = stop_of([] { stop_if_signalled(); });
    EXPECT_EQ(stop.code, "Interrupted.");
    EXPECT_EQ(stop.exit_status, 128 + signal_number);
    // Acted on once: the next check lets the program go on.
    EXPECT_EQ(stop_of([] { stop_if_signalled(); }).exit_status, -1);
  }
}

TEST_F(Signals_fixture, SignalBeforeAPromptStopsInsteadOfWaiting) {
  Scripted_console screen("Y\n");
  std::raise(SIGTERM);
  const Program_stop stop = stop_of([&screen] { screen.console.read_line(); });
  EXPECT_EQ(stop.exit_status, 128 + SIGTERM);
  // The answer was not taken.
  EXPECT_EQ(screen.console.read_line(), "Y");
}

TEST_F(Signals_fixture, SignalWhileTheArraysStreamWritesNoFurtherArray) {
  Temp_dir dir;
  write_file(dir / "arrays.txt", "0 1 3 2\n0 2 3 1\n");
  Scripted_console screen;
  Program_state state(screen.console);
  state.options.use_search_db = true;
  state.options.db_is_generated = false;
  state.options.db_has_methods = false;
  state.options.ca_order = 4;
  Text_input arrays, methods;
  ASSERT_EQ(arrays.open((dir / "arrays.txt").string()), status_ok);

  std::raise(SIGINT);
  const Program_stop stop =
      stop_of([&] { write_selected_arrays(state, arrays, methods, false, 0); });
  EXPECT_EQ(stop.exit_status, 128 + SIGINT);
  EXPECT_EQ(screen.out.str(), "");
  EXPECT_EQ(arrays.line_number(), 0);

  // Without a signal the same call writes both arrays.
  ASSERT_EQ(arrays.open((dir / "arrays.txt").string()), status_ok);
  EXPECT_TRUE(write_selected_arrays(state, arrays, methods, false, 0));
  EXPECT_EQ(screen.lines(), (std::vector<std::string>{"   0  1  3  2", "   0  2  3  1"}));
}
