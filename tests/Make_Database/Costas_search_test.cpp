#include "Make_Database/Costas_search.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

#include "Make_Database/Costas_class_set.hpp"
#include "Make_Database/Costas_constructions.hpp"
#include "_Library/Count_tables.hpp"
#include "tests/Make_Database/Costas_search_reference.hpp"

namespace {

// Every order 1..12 by exhaustive search: distinct Costas arrays, and the four counts of the
// program's count tables (orders 3 and up; order 2's table keeps one G-symmetrical array).
struct Search_order : testing::TestWithParam<std::int32_t> {};

TEST_P(Search_order, FindsEveryArrayOfTheOrder) {
  const std::int32_t n = GetParam();
  const auto arrays = search_costas_arrays(n, 2, {});
  const std::set<Costas_perm> distinct(arrays.begin(), arrays.end());
  EXPECT_EQ(distinct.size(), arrays.size());
  Costas_class_set classes;
  for (const auto& a : arrays) {
    ASSERT_TRUE(is_costas(a));
    ASSERT_EQ(a.size(), static_cast<std::size_t>(n));
    classes.add(a, 0);
  }
  const Class_counts counts = classes.counts();
  EXPECT_EQ(counts.all, static_cast<std::int64_t>(arrays.size()));
  if (n < 3) {
    EXPECT_EQ(arrays.size(), static_cast<std::size_t>(n));   // 1: one array, 2: two
    return;
  }
  const Order_counts table = count_tables(n);
  EXPECT_EQ(counts, (Class_counts{table.all, table.essential, table.symmetrical, table.g_symmetrical}));
}

INSTANTIATE_TEST_SUITE_P(Orders, Search_order, testing::Range(1, 13));

// FNV-1a over the sorted arrays, entry by entry, each array closed by a separator.
std::uint64_t digest(const std::vector<Costas_perm>& arrays) {
  std::uint64_t h = 14695981039346656037ULL;
  auto mix = [&h](std::uint64_t v) { h = (h ^ v) * 1099511628211ULL; };
  for (const auto& a : arrays) {
    for (const auto r : a) mix(r);
    mix(0xFFFF);
  }
  return h;
}

// The search against the first search of the builder, kept as the reference: the same sorted
// arrays, order by order, with the node counter's copy of the search agreeing too; and the
// faster search must visit fewer nodes from order 8 on, where its pruning starts to pay.
// Order 13 (too slow for the reference under the sanitizers) is checked by the count tables and
// the digest of the reference search's sorted arrays of order 13.
TEST(Search, SameArraysAsTheReferenceSearch) {
  for (std::int32_t n = 3; n <= 12; ++n) {
    SCOPED_TRACE(n);
    std::uint64_t reference_nodes = 0, nodes = 0;
    const auto reference = reference_search_costas_arrays(n, 2, &reference_nodes);
    ASSERT_EQ(search_costas_arrays(n, 2, {}), reference);
    ASSERT_EQ(search_costas_arrays_counting_nodes(n, 2, nodes), reference);
    EXPECT_GT(nodes, 0U);
    if (n >= 8) {
      EXPECT_LT(nodes, reference_nodes);
    }
  }
  const auto arrays = search_costas_arrays(13, 2, {});
  Costas_class_set classes;
  for (const auto& a : arrays) classes.add(a, 0);
  const Order_counts table = count_tables(13);
  EXPECT_EQ(classes.counts(),
            (Class_counts{table.all, table.essential, table.symmetrical, table.g_symmetrical}));
  EXPECT_EQ(digest(arrays), 0x1CAE327CE8CCD14DULL);
}

TEST(Search, SameArraysWhateverTheNumberOfThreads) {
  auto one = search_costas_arrays(9, 1, {});
  auto three = search_costas_arrays(9, 3, {});
  std::sort(one.begin(), one.end());
  std::sort(three.begin(), three.end());
  EXPECT_EQ(one, three);
  EXPECT_EQ(one.size(), 760U);
}

// Cut into branches at any depth, the search finds the same arrays as in one piece: the search
// resumes below a branch of any length from the masks the branch leaves.
TEST(Search, BranchesOfAnyDepthFindWhatTheWholeSearchFinds) {
  for (const std::int32_t n : {7, 10, 11}) {
    const auto whole = search_costas_arrays(n, 1, {});
    for (const int depth : {2, 3, 5, n - 2, n - 1}) {
      SCOPED_TRACE(testing::Message() << "order " << n << ", depth " << depth);
      const auto branches = search_branches(n, depth);
      const std::vector<std::vector<Costas_perm>> parts{search_branch_arrays(n, branches, 2)};
      EXPECT_EQ(class_members_sorted(parts), whole);
    }
  }
}

// The copy of the search compiled for AVX2 and BMI2 and the copy for any processor find the
// same arrays, whole and branch by branch (where the processor lacks them, both runs take the
// copy for any processor).
TEST(Search, BothCompiledCopiesFindTheSameArrays) {
  const bool before = use_wide_search(false);
  const auto whole = search_costas_arrays(11, 2, {});
  const auto branches = search_branches(11, 4);
  const auto members = search_branch_arrays(11, branches, 2);
  use_wide_search(true);
  EXPECT_EQ(search_costas_arrays(11, 2, {}), whole);
  EXPECT_EQ(search_branch_arrays(11, branches, 2), members);
  use_wide_search(before);
}

// Near the largest order: below the first columns of each member of the class of an order-30
// Welch array, every array found is a Costas array on those columns, and the member the search
// takes for its class is found.
TEST(Search, FindsTheLastColumnsOfAnOrder30Array) {
  const Costas_perm welch = exponential_welch(31, primitive_roots(31).front(), 0);
  bool member_found = false;
  for (int t = 0; t < 8; ++t) {
    const Costas_perm member = transform(welch, t);
    const Search_prefix prefix(member.begin(), member.begin() + 26);
    const std::vector<Search_prefix> branch{prefix};
    for (const auto& a : search_branch_arrays(30, branch, 1)) {
      EXPECT_TRUE(is_costas(a));
      EXPECT_TRUE(std::equal(prefix.begin(), prefix.end(), a.begin()));
      member_found = member_found || a == member;
    }
  }
  EXPECT_TRUE(member_found);
}

// However short the search (order 1 has none, order 3 ends long before the first periodic
// report), the reports never decrease and the last one is the end, 1.0.
TEST(Search, ReportsProgressAndRefusesOrdersOutOfRange) {
  struct Case {
    std::int32_t n;
    int jobs;
  };
  for (const Case c : {Case{1, 1}, Case{3, 1}, Case{3, 2}, Case{10, 2}}) {
    std::vector<double> reports;
    search_costas_arrays(c.n, c.jobs, [&reports](double fraction) { reports.push_back(fraction); });
    ASSERT_FALSE(reports.empty()) << "order " << c.n << ", " << c.jobs << " threads";
    EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end())) << "order " << c.n;
    EXPECT_GE(reports.front(), 0.0) << "order " << c.n;
    EXPECT_EQ(reports.back(), 1.0) << "order " << c.n << ", " << c.jobs << " threads";
  }
  int calls = 0;
  const auto count_calls = [&calls](double) { ++calls; };
  EXPECT_TRUE(search_costas_arrays(0, 1, count_calls).empty());
  EXPECT_TRUE(search_costas_arrays(max_search_order + 1, 1, count_calls).empty());
  EXPECT_EQ(calls, 0);
}

}  // namespace
