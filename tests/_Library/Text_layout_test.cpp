#include "_Library/Text_layout.hpp"

#include <gtest/gtest.h>

TEST(Free_line, ItemsFollowTheLayoutRules) {
  EXPECT_EQ(free_form("Error", 5, " on reading log file"), " Error  5  on reading log file");
  EXPECT_EQ(free_form(0, ",", 1, ",", 3), "   0 ,  1 ,  3");
  EXPECT_EQ(free_form("Error", -1, " on reading log file"), " Error -1  on reading log file");
  EXPECT_EQ(free_form(1, ",", 0, ",", -99), "   1 ,  0 , -99");
  EXPECT_EQ(free_form("First matrix: ", 3, 3), " First matrix:   3  3");
  EXPECT_EQ(free_form("Filtering on method: ", "Welch 0"), " Filtering on method: Welch 0");
  EXPECT_EQ(free_form(), " ");
  EXPECT_EQ(free_form("***Error in lcm; inputs:", 0, 5, ", min value set to 1"),
            " ***Error in lcm; inputs:  0  5 , min value set to 1");
}

struct Fixed_case {
  long long value;
  int width;
  const char* expected;
};

TEST(Fixed_layout, NumbersAreRightAlignedOrAsterisks) {
  constexpr Fixed_case cases[] = {{42, 5, "   42"},  {-99, 5, "  -99"}, {123456, 5, "*****"},
                                  {7, 1, "7"},       {10, 1, "*"},      {-1, 1, "*"},
                                  {10000, 4, "****"}, {500, 4, " 500"},  {0, 3, "  0"}};
  for (const auto& c : cases) {
    EXPECT_EQ(fixed_int(c.value, c.width), c.expected) << c.value << " in " << c.width;
  }
  EXPECT_EQ(fixed_logical(true, 7), "      T");
  EXPECT_EQ(fixed_logical(false, 1), "F");
}

TEST(Text_helpers, TrimAndPad) {
  EXPECT_EQ(trim_right("  ab  "), "  ab");
  EXPECT_EQ(trim_left("  ab  "), "ab  ");
  EXPECT_EQ(trim("    "), "");
  EXPECT_EQ(pad_right("abc", 5), "abc  ");
  EXPECT_EQ(pad_right("abcdef", 3), "abc");
}
