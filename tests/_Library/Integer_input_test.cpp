#include "_Library/Integer_input.hpp"

#include <gtest/gtest.h>

#include "tests/support/test_support.hpp"

struct Answer_case {
  const char* line;
  Integer_answer kind;
  std::int32_t value;
};

TEST(Integer_input, OneLineHoldsANumberOrNoNumber) {
  constexpr Integer_answer number = Integer_answer::number;
  constexpr Integer_answer bad = Integer_answer::bad;
  constexpr Answer_case cases[] = {
      {"12", number, 12},          {"   7", number, 7},          {"-2", number, -2},
      {"+5", number, 5},           {"0", number, 0},            {"12 abc", number, 12},
      {"3,4", number, 3},          {"9/", number, 9},           {"\t 11\t", number, 11},
      {"2147483647", number, 2147483647},  {"-2147483648", number, -2147483647 - 1},
      {"2147483648", bad, 0},      {"-2147483649", bad, 0},     {"99999999999999999999", bad, 0},
      {"abc", bad, 0},             {"12abc", bad, 0},           {"1.5", bad, 0},
      {"-", bad, 0},               {"+", bad, 0},               {"+-3", bad, 0},
      {"--3", bad, 0},             {",", bad, 0},               {"/", bad, 0},
      {"0x10", bad, 0},            {"", bad, 0},                {"    ", bad, 0},
      {"\t", bad, 0},
  };
  for (const auto& c : cases) {
    const Parsed_integer parsed = parse_integer_answer(c.line);
    EXPECT_EQ(parsed.kind, c.kind) << '"' << c.line << '"';
    if (c.kind == number) {
      EXPECT_EQ(parsed.value, c.value) << '"' << c.line << '"';
    }
  }
}

TEST(Integer_input, EachAnswerTakesOneLineAndAnEmptyLineHoldsNoNumber) {
  Scripted_console script("\n   \n42 rest\nx\n-7\n");
  EXPECT_EQ(read_integer_answer(script.console), std::nullopt);
  EXPECT_EQ(read_integer_answer(script.console), std::nullopt);
  EXPECT_EQ(read_integer_answer(script.console), 42);
  EXPECT_EQ(read_integer_answer(script.console), std::nullopt);
  EXPECT_EQ(read_integer_answer(script.console), -7);
}
