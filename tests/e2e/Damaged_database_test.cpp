// Damaged and incomplete databases, and output files that cannot be opened: one clear line,
// everything written so far kept, every file closed, and the cycle goes on to "Done?".
#include <gtest/gtest.h>

#include "_Library/Program_stop.hpp"
#include "tests/e2e/database_tree.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

struct Damage_case {
  const char* what;
  bool methods_file;     // the damage is in the essential-set methods file
  const char* text;      // the damaged file's contents
  const char* message;   // after " Damaged database file <name>, line "
  std::size_t written;   // arrays written before the damage
};

struct Damage_fixture : ::testing::Test {
  Temp_dir dir;
  std::string folder() const { return (dir / "db").string() + "/Generated\\"; }
};

}  // namespace

TEST_F(Damage_fixture, DamagedLinesStopTheRunAndKeepWhatWasWritten) {
  const std::string tail = "; no more arrays are written in this run";
  const Damage_case cases[] = {
      {"too few indices", false, "1 2 4 3\n1 3 4\n2 4 3 1\n",
       "2: 3 row indices where the order needs 4", 1},
      {"not a number", false, "1 2 4 3\n1 3 4 2\n2 4 x 1\n", "3: \"x\" is not a row index", 2},
      {"index too large", false, "1 2 5 3\n", "1: row index 5 is outside 1 to 4", 0},
      {"blank line inside", false, "1 2 4 3\n\n2 4 3 1\n", "2: blank line among the arrays", 1},
      {"bad methods line", true, " 00000002\n 0000000Z\n 00000008\n",
       "2: not a blank and 8 hexadecimal digits", 1},
      {"methods line without its blank", true, " 00000002\n00000004\n 00000008\n",
       "2: not a blank and 8 hexadecimal digits", 1},
      {"short methods file", true, " 00000002\n",
       "2: missing: the methods file ends before its arrays file", 1},
  };
  const Lines tags = {"Welch 0", "Welch 1", "Welch 2"};
  const Lines rows = {"   0  1  3  2", "   0  2  3  1", "   1  3  2  0"};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Order_files f = three_essential_arrays();
    (c.methods_file ? f.essential_methods : f.essential) = c.text;
    write_order(dir / "db" / "Generated", 4, f, true);
    set_options(dir.path(), [](Options& o) {
      o.ca_order = 4;
      o.symmetry_type = 2;
    });
    const Session session = run_session(dir.path(), "Y\n");
    EXPECT_EQ(session.status, 0);
    const std::string name = folder() + "Costas_essense_N=4.txt" +
                             (c.methods_file ? "_methods.txt" : "");
    const Lines run = session.runs().at(0);
    EXPECT_EQ(run.back(), " Damaged database file " + name + ", line " + c.message + tail);
    EXPECT_EQ(session.lines.back(), " Done (Y for yes, N for no)?");
    Lines text;
    for (const auto& line : split_lines(six_log_lines)) text.emplace_back(trim(line));
    for (std::size_t k = 0; k < c.written; ++k) {
      text.push_back(tags[k]);
      text.push_back(rows[k]);
    }
    EXPECT_EQ(read_lines(dir / "out.txt"), text);
    EXPECT_EQ(read_lines(dir / "out_methods.csv"), Lines(tags.begin(), tags.begin() + static_cast<long>(c.written)));
    EXPECT_EQ(read_lines(dir / "out.csv").size(), c.written);
  }
}

TEST_F(Damage_fixture, BlankLinesAtTheEndAreNoDamage) {
  Order_files f = three_essential_arrays();
  f.essential = "1 2 4 3\n\n   \n";
  f.essential_methods = " 00000002\n";
  write_order(dir / "db" / "Generated", 4, f, true);
  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
  });
  const Lines run = run_session(dir.path(), "Y\n").runs().at(0);
  // The file was read to its end: the run compares it with the count tables as any other.
  EXPECT_EQ(Lines(run.end() - 3, run.end()),
            (Lines{"Welch 0", "   0  1  3  2", order_4_count_line(2)}));
}

