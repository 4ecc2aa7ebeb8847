// The command line through the real binary: select's arguments, exit status, closing line and
// files, with the options file and the database left as they were; counts and --help; and the
// text format against the interactive run of the same selection.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/database_tree.hpp"
#include "_Library/Count_tables.hpp"
#include "_Library/Output_text_lines.hpp"

namespace {

namespace fs = std::filesystem;
using Args = std::vector<std::string>;

// A database built by make_database once for every test here: searched orders 3 to 8 and
// generated 2 to 8 complete, generated 12 with its constructed arrays only.
class Select_command : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = new Temp_dir;
    for (const Args& args : {Args{"--searched", "3-8", "--generated", "2-8"}, Args{"--generated", "12"}}) {
      Args command = {"--out", "db"};
      command.insert(command.end(), args.begin(), args.end());
      const auto build = run_binary(MAKE_DATABASE_BINARY, command, "", dir_->path());
      ASSERT_EQ(build.exit_status, 0) << build.err;
    }
  }
  static void TearDownTestSuite() { delete dir_; }
  static const fs::path& dir() { return dir_->path(); }
  static Temp_dir* dir_;
};
Temp_dir* Select_command::dir_ = nullptr;

Run_result select(const fs::path& dir, Args args) {
  args.insert(args.begin(), {"select", "--database", "db"});
  return run_binary(VELLUMCAIRN_BINARY, args, "", dir);
}

std::string last_line(const std::string& text) {
  const auto lines = split_lines(text);
  return lines.empty() ? "" : lines.back();
}

// Arrays in an output file: csv data rows (the header aside), npy rows from the file's size.
std::int64_t rows_in(const fs::path& file, int n) {
  if (file.extension() == ".npy") return (static_cast<std::int64_t>(fs::file_size(file)) - 128) / (2 * n);
  return static_cast<std::int64_t>(read_lines(file).size()) - 1;
}

