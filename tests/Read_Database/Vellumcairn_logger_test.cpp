// The log summary: the six keys in order, the echo to console and output text file, and the
// error line with its "Continue?" when the log file runs out.
#include <gtest/gtest.h>

#include <vector>

#include "Read_Database/Program_state.hpp"
#include "_Library/Program_stop.hpp"
#include "Read_Database/Vellumcairn_logger.hpp"
#include "tests/support/test_support.hpp"

namespace {

struct Log_fixture : ::testing::Test {
  Temp_dir dir;

  // Runs the summary on a log file of the given text, with the output text file open or not.
  std::vector<std::string> summary(const std::string& log, bool text_open,
                                   const std::string& answers = "") {
    write_file(dir / "log.txt", log);
    Scripted_console screen(answers);
    Program_state state(screen.console);
    EXPECT_EQ(state.database.log.open((dir / "log.txt").string()), status_ok);
    if (text_open) {
      EXPECT_EQ(state.output.text.open((dir / "out.txt").string(), Write_position::rewind), status_ok);
    }
    try {
      show_log_summary(state.database.log, state.output.text, state.dialogue);
    } catch (const Program_stop& stop) {
      stopped_with = stop.code;
    }
    EXPECT_EQ(state.output.text.close(), status_ok);
    return screen.lines();
  }
  std::string stopped_with = "none";
};

const std::string six_lines =
    "Costas arrays of order 12\n"
    "Number of unique Costas arrays: 1\n"
    "Number of essential Costas arrays: 1\n"
    "12 symmetrical Costas arrays\n"
    "3  G-symmetrical Costas arrays\n"
    "Number of unique G-symmetrical arrays: 3\n";

}  // namespace

TEST_F(Log_fixture, SixLinesEchoedToConsoleAndTextFile) {
  const auto shown = summary(six_lines, true);
  const auto expected_file = split_lines(six_lines);
  std::vector<std::string> expected_console;
  for (const auto& line : expected_file) expected_console.push_back(" " + line);
  EXPECT_EQ(shown, expected_console);
  EXPECT_EQ(read_lines(dir / "out.txt"), expected_file);
}

TEST_F(Log_fixture, LinesBetweenMatchesAndLaterKeysAreSkipped) {
  const std::string log =
      "Log of the arrays\n"
      "   Costas arrays of order 12   \n"
      "3 G-symmetrical Costas arrays (one blank: no match for the G key)\n"
      "Number of unique G-symmetrical arrays: skipped, its key is not yet due\n"
      "Number of unique Costas arrays: 1\n"
      "Number of essential Costas arrays: 1\n"
      "Number of symmetrical Costas arrays: 12\n"
      "3 G-symmetrical Costas arrays\n"
      "3  G-symmetrical Costas arrays\n"
      "Number of unique G-symmetrical arrays: 3\n"
      "trailing text\n";
  const std::vector<std::string> expected = {
      " Costas arrays of order 12", " Number of unique Costas arrays: 1",
      " Number of essential Costas arrays: 1", " Number of symmetrical Costas arrays: 12",
      " 3  G-symmetrical Costas arrays", " Number of unique G-symmetrical arrays: 3"};
  EXPECT_EQ(summary(log, false), expected);
  EXPECT_FALSE(std::filesystem::exists(dir / "out.txt"));
}

TEST_F(Log_fixture, ShortLogAsksUntilNo) {
  const auto shown = summary("Costas arrays of order 4\n", true, "Y\nyes\nN\n");
  const std::vector<std::string> expected = {
      " Costas arrays of order 4",
      " Error -1  on reading log file", " Continue (Y for yes, N for no)?",
      " Error -1  on reading log file", " Continue (Y for yes, N for no)?",
      " Error -1  on reading log file", " Continue (Y for yes, N for no)?"};
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(stopped_with, "2");
  EXPECT_EQ(read_lines(dir / "out.txt"), std::vector<std::string>{"Costas arrays of order 4"});
}
