#include <gtest/gtest.h>

#include "_Library/Count_tables.hpp"

TEST(Count_tables, StatedPropertiesHoldForEveryOrder) {
  int orders_with_arrays = 0;
  for (std::int32_t n = 2; n <= 500; ++n) {
    const Order_counts c = count_tables(n);
    if (c.all != 0) ++orders_with_arrays;
    EXPECT_LE(c.essential, c.all) << n;
    EXPECT_LE(c.symmetrical, c.essential) << n;
    EXPECT_LE(c.g_symmetrical, c.all) << n;
    if (c.all == 0) {
      EXPECT_EQ(c.essential + c.symmetrical + c.g_symmetrical, 0) << n;
    }
  }
  EXPECT_EQ(orders_with_arrays, 310);
}

struct Count_row {
  std::int32_t n, all, essential, symmetrical, g_symmetrical;
};

TEST(Count_tables, SampleRowsMatchTheListedValues) {
  constexpr Count_row rows[] = {
      {2, 2, 1, 1, 1},          {3, 4, 1, 1, 0},           {16, 21104, 2648, 20, 308},
      {24, 200, 25, 0, 0},      {27, 204, 29, 7, 0},       {31, 8, 1, 0, 0},
      {32, 0, 0, 0, 0},         {33, 0, 0, 0, 0},          {40, 1292, 162, 1, 640},
      {41, 192, 27, 6, 0},      {43, 0, 0, 0, 0},          {126, 11340, 1422, 9, 4536},
      {129, 2496, 324, 24, 0},  {256, 65536, 8192, 0, 32768}, {346, 119180, 14898, 1, 59512},
      {466, 216224, 27028, 0, 108112}, {499, 0, 0, 0, 0},  {500, 504, 63, 0, 0},
      // Outside the tables every count is zero.
      {1, 0, 0, 0, 0},          {501, 0, 0, 0, 0},         {-5, 0, 0, 0, 0},
  };
  for (const auto& r : rows) {
    const Order_counts c = count_tables(r.n);
    EXPECT_EQ(c.all, r.all) << r.n;
    EXPECT_EQ(c.essential, r.essential) << r.n;
    EXPECT_EQ(c.symmetrical, r.symmetrical) << r.n;
    EXPECT_EQ(c.g_symmetrical, r.g_symmetrical) << r.n;
  }
}