TEST_F(Select_command, EachRowOfArgumentsGivesItsStatusClosingLineAndFile) {
  write_file(dir() / "Vellumcairn_Options.txt", "the options file of an interactive user\n");
  const auto options_before = read_file(dir() / "Vellumcairn_Options.txt");
  const auto database_before = folder_contents(dir() / "db");
  const Order_counts c8 = database_counts(8);
  const Order_counts c5 = database_counts(5);
  const std::string csv_header = "order,line,method,flags,transform,symmetrical,g_symmetrical,r1,";
  struct Case {
    Args args;
    int status;
    std::string last;    // the closing line on standard output, or the message on the error stream
    std::string out;     // the file written (empty: none)
    std::string header;  // how it starts
    std::int64_t rows;   // arrays it holds afterwards
  };
  const std::string wrote = "Wrote " + std::to_string(c8.essential) + " essential arrays of order 8 to ";
  const Case cases[] = {
      {{"--order", "8", "--kind", "essential", "--out", "e8.csv"}, 0, wrote + "e8.csv.", "e8.csv", csv_header, c8.essential},
      {{"--order", "8", "--kind", "essential", "--out", "e8.csv"}, 1,
       "vellumcairn: e8.csv exists; give --overwrite to replace it or --append to add to it", "e8.csv", csv_header, c8.essential},
      {{"--order", "8", "--kind", "essential", "--out", "e8.csv", "--overwrite"}, 0, wrote + "e8.csv.", "e8.csv", csv_header, c8.essential},
      {{"--order", "8", "--kind", "essential", "--out", "e8.csv", "--append"}, 0, wrote + "e8.csv.", "e8.csv", csv_header, 2 * c8.essential},
      {{"--order", "8", "--kind", "essential", "--format", "npy", "--out", "e8.npy"}, 0, wrote + "e8.npy.", "e8.npy", "\x93NUMPY", c8.essential},
      {{"--searched", "--order", "5", "--base", "1", "--out", "s5.csv"}, 0,
       "Wrote " + std::to_string(c5.all) + " arrays of order 5 to s5.csv.", "s5.csv", csv_header, c5.all},
      {{"--order", "12", "--kind", "g-symmetrical", "--out", "g12.csv"}, 0, "", "g12.csv", csv_header, -1},
      {{"--order", "8", "--out", "db/Generated/x.csv"}, 1, "vellumcairn: will not write db/Generated/x.csv", "", "", 0},
      {{"--order", "8", "--out", "Vellumcairn_Options.txt", "--overwrite"}, 1, "vellumcairn: will not write Vellumcairn_Options.txt", "", "", 0},
      {{"--order", "7", "--out", "o7.csv"}, 1, "vellumcairn: the database files of order 7 cannot be read under db", "", "", 0},
      {{"--order", "501", "--out", "x.csv"}, 2, "vellumcairn: --order takes a whole number from 2 to 500", "", "", 0},
      {{"--searched", "--order", "28", "--out", "x.csv"}, 2, "vellumcairn: --order: the searched database holds orders 3 to 27", "", "", 0},
      {{"--order", "8", "--kind", "odd", "--out", "x.csv"}, 2, "vellumcairn: --kind takes all", "", "", 0},
      {{"--order", "8", "--method", "1,welsh", "--out", "x.csv"}, 2, "vellumcairn: --method: \"welsh\" names no method", "", "", 0},
      {{"--order", "8", "--method", "20", "--out", "x.csv"}, 2, "vellumcairn: --method: \"20\" names no method", "", "", 0},
      {{"--order", "8", "--format", "npy", "--out", "x.npy", "--append"}, 2, "vellumcairn: --append does not apply to npy", "", "", 0},
      {{"--order", "8", "--field", "11", "--out", "x.csv"}, 2, "vellumcairn: --field goes with --polynomials", "", "", 0},
      {{"--order", "8", "--overwrite", "--append", "--out", "x.csv"}, 2, "vellumcairn: give --overwrite or --append, not both", "", "", 0},
      {{"--order", "8"}, 2, "vellumcairn: select needs --out FILE", "", "", 0},
  };
  // The database of this test has no order 7: it is removed before the table runs.
  for (const auto& entry : fs::directory_iterator(dir() / "db" / "Generated")) {
    if (entry.path().filename().string().find("N=7.") != std::string::npos) fs::remove(entry.path());
  }
  const auto database = folder_contents(dir() / "db");
  for (const Case& c : cases) {
    std::string shown;
    for (const auto& arg : c.args) shown += arg + " ";
    SCOPED_TRACE(shown);
    const Run_result run = select(dir(), c.args);
    EXPECT_EQ(run.exit_status, c.status) << run.err;
    if (c.status == 0) {
      EXPECT_TRUE(run.err.empty()) << run.err;
      if (!c.last.empty()) {
        EXPECT_EQ(last_line(run.out), c.last);
      }
    } else {
      EXPECT_EQ(split_lines(run.err).size(), 1U) << run.err;
      EXPECT_TRUE(run.err.starts_with(c.last)) << run.err;
    }
    if (!c.out.empty()) {
      EXPECT_TRUE(read_file(dir() / c.out).starts_with(c.header));
      if (c.rows >= 0) {
        EXPECT_EQ(rows_in(dir() / c.out, 8), c.rows);
      }
    }
    if (c.status == 2) {
      EXPECT_FALSE(fs::exists(dir() / "x.csv") || fs::exists(dir() / "x.npy"));
    }
    EXPECT_EQ(read_file(dir() / "Vellumcairn_Options.txt"), options_before);
    EXPECT_EQ(folder_contents(dir() / "db"), database);
  }
  EXPECT_EQ(database.size() + 9, database_before.size());   // the nine files of order 7
  // Order 12 holds only its constructed arrays: the partial-order line, then the closing line.
  const Run_result partial = select(dir(), {"--order", "12", "--out", "a12.csv"});
  const auto lines = split_lines(partial.out);
  const std::int64_t held = rows_in(dir() / "a12.csv", 12);
  ASSERT_GE(lines.size(), 2U);
  EXPECT_EQ(lines[lines.size() - 2], count_difference_line(12, 1, held, database_counts(12).all));
  EXPECT_EQ(lines.back(), "Wrote " + std::to_string(held) + " arrays of order 12 to a12.csv. The count tables list " +
                              std::to_string(database_counts(12).all) + ".");
}

// One method by number and a family by name select the same arrays as the menu's filter.
TEST_F(Select_command, MethodListsTakeNumbersAndFamilies) {
  const Run_result by_name = select(dir(), {"--order", "8", "--method", "welch", "--out", "w.csv"});
  const Run_result by_number = select(dir(), {"--order", "8", "--method", "1,2,3,4", "--out", "n.csv"});
  ASSERT_EQ(by_name.exit_status, 0) << by_name.err;
  ASSERT_EQ(by_number.exit_status, 0) << by_number.err;
  EXPECT_EQ(read_file(dir() / "w.csv"), read_file(dir() / "n.csv"));
  const auto rows = read_lines(dir() / "w.csv");
  ASSERT_GT(rows.size(), 1U);
  for (std::size_t i = 1; i < rows.size(); ++i) EXPECT_NE(rows[i].find(",Welch "), std::string::npos) << rows[i];
}

