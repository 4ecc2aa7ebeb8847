// Whole runs on small databases written by the tests: every line of console, text file, CSV
// file and methods CSV file.
#include <gtest/gtest.h>

#include "tests/e2e/database_tree.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;


Order_files search_order_4() {
  Order_files f;
  f.all = "  2  1\n0 1 3 2\nPolymorph: 0 2 3 1\n";
  f.essential = "0 1 3 2\n";
  f.symmetrical = "No symmetrical Costas arrays.\n";
  f.g_symmetrical = "No G-symmetrical Costas arrays.\n";
  f.log = six_log_lines;
  return f;
}

// What one run writes after the log summary.
struct Expected_run {
  Lines arrays;        // tag and array lines, the same on console and in the text file here
  Lines csv;
  Lines methods_csv;
  std::string count_line;   // the run's last line on the console and in the text file, or empty
};

const Expected_run all_generated = {
    {"Welch 0", "   0  1  3  2", "Welch 0, Rows Reversed, Symmetrical", "   0  2  3  1",
     "Lempel 2, Transposed", "   1  3  2  0"},
    {"   0 ,  1 ,  3 ,  2", "   0 ,  2 ,  3 ,  1", "   1 ,  3 ,  2 ,  0"},
    {"Welch 0", "Welch 0, Rows Reversed, Symmetrical", "Lempel 2, Transposed"},
    ""};

struct Run_fixture : ::testing::Test {
  Temp_dir dir;

  void check_run(const Session& session, const Lines& before_arrays, const Expected_run& e,
                 std::size_t run = 0) {
    ASSERT_GT(session.runs().size(), run);
    const Lines count = e.count_line.empty() ? Lines{} : Lines{e.count_line};
    const Lines console = concat(concat({" Output file is out.txt"}, log_echo()),
                                 concat(concat(before_arrays, e.arrays), count));
    EXPECT_EQ(session.runs()[run], console);
    Lines text;
    for (const auto& line : split_lines(six_log_lines)) text.emplace_back(trim(line));
    for (const auto& line : before_arrays) text.push_back(line);
    EXPECT_EQ(read_lines(dir / "out.txt"), concat(concat(text, e.arrays), count));
    EXPECT_EQ(read_lines(dir / "out.csv"), e.csv);
    EXPECT_EQ(read_lines(dir / "out_methods.csv"), e.methods_csv);
  }
};

}  // namespace

TEST_F(Run_fixture, GeneratedDatabaseEachSymmetryClass) {
  write_order(dir / "db" / "Generated", 4, generated_order_4(), true);
  const std::pair<int, Expected_run> cases[] = {
      {1, all_generated},
      {2, {{"Welch 0", "   0  1  3  2"}, {"   0 ,  1 ,  3 ,  2"}, {"Welch 0"}, ""}},
      {3,
       {{"Welch 0, Symmetrical", "   0  1  3  2", "Welch 0, Rows Reversed, Symmetrical",
         "   0  2  3  1"},
        {"   0 ,  1 ,  3 ,  2", "   0 ,  2 ,  3 ,  1"},
        {"Welch 0, Symmetrical", "Welch 0, Rows Reversed, Symmetrical"},
        ""}},
      {4, {}},
      {0, {}},
      {5, {}},
  };
  for (const auto& [type, each] : cases) {
    SCOPED_TRACE("symmetry type " + std::to_string(type));
    // Order 4 holds other numbers of arrays than the count tables list; a symmetry type outside
    // 1 to 4 writes nothing and says nothing of them.
    Expected_run expected = each;
    if (type >= 1 && type <= 4) expected.count_line = order_4_count_line(type);
    set_options(dir.path(), [type = type](Options& o) {
      o.ca_order = 4;
      o.symmetry_type = type;
    });
    const Session session = run_session(dir.path(), "Y\n");
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.err, "");
    check_run(session, {}, expected);
  }
}

