// The make_database binary as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>

#include "tests/support/test_support.hpp"

namespace {

namespace fs = std::filesystem;

Run_result run_builder(const std::vector<std::string>& args, const fs::path& dir) {
  return run_binary(MAKE_DATABASE_BINARY, args, "", dir);
}

TEST(Make_database_cli, HelpVersionAndBadArguments) {
  Temp_dir dir;
  const auto help = run_builder({"--help"}, dir.path());
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_NE(help.out.find("Usage: make_database --out DIR"), std::string::npos);
  const auto version = run_builder({"--version"}, dir.path());
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_NE(version.out.find("make_database"), std::string::npos);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{}, {"--out", "db", "--searched", "40"}, {"--bogus"}, {"--out"}}) {
    const auto run = run_builder(args, dir.path());
    EXPECT_EQ(run.exit_status, 2) << testing::PrintToString(args);
    EXPECT_NE(run.err.find("make_database: "), std::string::npos);
    EXPECT_NE(run.err.find("--help"), std::string::npos);
  }
  EXPECT_FALSE(fs::exists(dir / "db"));
}

TEST(Make_database_cli, BuildsTheLayoutAndReportsTheCountCheck) {
  Temp_dir dir;
  const auto run = run_builder({"--out", "db", "--searched", "3-6", "--generated", "28-30",
                                "--check-counts", "--jobs", "2"},
                               dir.path());
  ASSERT_EQ(run.exit_status, 0) << run.err;
  for (int n = 3; n <= 6; ++n) {
    const fs::path searched = dir / "db" / "Searches";
    EXPECT_TRUE(fs::exists(searched / ("Costas_essense_N=" + std::to_string(n) + ".txt")));
    EXPECT_FALSE(fs::exists(searched / ("Costas_essense_N=" + std::to_string(n) + ".txt_methods.txt")));
  }
  const fs::path generated = dir / "db" / "Generated";
  EXPECT_EQ(read_lines(generated / "Sorted_Costas_arrays_N=28.txt").front(), "   28  712");
  EXPECT_TRUE(fs::exists(generated / "Costas_G-Symmetrical_N=30.txt_methods.txt"));
  EXPECT_FALSE(fs::exists(generated / "Costas_log_N=31.txt"));
  // Order 29 lacks the classes that only exhaustive search found; every other order matches.
  EXPECT_NE(run.out.find("Generated order 29: built 148/21/5/0, count tables 164/23/5/0"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Generated order 29: built 148/21/5/0, count tables 164/23/5/0 "
                         "(all/essential/symmetrical/G-symmetrical): the tables also count the arrays "
                         "only the exhaustive search finds"),
            std::string::npos)
      << run.out;
  EXPECT_NE(run.out.find("Count check: 6 orders match the count tables, 0 hold constructions only, 1 lacks "
                         "the arrays only the search finds (generated 29), 0 differ"),
            std::string::npos)
      << run.out;
  // Not a terminal: plain progress lines, one per order.
  EXPECT_NE(run.err.find("searched order 6: 116 arrays; 4 of 7 orders done"), std::string::npos)
      << run.err;
}

TEST(Make_database_cli, WritesTheOptionsFileForItsDatabase) {
  Temp_dir dir;
  const auto run = run_builder({"--write-options", "./database/"}, dir.path());
  ASSERT_EQ(run.exit_status, 0) << run.err;
  const auto lines = read_lines(dir / "Vellumcairn_Options.txt");
  ASSERT_EQ(lines.size(), 16U);
  EXPECT_TRUE(lines[3].starts_with("F "));       // the generated database
  EXPECT_TRUE(lines[4].starts_with("  12 "));    // order 12
  bool path_found = false;
  for (const auto& line : lines) path_found |= line.starts_with("./database/");
  EXPECT_TRUE(path_found);
}

// The builder never asks: an options file it cannot write, or one that would go into the
// read-only database, is one line on the error stream and exit status 1, with standard input
// left unread.
TEST(Make_database_cli, OptionsFileThatCannotBeWrittenFailsWithoutAsking) {
  struct Case {
    const char* what;
    const char* working_folder;   // under the test's folder, created
    const char* database_path;
    const char* error;
  };
  const Case cases[] = {
      {"a folder in its place", "Vellumcairn_Options.txt/..", "./database/",
       "make_database: cannot write Vellumcairn_Options.txt: 21 is a directory\n"},
      {"inside the database", "db/Generated", "../",
       "make_database: Vellumcairn_Options.txt lies in the database folder ../Generated\\, which "
       "is read-only\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_dir dir;
    const fs::path work = fs::weakly_canonical(dir / c.working_folder);
    fs::create_directories(dir / c.working_folder);
    const auto run = run_binary(MAKE_DATABASE_BINARY, {"--write-options", c.database_path},
                                "Y\nY\n", work);
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_EQ(run.err, c.error);
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(fs::is_regular_file(work / "Vellumcairn_Options.txt"));
  }
}

}  // namespace
