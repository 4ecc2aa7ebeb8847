#include <gtest/gtest.h>

#include "Read_Database/Program_state.hpp"
#include "_Library/Program_stop.hpp"
#include "tests/support/test_support.hpp"

TEST(Count_check, WritesOneLinePerOrderThenStopsNormally) {
  Temp_dir dir;
  Working_dir here(dir.path());
  Scripted_console script;
  Program_state state(script.console);
  const auto stop = stop_of([&] { write_count_check(state.console); });
  ASSERT_TRUE(stop.has_value()) << "write_count_check returned";
  EXPECT_EQ(stop->code, "Normal exit.");
  EXPECT_EQ(stop->exit_status, 0);
  const auto lines = read_lines(dir / "cancheck.csv");
  ASSERT_EQ(lines.size(), 499u);
  EXPECT_EQ(lines.front(), "   2 ,  2 ,  1 ,  1 ,  1");
  EXPECT_EQ(lines[31], "   33 ,  0 ,  0 ,  0 ,  0");
  EXPECT_EQ(lines[254], "   256 ,  65536 ,  8192 ,  0 ,  32768");
  EXPECT_EQ(lines.back(), "   500 ,  504 ,  63 ,  0 ,  0");
  EXPECT_TRUE(script.out.str().empty());
}

TEST(Count_check, AnUnwritableFileIsReportedNotCalledANormalExit) {
  Temp_dir dir;
  Working_dir here(dir.path());
  std::filesystem::create_directory(dir / "cancheck.csv");   // a folder in the file's place
  Scripted_console script;
  Program_state state(script.console);
  const auto stop = stop_of([&] { write_count_check(state.console); });
  ASSERT_TRUE(stop.has_value()) << "write_count_check returned";
  EXPECT_EQ(stop->code, "2");
  EXPECT_TRUE(script.out.str().starts_with(" Error opening cancheck.csv: ")) << script.out.str();
}