TEST_F(Damage_fixture, MissingFilesOfTheOrder) {
  const char* missing[] = {"Costas_symmetrical_N=4.txt", "Costas_G-Symmetrical_N=4.txt_methods.txt",
                           "Sorted_Costas_arrays_N=4.txt", "Costas_log_N=4.txt",
                           "Costas_essense_N=4.txt_methods.txt"};
  for (const char* file : missing) {
    SCOPED_TRACE(file);
    write_order(dir / "db" / "Generated", 4, three_essential_arrays(), true);
    fs::remove(dir / "db" / "Generated" / file);
    fs::remove(dir / "out.txt");
    set_options(dir.path(), [](Options& o) { o.ca_order = 4; });
    const Session session = run_session(dir.path(), "N\n0\nY\n");
    const Lines expected = {" Error opening " + folder() + file +
                            ": 2 no such file or directory; the database of this order is incomplete"};
    ASSERT_EQ(session.runs().size(), 2u);
    EXPECT_EQ(session.runs()[0], expected);
    EXPECT_EQ(session.runs()[1], expected);
    EXPECT_FALSE(fs::exists(dir / "out.txt"));
  }
}

TEST_F(Damage_fixture, WrongDatabasePath) {
  write_order(dir / "db" / "Generated", 4, three_essential_arrays(), true);
  set_options(dir.path(), [this](Options& o) {
    o.ca_order = 4;
    o.database_path = (dir / "db").string();   // no separator at its end
  });
  const Session session = run_session(dir.path(), "Y\n");
  const std::string d = (dir / "db").string() + "Generated\\";
  const Lines expected = {" Error opening " + d + "Costas_essense_N=4.txt",
                          " Database not found at " + d + ", I/O error: 2 no such file or directory",
                          " Please check and correct path to data base files"};
  EXPECT_EQ(session.runs().at(0), expected);
  EXPECT_EQ(session.status, 0);
}

TEST_F(Damage_fixture, OutputFilesThatCannotBeOpened) {
  write_order(dir / "db" / "Generated", 4, three_essential_arrays(), true);
  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
    o.output_pathname = "missing/out.txt";
  });
  const Session no_folder = run_session(dir.path(), "Y\nY\n");
  const Lines run = no_folder.runs().at(0);
  EXPECT_EQ(run.at(0), " ### Could not open missing/out.txt");
  EXPECT_EQ(run.at(1), " I/O error: 2 no such file or directory");
  EXPECT_EQ(run.at(2), " Continue (Y for yes, N for no)?");
  EXPECT_EQ(run.at(3), " Costas arrays of order 4");
  EXPECT_EQ(Lines(run.end() - 2, run.end()), (Lines{"   1  3  2  0", three_essential_count_line}));

  const Session declined = run_session(dir.path(), "N\n");
  EXPECT_EQ(declined.err, "2\n");
  EXPECT_EQ(declined.status, 0);

  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
  });
  fs::create_directory(dir / "out_methods.csv");
  const Session csv_failed = run_session(dir.path(), "Y\nY\n");
  const Lines second = csv_failed.runs().at(0);
  EXPECT_EQ(Lines(second.begin(), second.begin() + 5),
            (Lines{" Output file is out.txt",
                   " Output file opened but CSV modethds file has open error  21",
                   " pathname: out_methods.csv", " I/O error: 21 is a directory",
                   " Continue (Y for yes, N for no)?"}));
  EXPECT_EQ(read_lines(dir / "out.csv").size(), 3u);

  const Session csv_declined = run_session(dir.path(), "N\n");
  EXPECT_EQ(csv_declined.err, "");
  EXPECT_EQ(csv_declined.lines.back(), " Continue (Y for yes, N for no)?");
}

TEST_F(Damage_fixture, PolynomialsFileThatCannotBeOpened) {
  write_order(dir / "db" / "Generated", 4, three_essential_arrays(), true);
  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.find_gf_polynomial = true;
  });
  fs::create_directory(dir / "out_polynomials.csv");
  const Session session = run_session(dir.path(), "N\n");
  EXPECT_EQ(session.runs().at(0),
            (Lines{" Output file is out.txt",
                   " Output file opened but polynomial file has open error  21",
                   " pathname: out_polynomials.csv", " I/O error: 21 is a directory",
                   " Continue (Y for yes, N for no)?"}));
  EXPECT_EQ(session.err, "");
  EXPECT_TRUE(fs::exists(dir / "out.csv"));
  EXPECT_TRUE(fs::exists(dir / "out_methods.csv"));
}
