// Interrupt and termination signals noted while the program works: the work stops at the next
// array or prompt in the orderly way, with the exit status a shell gives that signal.
#include "_Library/Stop_signals.hpp"

#include <gtest/gtest.h>

#include <csignal>

#include "_Library/Program_stop.hpp"
#include "tests/support/test_support.hpp"

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