TEST_F(Run_fixture, WindowsLineEndsAndCommas) {
  Order_files f = generated_order_4();
  f.all = "   3,   4\r\n1,2,4,3\r\nPolymorph: 1, 3, 4, 2\r\n  Polymorph: 2 4,3 1  \r\n";
  f.all_methods = "   3   4\r\n 00000002\r\n 11000002\r\n 04000080\r\n";
  f.log = "Costas arrays of order 4\r\n  Number of unique Costas arrays: 3\r\n"
          "Number of essential Costas arrays: 1\r\n2 symmetrical Costas arrays\r\n"
          "0  G-symmetrical Costas arrays\r\nNumber of unique G-symmetrical arrays: 0\r\n";
  write_order(dir / "db" / "Generated", 4, f, true);
  set_options(dir.path(), [](Options& o) { o.ca_order = 4; });
  Expected_run expected = all_generated;
  expected.count_line = order_4_count_line(1);
  check_run(run_session(dir.path(), "Y\n"), {}, expected);
}

TEST_F(Run_fixture, SearchDatabaseIndexBase) {
  write_order(dir / "db" / "Searches", 4, search_order_4(), false);
  set_options(dir.path(), [](Options& o) {
    o.use_search_db = true;
    o.ca_order = 4;
  });
  check_run(run_session(dir.path(), "Y\n"), {},
            {{"   0  1  3  2", "Polymorph", "   0  2  3  1"},
             {"   0 ,  1 ,  3 ,  2", "   0 ,  2 ,  3 ,  1"},
             {"", "Polymorph"},
             "The database file held 2 arrays of order 4; the count tables list 12."});

  set_options(dir.path(), [](Options& o) {
    o.use_search_db = true;
    o.ca_order = 4;
    o.index_base = 1;
  });
  const Session session = run_session(dir.path(), "Y\n");
  const std::string count = "The database file held 2 arrays of order 4; the count tables list 12.";
  const Lines console_arrays = {"   0  1  3  2", "Polymorph", "   0  2  3  1", count};
  const Lines run = session.runs().at(0);
  EXPECT_EQ(Lines(run.end() - 4, run.end()), console_arrays);
  const Lines text = read_lines(dir / "out.txt");
  EXPECT_EQ(Lines(text.end() - 4, text.end()),
            (Lines{"   1  2  4  3", "Polymorph", "   1  3  4  2", count}));
  EXPECT_EQ(read_lines(dir / "out.csv"), (Lines{"   1 ,  2 ,  4 ,  3", "   1 ,  3 ,  4 ,  2"}));
}

TEST_F(Run_fixture, OrderTwentyFivePreviewsTwentyIndices) {
  Order_files f = search_order_4();
  f.all = "  1  0\n24 23 22 21 20 19 18 17 16 15 14 13 12 11 10 9 8 7 6 5 4 3 2 1 0\n";
  write_order(dir / "db" / "Searches", 25, f, false);
  set_options(dir.path(), [](Options& o) {
    o.use_search_db = true;
    o.ca_order = 25;
  });
  const Session session = run_session(dir.path(), "Y\n");
  const std::string count = "The database file held 1 array of order 25; the count tables list 88.";
  const Lines run = session.runs()[0];
  EXPECT_EQ(Lines(run.end() - 2, run.end()),
            (Lines{"   24  23  22  21  20  19  18  17  16  15  14  13  12  11  10  9  8  7  6  5",
                   count}));
  const Lines text = read_lines(dir / "out.txt");
  EXPECT_EQ(Lines(text.end() - 2, text.end()),
            (Lines{"   24  23  22  21  20  19  18  17  16  15  14  13  12  11  10  9  8  7  6  5  4"
                   "  3  2  1  0",
                   count}));
  EXPECT_EQ(read_lines(dir / "out.csv").back(),
            "   24 ,  23 ,  22 ,  21 ,  20 ,  19 ,  18 ,  17 ,  16 ,  15 ,  14 ,  13 ,  12 ,  11 ,"
            "  10 ,  9 ,  8 ,  7 ,  6 ,  5 ,  4 ,  3 ,  2 ,  1 ,  0");
}

TEST_F(Run_fixture, AppendKeepsEarlierRunsAndRewindReplacesThem) {
  write_order(dir / "db" / "Generated", 4, generated_order_4(), true);
  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
    o.output_position = "APPEND";
  });
  const Session two_runs = run_session(dir.path(), "N\n0\nY\n");
  ASSERT_EQ(two_runs.runs().size(), 2u);
  EXPECT_EQ(two_runs.runs()[0], two_runs.runs()[1]);
  Lines one_text;
  for (const auto& line : split_lines(six_log_lines)) one_text.emplace_back(trim(line));
  one_text.push_back("Welch 0");
  one_text.push_back("   0  1  3  2");
  one_text.push_back(order_4_count_line(2));
  EXPECT_EQ(read_lines(dir / "out.txt"), concat(one_text, one_text));
  EXPECT_EQ(read_lines(dir / "out.csv"), (Lines{"   0 ,  1 ,  3 ,  2", "   0 ,  1 ,  3 ,  2"}));
  EXPECT_EQ(read_lines(dir / "out_methods.csv"), (Lines{"Welch 0", "Welch 0"}));

  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
    o.output_position = "REWIND";
  });
  run_session(dir.path(), "Y\n");
  EXPECT_EQ(read_lines(dir / "out.txt"), one_text);
  EXPECT_EQ(read_lines(dir / "out_methods.csv"), (Lines{"Welch 0"}));
}

