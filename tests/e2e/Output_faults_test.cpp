// Files the program cannot write: a full disk, a read-only folder, a folder or a file where a
// file or folder is needed, the options file and the count-table export. The user is told
// which file failed and why, the other files keep every line, and no lost line passes for a
// success. Every fault here is one that stops root as well.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/database_tree.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string full_disk = "28 no space left on device; volume full";

void write_database(const fs::path& dir) {
  write_order(dir / "db" / "Generated", 4, three_essential_arrays(), true);
}

// Order 4, essential set, output text file out (relative to the working folder).
void set_run_options(const fs::path& dir, const std::string& out) {
  set_options(dir, [&out](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
    o.output_pathname = out;
  });
}

Lines text_file_lines() {
  Lines lines;
  for (const auto& line : split_lines(six_log_lines)) lines.emplace_back(trim(line));
  return concat(lines, {"Welch 0", "   0  1  3  2", "Welch 1", "   0  2  3  1", "Welch 2",
                        "   1  3  2  0", three_essential_count_line});
}

const Lines csv_lines = {"   0 ,  1 ,  3 ,  2", "   0 ,  2 ,  3 ,  1", "   1 ,  3 ,  2 ,  0"};
const Lines methods_lines = {"Welch 0", "Welch 1", "Welch 2"};

bool has_line(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// The lines of the run between the menu's last prompt and "Done?".
Lines run_lines(const Run_result& result) {
  Lines run;
  for (const auto& line : result.lines()) {
    if (line == "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:") {
      run.clear();
    } else if (line == " Done (Y for yes, N for no)?") {
      break;
    } else {
      run.push_back(line);
    }
  }
  return run;
}

}  // namespace

TEST(Output_faults, FullDiskUnderOneOutputFile) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  const std::pair<const char*, const Lines*> files[] = {
      {"out.txt", nullptr}, {"out.csv", &csv_lines}, {"out_methods.csv", &methods_lines}};
  for (const auto& [full, unused] : files) {
    SCOPED_TRACE(full);
    Temp_dir dir;
    write_database(dir.path());
    set_run_options(dir.path(), "out.txt");
    fs::create_symlink("/dev/full", dir / full);
    const Run_result result = run_program("Y\n0\nY\n", dir.path());
    const Lines run = run_lines(result);
    ASSERT_FALSE(run.empty());
    EXPECT_EQ(run.back(), " Error writing " + std::string(full) + ": " + full_disk);
    // The files that could be written keep every line.
    if (std::string(full) != "out.txt") {
      EXPECT_EQ(read_lines(dir / "out.txt"), text_file_lines());
    }
    for (const auto& [name, lines] : files) {
      if (lines != nullptr && name != std::string(full)) {
        EXPECT_EQ(read_lines(dir / name), *lines);
      }
    }
    // Lost lines are no success.
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_EQ(result.err, "");
  }
}

struct Unopenable_case {
  const char* what;
  std::string pathname;
  std::string status_text;
};

