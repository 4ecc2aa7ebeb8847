#include "Make_Database/Search_ties.hpp"

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "Make_Database/Costas_search.hpp"
#include "_Library/Count_tables.hpp"

namespace {

// Whether some transform keeps a's column-0 dot and gives a smaller array: told from the whole
// array, as the reference for the checks on its first columns.
bool has_smaller_tie(const Costas_perm& a) {
  for (int t = 1; t < 8; ++t) {
    const Costas_perm image = transform(a, t);
    if (image[0] == a[0] && image < a) return true;
  }
  return false;
}

// Every array of orders 3..10 (every member of every class) and every one of its prefixes:
// the whole array is told exactly and never pending; a prefix is not_least only when the array
// is (so a branch dropped holds no array that should be kept); and a prefix left pending is
// dropped at the next column only when that column is its wake column or holds a wake row.
TEST(Search_ties, PrefixesAgreeWithTheWholeArrayAndWakeWhenTheyMay) {
  for (int n = 3; n <= 10; ++n) {
    SCOPED_TRACE(n);
    for (const Costas_perm& array : search_costas_arrays(n, 2, {})) {
      const std::vector<int> a(array.begin(), array.end());
      const bool smaller = has_smaller_tie(array);
      const Tie_check whole = order_among_ties(a, n);
      ASSERT_EQ(whole.order, smaller ? Tie_order::not_least : Tie_order::least);
      Tie_check before;
      for (int k = 1; k < n; ++k) {
        const Tie_check check = order_among_ties(std::span<const int>(a.data(), static_cast<std::size_t>(k)), n);
        if (check.order == Tie_order::not_least) {
          ASSERT_TRUE(smaller) << "prefix of " << k;
        }
        const bool woken = k - 1 == before.wake_column || ((before.wake_rows >> a[static_cast<std::size_t>(k - 1)]) & 1) != 0;
        if (k > 1 && before.order != Tie_order::not_least && check.order == Tie_order::not_least) {
          EXPECT_TRUE(woken || ((tie_rows(n, a[0], k - 1) >> a[static_cast<std::size_t>(k - 1)]) & 1) != 0)
              << "column " << k - 1;
        }
        before = check;
      }
    }
  }
}

// The search keeps exactly one member of every class, the same one however its branches are
// cut: the members it visits all have the same column-0 dot, so the tie-break leaves one.
TEST(Search_ties, TheSearchFindsOneMemberPerClassAtAnyCut) {
  for (int n = 4; n <= 12; ++n) {
    SCOPED_TRACE(n);
    const auto whole = search_branch_arrays(n, search_branches(n, 2), 2);
    EXPECT_EQ(whole.size(), static_cast<std::size_t>(count_tables(n).essential));
    for (const Costas_perm& a : whole) EXPECT_FALSE(has_smaller_tie(a));
    for (const int depth : {3, n / 2, n - 1}) {
      EXPECT_EQ(search_branch_arrays(n, search_branches(n, depth), 1), whole) << "depth " << depth;
    }
  }
}

}  // namespace