struct Filter_case {
  bool filter_by_method;
  std::int32_t filter_method;
  const char* filter_line;          // empty for none
  std::vector<std::size_t> kept;    // arrays of all_generated that are written
};

TEST_F(Run_fixture, MethodFilter) {
  write_order(dir / "db" / "Generated", 4, generated_order_4(), true);
  const Filter_case cases[] = {
      {true, 7, " Filtering on method: Lempel 2", {2}},
      {true, 1, " Filtering on method: Welch 0", {0, 1}},
      {true, 19, " Filtering on method: Rickard L-G_1", {}},
      {true, 0, "", {0, 1, 2}},
      {false, 7, "", {0, 1, 2}},
      {true, -3, " Filtering on method: NONE", {0, 1, 2}},
      {true, 25, " Filtering on method: NONE", {0, 1, 2}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE("method " + std::to_string(c.filter_method));
    set_options(dir.path(), [&c](Options& o) {
      o.ca_order = 4;
      o.filter_by_method = c.filter_by_method;
      o.filter_method = c.filter_method;
    });
    Expected_run expected;
    // Only a filter in force keeps the run from comparing its file with the count tables.
    if (*c.filter_line == '\0' || std::string(c.filter_line).ends_with("NONE")) {
      expected.count_line = order_4_count_line(1);
    }
    for (std::size_t k : c.kept) {
      expected.arrays.push_back(all_generated.arrays[2 * k]);
      expected.arrays.push_back(all_generated.arrays[2 * k + 1]);
      expected.csv.push_back(all_generated.csv[k]);
      expected.methods_csv.push_back(all_generated.methods_csv[k]);
    }
    check_run(run_session(dir.path(), "Y\n"), *c.filter_line ? Lines{c.filter_line} : Lines{},
              expected);
  }
}

TEST_F(Run_fixture, FilterOnTheSearchDatabaseWritesEveryArray) {
  write_order(dir / "db" / "Searches", 4, search_order_4(), false);
  set_options(dir.path(), [](Options& o) {
    o.use_search_db = true;
    o.ca_order = 4;
    o.filter_by_method = true;
    o.filter_method = 7;
  });
  check_run(run_session(dir.path(), "Y\n"), {" Filtering on method: Lempel 2"},
            {{"   0  1  3  2", "Polymorph", "   0  2  3  1"},
             {"   0 ,  1 ,  3 ,  2", "   0 ,  2 ,  3 ,  1"},
             {"", "Polymorph"},
             ""});
}

TEST_F(Run_fixture, TheProgramItselfWritesTheFiles) {
  write_order(dir / "db" / "Generated", 4, generated_order_4(), true);
  set_options(dir.path(), [](Options& o) { o.ca_order = 4; });
  const Run_result run = run_program("Y\n0\nY\n", dir.path());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.ends_with("   1  3  2  0\n" + order_4_count_line(1) +
                                "\n Done (Y for yes, N for no)?\n"));
  EXPECT_EQ(read_lines(dir / "out.csv"), all_generated.csv);
  EXPECT_EQ(read_lines(dir / "out_methods.csv"), all_generated.methods_csv);
}

TEST_F(Run_fixture, PolymorphMarkWithoutFlagsStaysInTheMethodsFileOnly) {
  Order_files f = generated_order_4();
  f.essential = "Polymorph: 1 2 4 3\n";
  f.essential_methods = " 00000000\n";
  write_order(dir / "db" / "Generated", 4, f, true);
  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
  });
  check_run(run_session(dir.path(), "Y\n"), {},
            {{"   0  1  3  2"}, {"   0 ,  1 ,  3 ,  2"}, {"Polymorph"}, order_4_count_line(2)});
}
