// Whole sessions of the real program: first start in an empty folder, changes made at the
// options menu, a run, and the end.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "_Library/Options_file.hpp"
#include "tests/support/test_support.hpp"

namespace fs = std::filesystem;

namespace {

// A generated database of orders 2 and 3 in the layout the program reads.
void write_tiny_database(const fs::path& top) {
  const fs::path generated = top / "Generated";
  fs::create_directories(generated);
  write_file(generated / "Costas_essense_N=2.txt", "1 2\n");
  write_file(generated / "Costas_essense_N=2.txt_methods.txt", " 10000003\n");
  write_file(generated / "Sorted_Costas_arrays_N=3.txt", "4 3\n1 3 2\n2 1 3\n2 3 1\n3 1 2\n");
  write_file(generated / "Sorted_Costas_arrays_N=3.txt_methods.txt",
             "4 3\n 10000002\n 00000001\n 00000001\n 00000001\n");
  write_file(generated / "Costas_essense_N=3.txt", "1 3 2\n");
  write_file(generated / "Costas_essense_N=3.txt_methods.txt", " 10000002\n");
  write_file(generated / "Costas_symmetrical_N=3.txt", "1 3 2\n");
  write_file(generated / "Costas_symmetrical_N=3.txt_methods.txt", " 10000002\n");
  write_file(generated / "Costas_G-Symmetrical_N=3.txt", "No G-symmetrical Costas arrays.\n");
  write_file(generated / "Costas_G-Symmetrical_N=3.txt_methods.txt", "\n");
  write_file(generated / "Costas_log_N=3.txt",
             "Costas arrays of order 3\n"
             "Number of unique Costas arrays: 4\n"
             "Number of essential Costas arrays: 1\n"
             "1 symmetrical Costas arrays\n"
             "0  G-symmetrical Costas arrays\n"
             "Number of unique G-symmetrical arrays: 0\n");
}

bool has_line(const std::vector<std::string>& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

}  // namespace

TEST(Menu_session, FirstStartMenuChangesRunAndDone) {
  Temp_dir dir;
  write_tiny_database(dir / "db");
  const std::string database_answer = "10\n" + (dir / "db").string() + "\n";
  const std::string answers = std::string("Y\n")  // Agree?
                              + "2\n3\n"           // order 3
                              + "5\n2\n"           // the essential set
                              + "6\n"              // index from 1
                              + database_answer    // the tiny database
                              + "11\nrun1\n"       // output run1.txt
                              + "0\n"              // proceed
                              + "Y\n";             // Done?
  const Run_result run = run_program(answers, dir.path());
  EXPECT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.err, "");
  const auto lines = run.lines();
  EXPECT_TRUE(has_line(lines, " Agree (Y for yes, N for no)?"));
  EXPECT_TRUE(has_line(lines, "Costas arrays of order 129, method: generated"));
  EXPECT_TRUE(has_line(
      lines, "Current order:     3             4             1             1             0"));
  EXPECT_TRUE(has_line(lines, " Output Costas arrays will index from  1"));
  EXPECT_TRUE(
      has_line(lines, "5      2, 1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical"));
  EXPECT_TRUE(has_line(lines, "11 run1.txt, Pathname for output text"));
  EXPECT_EQ(lines.back(), " Done (Y for yes, N for no)?");

  // The run used the changed options: the essential set of order 3, indices from 1.
  const auto output = read_lines(dir / "run1.txt");
  ASSERT_FALSE(output.empty());
  EXPECT_EQ(output.front(), "Costas arrays of order 3");
  EXPECT_EQ(std::count(output.begin(), output.end(), "Welch 0, Symmetrical"), 1);
  EXPECT_EQ(output.back(), "   1  3  2");

  const auto options = read_lines(dir / "Vellumcairn_Options.txt");
  ASSERT_EQ(options.size(), 16u);
  EXPECT_EQ(options[4].substr(0, 4), "   3");
  EXPECT_EQ(options[7].substr(0, 1), "2");
  EXPECT_EQ(options[8].substr(0, 1), "1");
  EXPECT_EQ(options[12], (dir / "db").string() + (unix_paths ? "/" : "\\") +
                            "  ,Path for database top-level database folder");
  EXPECT_EQ(options[13], "run1.txt  ,Pathname for output text");
}

TEST(Menu_session, NoToDoneShowsTheSavedOptionsAgainAndMinusOneLeaves) {
  Temp_dir dir;
  const Run_result run = run_program("Y\n2\n40\n0\nN\n-1\n", dir.path());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.err, "Normal exit without processing.\n");
  const auto lines = run.lines();
  // The second entry reads the file written by choice 0 of the first.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "Costas arrays of order  40, method: generated"),
            1);
  EXPECT_EQ(
      std::count(lines.begin(), lines.end(),
                 "Current order:    40          1292           162             1           640"),
      2);
}

TEST(Menu_session, HiddenChoiceMinusTwoWritesTheCountCheck) {
  Temp_dir dir;
  const Run_result run = run_program("Y\n-2\n", dir.path());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.err, "Normal exit.\n");
  const auto check = read_lines(dir / "cancheck.csv");
  ASSERT_EQ(check.size(), 499u);
  EXPECT_EQ(check.front(), "   2 ,  2 ,  1 ,  1 ,  1");
  EXPECT_EQ(check.back(), "   500 ,  504 ,  63 ,  0 ,  0");
}

TEST(Menu_session, EndOfInputAtAMenuPromptEndsInAnOrderlyWay) {
  Temp_dir dir;
  for (const char* answers : {"Y\n", "Y\n2\n", "Y\n2\nx\n", "Y\n9\n", "Y\n12\n4\n", "Y\n10\n"}) {
    const Run_result run = run_program(answers, dir.path());
    EXPECT_EQ(run.exit_status, 1) << answers;
    EXPECT_EQ(run.err, "End of input.\n") << answers;
  }
}
