// Reading array lines and methods lines, including lines written on other systems and
// damaged ones.
#include <gtest/gtest.h>

#include <vector>

#include "Vellumcairn_get_file.hpp"

struct Row_case {
  const char* line;
  std::int32_t n;
  std::int32_t base;
  std::vector<std::int32_t> perm;   // expected zero-based indices when the line reads
  const char* fault;                // expected fault, empty when the line reads
};

TEST(Row_indices, ReadOrReportedWhatIsWrong) {
  const Row_case cases[] = {
      {"0 1 3 2", 4, 0, {0, 1, 3, 2}, ""},
      {"1 2 4 3", 4, 1, {0, 1, 3, 2}, ""},
      {" 1,2, 4 ,3", 4, 1, {0, 1, 3, 2}, ""},
      {"1\t2\t4\t3", 4, 1, {0, 1, 3, 2}, ""},
      {"+1 2 4 3", 4, 1, {0, 1, 3, 2}, ""},
      {"0 1 3 2 9 9", 4, 0, {0, 1, 3, 2}, ""},
      {"0 1 3", 4, 0, {}, "3 row indices where the order needs 4"},
      {"", 2, 0, {}, "0 row indices where the order needs 2"},
      {"7", 2, 1, {}, "row index 7 is outside 1 to 2"},
      {"0 x 3 2", 4, 0, {}, "\"x\" is not a row index"},
      {"0 1 3 2.5", 4, 0, {}, "\"2.5\" is not a row index"},
      {"0 1 3 -", 4, 0, {}, "\"-\" is not a row index"},
      {"0 99999999999 3 2", 4, 0, {}, "\"99999999999\" is not a row index"},
      {"1 2 4 0", 4, 1, {}, "row index 0 is outside 1 to 4"},
      {"0 1 3 4", 4, 0, {}, "row index 4 is outside 0 to 3"},
      {"0 -1 3 2", 4, 0, {}, "row index -1 is outside 0 to 3"},
  };
  for (const auto& c : cases) {
    std::array<std::int32_t, MAX_ORDER_CAPACITY> perm{};
    const std::string fault = read_row_indices(c.line, c.n, c.base, perm);
    EXPECT_EQ(fault, c.fault) << c.line;
    if (*c.fault == '\0') {
      EXPECT_EQ(std::vector<std::int32_t>(perm.begin(), perm.begin() + c.n), c.perm) << c.line;
    }
  }
}

TEST(Row_indices, OrderFiveHundred) {
  std::string line;
  for (int i = 500; i >= 1; --i) line += std::to_string(i) + " ";
  std::array<std::int32_t, MAX_ORDER_CAPACITY> perm{};
  EXPECT_EQ(read_row_indices(line, 500, 1, perm), "");
  EXPECT_EQ(perm[0], 499);
  EXPECT_EQ(perm[499], 0);
}

struct Flags_case {
  const char* line;
  bool reads;
  Method_flags flags;
};

TEST(Method_flags_line, BlankAndEightHexadecimalDigits) {
  constexpr Flags_case cases[] = {
      {" 11000002", true, 0x11000002u},  {" 00000001", true, 1u},
      {" ffffffff", true, 0xFFFFFFFFu},  {" 10000002   ", true, 0x10000002u},
      {" 1000000", false, 0},            {" 100000021", false, 0},
      {"x10000002", false, 0},           {"10000002 ", false, 0},
      {" 1000000G", false, 0},           {" -1000000", false, 0},
      {"  1000000", false, 0},           {"", false, 0},
  };
  for (const auto& c : cases) {
    Method_flags flags = 0;
    EXPECT_EQ(read_method_flags(c.line, flags), c.reads) << c.line;
    if (c.reads) {
      EXPECT_EQ(flags, c.flags) << c.line;
    }
  }
}
