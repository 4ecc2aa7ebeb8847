// The make_database binary as a user runs it.
#include <gtest/gtest.h>

#include <filesystem>

#include "test_support.hpp"

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
  EXPECT_NE(run.out.find("Count check: 6 orders match the count tables, 1 differ"), std::string::npos)
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

}  // namespace