// A field order at or below the order is raised as leaving the menu raises it, with its line;
// GF(9) is the least prime power above 8. The coefficients follow the rows.
TEST_F(Select_command, FieldOrderIsRaisedAboveTheOrder) {
  const Run_result run =
      select(dir(), {"--order", "8", "--kind", "essential", "--polynomials", "--field", "8", "--out", "p8.csv"});
  ASSERT_EQ(run.exit_status, 0) << run.err;
  EXPECT_EQ(run.lines().front(), "Next higher viable Galois field order is   9");
  const auto rows = read_lines(dir() / "p8.csv");
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(database_counts(8).essential) + 1);
  EXPECT_TRUE(rows[0].ends_with(",r8,c0,c1,c2,c3,c4,c5,c6,c7")) << rows[0];
  EXPECT_EQ(std::count(rows[1].begin(), rows[1].end(), ','), 6 + 8 + 8) << rows[1];   // 23 columns
}

// The text format is the interactive run's output text file of the same selection, byte for byte.
TEST_F(Select_command, TextFormatIsTheInteractiveRunsText) {
  struct Case {
    bool searched;
    int order, symmetry_type, base;
    const char* kind;
  };
  for (const Case c : {Case{false, 8, 4, 1, "g-symmetrical"}, Case{false, 12, 1, 0, "all"},
                       Case{true, 6, 1, 0, "all"}}) {
    SCOPED_TRACE(std::to_string(c.order));
    Temp_dir run;
    fs::create_directory_symlink(dir() / "db", run / "db");
    set_options(run.path(), [&](Options& o) {
      o.use_search_db = c.searched;
      o.ca_order = c.order;
      o.symmetry_type = c.symmetry_type;
      o.index_base = c.base;
    });
    const Session session = run_session(run.path(), "Y\n");
    ASSERT_EQ(session.status, 0) << session.err;
    Args args = {"--order", std::to_string(c.order), "--kind", c.kind, "--base",
                 std::to_string(c.base), "--format", "text", "--out", "select.txt"};
    if (c.searched) args.push_back("--searched");
    const Run_result selected = select(run.path(), args);
    ASSERT_EQ(selected.exit_status, 0) << selected.err;
    EXPECT_GT(read_lines(run / "out.txt").size(), 7U);   // the log lines and some arrays
    EXPECT_EQ(read_file(run / "select.txt"), read_file(run / "out.txt"));
  }
}

TEST_F(Select_command, CountsAndHelp) {
  const Run_result counts = run_binary(VELLUMCAIRN_BINARY, {"counts", "--orders", "26-28"}, "", dir());
  ASSERT_EQ(counts.exit_status, 0);
  const auto lines = counts.lines();
  ASSERT_EQ(lines.size(), 4U);
  EXPECT_EQ(lines[0], "order,all,essential,symmetrical,g_symmetrical");
  const Order_counts c = count_tables(27);
  EXPECT_EQ(lines[2], "27," + std::to_string(c.all) + "," + std::to_string(c.essential) + "," +
                          std::to_string(c.symmetrical) + "," + std::to_string(c.g_symmetrical));
  EXPECT_EQ(run_binary(VELLUMCAIRN_BINARY, {"counts", "--searched", "--orders", "2-5"}, "", dir()).exit_status, 2);
  EXPECT_EQ(run_binary(VELLUMCAIRN_BINARY, {"counts", "--searched"}, "", dir()).lines().size(), 26U);
  const Run_result help = run_binary(VELLUMCAIRN_BINARY, {"--help"}, "", dir());
  EXPECT_EQ(help.exit_status, 0);
  for (const char* word : {"select", "counts", "--overwrite", "--append", "npy", "Examples:"}) {
    EXPECT_NE(help.out.find(word), std::string::npos) << word;
  }
  EXPECT_EQ(run_binary(VELLUMCAIRN_BINARY, {"chose"}, "", dir()).exit_status, 2);
}

}  // namespace
