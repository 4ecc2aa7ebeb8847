#include "Make_Database/Generated_family.hpp"

#include <gtest/gtest.h>

#include "Make_Database/Method_families.hpp"
#include "_Library/Count_tables.hpp"
#include "tests/support/test_support.hpp"

namespace {

Class_counts table_counts(std::int32_t n) {
  const Order_counts t = count_tables(n);
  return {t.all, t.essential, t.symmetrical, t.g_symmetrical};
}

struct Family_fixture : testing::Test {
  std::map<std::int32_t, Costas_class_set> build(std::int32_t from, std::int32_t to, int horizon = 6) {
    Generated_family family(horizon);
    std::map<std::int32_t, Costas_class_set> sets;
    EXPECT_TRUE(family.build(from, to, [&sets](std::int32_t n, const Costas_class_set& set) {
      sets.emplace(n, set);
      return true;
    }));
    return sets;
  }
};

// A spread of orders that needs every construction: Welch (p = N+1), Golomb over prime and
// extension fields (q = N+2; 62 and 79 over GF(64) and GF(81), whose symmetric arrays come
// also from beta = alpha^(p^(k/2))), torus windows (36, 42), corner removals (28, 36, 37, 144)
// and additions (30, 31, 47). Each must match the count tables in all four columns. Orders 53,
// 254 and 500 and the whole range 28-500 are checked by the benchmark (bench/generated_counts).
struct Spread_fixture : Family_fixture, testing::WithParamInterface<std::int32_t> {};

TEST_P(Spread_fixture, OrderMatchesTheCountTables) {
  const std::int32_t n = GetParam();
  const auto sets = build(n, n);
  ASSERT_EQ(sets.size(), 1U);
  EXPECT_EQ(sets.at(n).counts(), table_counts(n)) << "order " << n;
}

INSTANTIATE_TEST_SUITE_P(Generated_orders, Spread_fixture,
                         testing::Values(28, 30, 31, 36, 37, 40, 42, 47, 62, 79, 100, 144));

// Order 29 lacks the two classes that only exhaustive search has found.
TEST_F(Family_fixture, OrderTwentyNineLacksTwoSearchedClasses) {
  const auto sets = build(29, 29);
  EXPECT_EQ(sets.at(29).counts(), (Class_counts{148, 21, 5, 0}));
  EXPECT_EQ(table_counts(29), (Class_counts{164, 23, 5, 0}));
}

TEST_F(Family_fixture, SmallOrdersAndMethodBits) {
  const auto sets = build(2, 6);
  EXPECT_EQ(sets.at(2).counts(), (Class_counts{2, 1, 1, 2}));
  EXPECT_EQ(sets.at(3).counts(), table_counts(3));
  EXPECT_EQ(sets.at(4).counts(), table_counts(4));
  // Order 4: the Welch class of 0 1 3 2 (p = 5) keeps the Welch 0 bit although Golomb over GF(4)
  // does not reach order 4 and corner additions reach it too.
  const auto& four = sets.at(4).classes();
  ASSERT_TRUE(four.contains(Costas_perm{0, 1, 3, 2}));
  EXPECT_EQ(four.at(Costas_perm{0, 1, 3, 2}), generation_method::welch_0);
  // Order 5: 0 2 1 5 3 4 (Welch, p = 7) with its corner dot removed is a Welch 1 array, and no
  // Welch 0 array exists at order 5.
  const auto removed = remove_corner_dot(Costas_perm{0, 2, 1, 5, 3, 4}, 0);
  ASSERT_TRUE(removed.has_value());
  const auto& five = sets.at(5).classes();
  const auto it = five.find(class_representative(*removed));
  ASSERT_NE(it, five.end());
  EXPECT_EQ(it->second, generation_method::welch_1);
  for (const auto& [n, set] : sets) {
    for (const auto& [rep, method] : set.classes()) {
      EXPECT_TRUE(is_costas(rep));
      EXPECT_EQ(rep.size(), static_cast<std::size_t>(n));
      EXPECT_GE(method, 0);
      EXPECT_LE(method, 19);
    }
  }
}

// Torus windows lose corner dots like every other carrier: order 15 holds the GF(17) window
// with a corner removed, which no family yields in one step.
TEST_F(Family_fixture, TorusWindowsAreClosedUnderCornerRemoval) {
  const auto sets = build(15, 15);
  const Costas_perm window_less_corner{1, 12, 11, 4, 6, 10, 2, 3, 0, 7, 5, 14, 8, 13, 9};
  ASSERT_TRUE(is_costas(window_less_corner));
  const auto& fifteen = sets.at(15).classes();
  const auto it = fifteen.find(class_representative(window_less_corner));
  ASSERT_NE(it, fifteen.end());
  EXPECT_EQ(it->second, generation_method::search);
}

TEST(Corner_changes, RemovalsAndAdditionsOfASet) {
  Costas_class_set welch;
  welch.add(Costas_perm{0, 2, 1, 5, 3, 4}, generation_method::welch_0);
  EXPECT_TRUE(has_removable_corner(Costas_perm{0, 2, 1, 5, 3, 4}));
  EXPECT_TRUE(has_removable_corner(Costas_perm{2, 4, 3, 0, 1}));   // block (3,0), (4,1)
  EXPECT_FALSE(has_removable_corner(Costas_perm{1, 3, 0, 2}));
  EXPECT_FALSE(has_removable_corner(Costas_perm{2, 0, 3, 4, 1}));
  Costas_class_set smaller;
  add_corner_removals(welch, 1, false, smaller);
  ASSERT_GE(smaller.size(), 1U);
  for (const auto& [rep, method] : smaller.classes()) {
    EXPECT_TRUE(is_costas(rep));
    EXPECT_EQ(rep.size(), 5U);
    EXPECT_EQ(method, generation_method::search);   // the closure leaves the bits to the families
  }
  Costas_class_set larger;
  add_corner_additions(welch, 1, larger);
  for (const auto& [rep, method] : larger.classes()) {
    EXPECT_TRUE(is_costas(rep));
    EXPECT_EQ(method, generation_method::search);
  }
}

}  // namespace
