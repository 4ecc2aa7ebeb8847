#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

#include "Read_Database/Vellumcairn_main.hpp"
#include "tests/support/test_support.hpp"

namespace {

const std::string agree = " Agree (Y for yes, N for no)?";

}  // namespace

TEST(Start_up, NoToAgreeEndsSilentlyBeforeAnyFile) {
  Temp_dir dir;
  const auto run = run_program("N\n", dir.path());
  EXPECT_EQ(run.exit_status, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_TRUE(run.out.ends_with(agree + "\n"));
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(Start_up, BannerNoticeAndDisclaimer) {
  std::istringstream in("N\n");
  std::ostringstream out, err;
  EXPECT_EQ(run_vellumcairn(in, out, err), 0);
  const auto lines = split_lines(out.str());
  ASSERT_EQ(lines.size(), 4u + 1 + 8 + 1 + 5 + 1 + 1);
  EXPECT_EQ(lines[4], "");
  EXPECT_EQ(lines[5], "The search method flags in the database were assigned");
  EXPECT_EQ(lines[8], "Costas array will not be flagged.  Thus when you find a partiular");
  EXPECT_EQ(lines[12], "or one of its polymorphs.");
  EXPECT_EQ(lines[13], "");
  EXPECT_EQ(lines[19], "");
  EXPECT_EQ(lines[20], agree);
  for (std::size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(lines[i].find("http"), std::string::npos);
    EXPECT_EQ(lines[i].find("www"), std::string::npos);
  }
}

TEST(Start_up, EndOfInputAtAPromptEndsWithStatusOne) {
  Temp_dir dir;
  for (const char* input : {"", "Y\n", "maybe\n"}) {
    const auto run = run_program(input, dir.path());
    EXPECT_EQ(run.exit_status, 1) << input;
    EXPECT_EQ(run.err, "End of input.\n") << input;
  }
}

TEST(Start_up, WrongAnswersAreAskedAgain) {
  Temp_dir dir;
  const auto run = run_program("perhaps\nyes\n", dir.path());
  const auto lines = run.lines();
  EXPECT_EQ(std::count(lines.begin(), lines.end(), agree), 2);
  EXPECT_EQ(run.exit_status, 1);
}
