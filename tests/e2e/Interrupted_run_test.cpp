// Runs cut short: a signal, the end of input or a declined question while the program waits at
// a prompt in the middle of a run, and a signal while the arrays stream. Every output file
// keeps each line written so far, and only whole lines.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>

#include "tests/e2e/database_tree.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string continue_prompt = " Continue (Y for yes, N for no)?\n";
const std::string done_prompt = " Done (Y for yes, N for no)?\n";

// Order 4 of the generated database, essential set of three arrays; the log file holds only
// its first two summary lines when cut_log is set, so that the run stops at "Continue?".
void write_database(const fs::path& dir, bool cut_log) {
  Order_files f = three_essential_arrays();
  const Lines log = split_lines(six_log_lines);
  f.log = cut_log ? log[0] + "\n" + log[1] + "\n" : six_log_lines;
  write_order(dir / "db" / "Generated", 4, f, true);
  set_options(dir, [](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
  });
}

Lines trimmed_log_lines(std::size_t count) {
  Lines lines;
  for (const auto& line : split_lines(six_log_lines)) {
    if (lines.size() < count) lines.emplace_back(trim(line));
  }
  return lines;
}

struct Stop_case {
  const char* what;
  bool cut_log;              // the run waits at "Continue?" after two log lines
  const char* answer;        // typed at that prompt before the stop; empty for none
  int signal_number;         // 0: the input ends instead
  int exit_status;
  const char* err;
};

}  // namespace

TEST(Interrupted_run, StopsAtAPromptKeepEveryLineWrittenSoFar) {
  const Stop_case cases[] = {
      {"SIGTERM at Continue?", true, "", SIGTERM, 128 + SIGTERM, ""},
      {"SIGINT at Continue?", true, "", SIGINT, 128 + SIGINT, ""},
      {"end of input at Continue?", true, "", 0, 1, "End of input.\n"},
      {"N to Continue?", true, "N\n", 0, 0, "2\n"},
      {"SIGTERM at Done?", false, "", SIGTERM, 128 + SIGTERM, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_dir dir;
    write_database(dir.path(), c.cut_log);
    Running_program program(dir.path());
    program.type("Y\n0\n");
    ASSERT_TRUE(program.wait_for_prompt(c.cut_log ? continue_prompt : done_prompt));
    if (*c.answer != '\0') program.type(c.answer);
    if (c.signal_number != 0) program.send_signal(c.signal_number);
    const Run_result result = program.finish();
    EXPECT_EQ(result.exit_status, c.exit_status);
    EXPECT_EQ(result.err, c.err);

    if (c.cut_log) {
      // The two log lines were still in the file's buffer when the prompt came.
      EXPECT_EQ(read_file(dir / "out.txt"), "Costas arrays of order 4\n"
                                            "Number of unique Costas arrays: 3\n");
      EXPECT_EQ(read_file(dir / "out.csv"), "");
      EXPECT_EQ(read_file(dir / "out_methods.csv"), "");
    } else {
      EXPECT_EQ(read_lines(dir / "out.txt"),
                concat(trimmed_log_lines(6), {"Welch 0", "   0  1  3  2", "Welch 1",
                                              "   0  2  3  1", "Welch 2", "   1  3  2  0",
                                              three_essential_count_line}));
      EXPECT_EQ(read_lines(dir / "out_methods.csv"), (Lines{"Welch 0", "Welch 1", "Welch 2"}));
    }
  }
}

// The essential-set file is a pipe fed by the test: the signal comes while the program works
// (never at a prompt), and the run ends at the next array with every file holding whole lines.
TEST(Interrupted_run, SignalWhileTheArraysStreamEndsTheRunBetweenTwoArrays) {
  Temp_dir dir;
  write_database(dir.path(), false);
  const fs::path pipe = dir / "db" / "Generated" / "Costas_essense_N=4.txt";
  fs::remove(pipe);
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0644), 0);

  Running_program program(dir.path());
  program.type("Y\n0\n");
  // The open succeeds once the program has opened the pipe for reading, after its last prompt.
  int feed = -1;
  for (int tries = 0; tries < hang_guard_polls && feed < 0; ++tries) {
    feed = ::open(pipe.c_str(), O_WRONLY | O_NONBLOCK);
    if (feed < 0) ::usleep(10000);
  }
  ASSERT_GE(feed, 0);
  const std::string two_arrays = "1 2 4 3\n1 3 4 2\n";
  ASSERT_EQ(::write(feed, two_arrays.data(), two_arrays.size()),
            static_cast<ssize_t>(two_arrays.size()));
  program.send_signal(SIGTERM);
  ::close(feed);
  const Run_result result = program.finish();
  EXPECT_EQ(result.exit_status, 128 + SIGTERM);
  EXPECT_EQ(result.err, "Interrupted.\n");

  // However far the run got, the three files agree on the arrays written, line for line.
  const Lines methods = read_lines(dir / "out_methods.csv");
  ASSERT_LE(methods.size(), 2u);
  const Lines all_tags = {"Welch 0", "Welch 1"};
  const Lines all_rows = {"   0 ,  1 ,  3 ,  2", "   0 ,  2 ,  3 ,  1"};
  const Lines all_text = {"Welch 0", "   0  1  3  2", "Welch 1", "   0  2  3  1"};
  const auto k = static_cast<std::ptrdiff_t>(methods.size());
  EXPECT_EQ(methods, Lines(all_tags.begin(), all_tags.begin() + k));
  EXPECT_EQ(read_lines(dir / "out.csv"), Lines(all_rows.begin(), all_rows.begin() + k));
  EXPECT_EQ(read_lines(dir / "out.txt"),
            concat(trimmed_log_lines(6), Lines(all_text.begin(), all_text.begin() + 2 * k)));
  for (const char* name : {"out.txt", "out.csv", "out_methods.csv"}) {
    const std::string text = read_file(dir / name);
    EXPECT_TRUE(text.empty() || text.back() == '\n') << name << " ends in a cut line";
  }
}