TEST(Output_faults, OutputTextFileThatCannotBeOpened) {
  Temp_dir dir;
  write_database(dir.path());
  fs::create_directory(dir / "folder.txt");
  write_file(dir / "plain", "a file, not a folder\n");
  const Unopenable_case cases[] = {
      {"a folder", "folder.txt", "21 is a directory"},
      {"a name under a plain file", "plain/out.txt", "20 not a directory"},
      {"a name in a missing folder", "missing/out.txt", "2 no such file or directory"},
      {"a new file under /proc", "/proc/out.txt", "2 no such file or directory"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    set_run_options(dir.path(), c.pathname);
    const Run_result going_on = run_program("Y\n0\nY\nY\n", dir.path());
    const Lines run = run_lines(going_on);
    ASSERT_GE(run.size(), 3u);
    EXPECT_EQ(Lines(run.begin(), run.begin() + 3),
              (Lines{" ### Could not open " + c.pathname, " I/O error: " + c.status_text,
                     " Continue (Y for yes, N for no)?"}));
    // The run goes on without output files: the arrays and the count line reach the console
    // only.
    EXPECT_EQ(Lines(run.end() - 2, run.end()), (Lines{"   1  3  2  0", three_essential_count_line}));
    EXPECT_FALSE(fs::exists(dir / "folder.csv"));
    EXPECT_EQ(going_on.exit_status, 0);

    const Run_result declined = run_program("Y\n0\nN\n", dir.path());
    EXPECT_EQ(declined.err, "2\n");
    EXPECT_EQ(declined.exit_status, 0);
  }
}

TEST(Output_faults, ReadOnlyOutputFolder) {
  Temp_dir dir;
  write_database(dir.path());
  fs::create_directory(dir / "ro");
  write_file(dir / "ro" / "out.csv", "an earlier row\n");
  set_run_options(dir.path(), "ro/out.txt");
  const auto result = run_program_read_only("Y\n0\nY\nY\n", dir.path(), dir / "ro");
  if (!result) GTEST_SKIP() << "this system refuses a private read-only mount";
  const Lines run = run_lines(*result);
  ASSERT_GE(run.size(), 2u);
  EXPECT_EQ(run[0], " ### Could not open ro/out.txt");
  EXPECT_EQ(run[1], " I/O error: 30 read-only file system access");
  EXPECT_EQ(read_file(dir / "ro" / "out.csv"), "an earlier row\n");
  EXPECT_FALSE(fs::exists(dir / "ro" / "out.txt"));
  EXPECT_EQ(result->exit_status, 0);
}

TEST(Output_faults, OptionsFileInAReadOnlyWorkingFolder) {
  Temp_dir dir;
  Temp_dir elsewhere;   // a writable folder for the output files
  write_database(dir.path());
  set_run_options(dir.path(), (elsewhere / "out.txt").string());
  const std::string saved = read_file(dir / options_file_name);
  const Lines not_saved = {" Error opening Vellumcairn_Options.txt, error: 30 read-only file "
                           "system access",
                           " Make sure that you have write permissions",
                           " Default options not saved.", " Continue (Y for yes, N for no)?"};

  // Y goes on without a saved file: the index base changed at the menu is used all the same.
  const auto going_on = run_program_read_only("Y\n6\n0\nY\nY\n", dir.path(), dir.path());
  if (!going_on) GTEST_SKIP() << "this system refuses a private read-only mount";
  const Lines lines = going_on->lines();
  EXPECT_NE(std::search(lines.begin(), lines.end(), not_saved.begin(), not_saved.end()),
            lines.end());
  EXPECT_EQ(read_lines(elsewhere / "out.csv"),
            (Lines{"   1 ,  2 ,  4 ,  3", "   1 ,  3 ,  4 ,  2", "   2 ,  4 ,  3 ,  1"}));
  EXPECT_EQ(read_file(dir / options_file_name), saved);
  EXPECT_EQ(going_on->exit_status, 0);

  const auto declined = run_program_read_only("Y\n0\nN\n", dir.path(), dir.path());
  ASSERT_TRUE(declined);
  EXPECT_EQ(declined->err, "2\n");
  EXPECT_EQ(declined->lines().back(), " Continue (Y for yes, N for no)?");

  // A first start there: the defaults cannot be saved either; Y shows the menu.
  Temp_dir empty;
  const auto first = run_program_read_only("Y\nY\n-1\n", empty.path(), empty.path());
  ASSERT_TRUE(first);
  const Lines first_lines = first->lines();
  EXPECT_NE(std::search(first_lines.begin(), first_lines.end(), not_saved.begin(),
                        not_saved.end()),
            first_lines.end());
  EXPECT_EQ(first_lines.back(), "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:");
  EXPECT_EQ(first->err, "Normal exit without processing.\n");
  EXPECT_FALSE(fs::exists(empty / options_file_name));
}

TEST(Output_faults, OptionsFileAndCountTableOnAFullDisk) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full on this system";
  Temp_dir dir;
  fs::create_symlink("/dev/full", dir / options_file_name);
  fs::create_symlink("/dev/full", dir / "cancheck.csv");
  const Run_result result = run_program("Y\n-2\n", dir.path());
  const Lines lines = result.lines();
  // Reading the device gives endless zero bytes: a line too long, not an endless wait.
  EXPECT_TRUE(has_line(lines, " Error reading Vellumcairn_Options.txt: 215 Reading more data "
                              "than the record size (RE"));
  EXPECT_TRUE(has_line(lines, " Error writing Vellumcairn_Options.txt: " + full_disk));
  EXPECT_EQ(lines.back(), " Error writing cancheck.csv: " + full_disk);
  EXPECT_EQ(result.err, "2\n");
}

TEST(Output_faults, ConsoleThatTakesNoLinesIsNoSuccess) {
  Temp_dir dir;
  Working_dir cwd(dir.path());
  // Leaving at the menu, and declining the notice: both end with status 0 on a working console.
  for (const std::string answers : {"Y\n-1\n", "N\n"}) {
    std::istringstream in(answers);
    std::ostringstream good, err;
    EXPECT_EQ(run_vellumcairn(in, good, err), 0) << answers;
    std::istringstream again(answers);
    std::ostream broken(nullptr);   // every write fails, as on a full disk or a closed console
    EXPECT_EQ(run_vellumcairn(again, broken, err), 1) << answers;
  }
}
