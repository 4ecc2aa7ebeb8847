// A signal noted while the arrays of a run stream out: no further array is written.
#include <gtest/gtest.h>

#include <csignal>

#include "Read_Database/Program_state.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Stop_signals.hpp"
#include "Read_Database/Vellumcairn_get_file.hpp"
#include "tests/support/test_support.hpp"

TEST(Selection_signals, SignalWhileTheArraysStreamWritesNoFurtherArray) {
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

  install_stop_signals();
  std::raise(SIGINT);
  const auto select = [&] {
    return write_selected_arrays(arrays, methods, state.output, state.gf_polynomial, state.ca,
                                 state.options, state.dialogue);
  };
  const auto stop = stop_of([&] { select(); });
  std::signal(SIGINT, SIG_DFL);
  ASSERT_TRUE(stop.has_value());
  EXPECT_EQ(stop->exit_status, 128 + SIGINT);
  EXPECT_EQ(screen.out.str(), "");
  EXPECT_EQ(arrays.line_number(), 0);

  // Without a signal the same call writes both arrays.
  ASSERT_EQ(arrays.open((dir / "arrays.txt").string()), status_ok);
  EXPECT_TRUE(select().complete);
  EXPECT_EQ(screen.lines(), (std::vector<std::string>{"   0  1  3  2", "   0  2  3  1"}));
}
