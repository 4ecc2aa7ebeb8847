#include "Make_Database/Costas_search.hpp"

#include "Make_Database/Search_ties.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <span>
#include <thread>
#include <utility>

namespace {

// Differences r - r' are kept as bit r - r' + 31 of the mask of their distance, so that the
// rows a new column may not take, seen from the row r' of an earlier column, are the mask
// shifted right by 31 - r'.
constexpr int diff_offset = 31;

template <bool count_nodes>
struct Search_state;
template <bool count_nodes>
void allow_rows(Search_state<count_nodes>& state, int r0);

// One thread's backtracking. Per depth k (columns 0..k-1 placed) it keeps the masks of used
// differences, used[k][d] for each distance d, and for every later column m the rows m may not
// take, forward[k][m]: rows outside allowed[m] and rows whose difference to an earlier column is
// used at that distance. Both are written once per depth and never undone. Placing row r in
// column k adds to forward[.][m] only the mask of distance m - k seen from r: a difference that
// column k adds at distance d forbids column m the same rows as a difference already used at
// distance m - k does (the four dots form a parallelogram). So a row of column k is told dead in
// a few instructions from forward[k][k + 1] and the distance-1 mask; only a live one pays for the
// masks of its child, with every shift by the same amount, and the distances longer than the
// columns still to come are never written. The order n and column k are template arguments, so
// that these loops are unrolled. count_nodes is true only for the benchmark's counted search.
template <bool count_nodes>
struct Search_state {
  int n = 0;
  std::array<std::uint32_t, max_search_order + 1> allowed{};   // rows each column may take
  std::array<std::array<std::uint64_t, max_search_order + 1>, max_search_order + 1> used{};
  std::array<std::array<std::uint64_t, max_search_order + 1>, max_search_order + 1> forward{};
  std::array<std::uint64_t, max_search_order + 1> row_bits{};   // [31 - c]: bit 31 - a[c]
  std::array<int, max_search_order + 1> a{};
  std::array<int, max_search_order + 1> column_of{};   // of the rows of a, for the tie checks
  // Per column, the rows that may show a tie among the members (tie_rows), and what may decide
  // the ties the columns placed leave open (set for a branch and put back when it is done).
  std::array<std::uint32_t, max_search_order + 1> watched_rows{};
  std::uint32_t wake_rows = 0;
  int wake_column = -1;
  std::vector<Costas_perm> found;
  std::uint64_t nodes = 0;

  // Tries every row of candidates in column k (1 <= k <= n - 1) below the rows of columns
  // 0..k-1 (rows; candidates keeps the Costas property), with used[k] and forward[k] set. The
  // rows that may decide a tie among the members are tried apart (extend_ties), so that the
  // loop over the others stays as short as it can be.
  template <int n, int k>
  void extend(std::uint32_t rows, std::uint32_t candidates) {
    const std::uint32_t checked_rows = watched_rows[k] | wake_rows | (wake_column == k ? ~0U : 0U);
    if ((candidates & checked_rows) != 0) extend_ties<n, k>(rows, candidates & checked_rows);
    candidates &= ~checked_rows;
    while (candidates != 0) {
      const int r = __builtin_ctz(candidates);
      candidates &= candidates - 1;
      visit<n, k>(rows, r);
    }
  }

  // The rows of candidates in column k, each checked against the ties first: a row that shows
  // a smaller member is dropped, and what the check leaves open wakes the next check below it
  // (put back after the branch).
  template <int n, int k>
  [[gnu::noinline]] void extend_ties(std::uint32_t rows, std::uint32_t candidates) {
    const std::uint32_t entry_wake_rows = wake_rows;
    const int entry_wake_column = wake_column;
    while (candidates != 0) {
      const int r = __builtin_ctz(candidates);
      candidates &= candidates - 1;
      a[k] = r;
      column_of[r] = k;
      const Tie_check check = order_among_ties(std::span<const int>(a.data(), k + 1), column_of, n);
      if (check.order == Tie_order::not_least) {
        if constexpr (count_nodes) ++nodes;
        continue;
      }
      wake_rows = check.wake_rows;
      wake_column = check.wake_column;
      visit<n, k>(rows, r);
      wake_rows = entry_wake_rows;
      wake_column = entry_wake_column;
    }
  }

  // Row r in column k: an array when k is the last column, else the branch below it when
  // column k + 1 has a row left and no later column is left without one.
  template <int n, int k>
  [[gnu::always_inline]] void visit(std::uint32_t rows, int r) {
    if constexpr (count_nodes) ++nodes;
    a[k] = r;
    column_of[r] = k;
    if constexpr (k == n - 1) {
      found.emplace_back(a.begin(), a.begin() + n);
    } else {
      const std::uint64_t forbidden =
          forward[k][k + 1] | rows | ((used[k][1] | row_bits[diff_offset - (k - 1)] << r) >> (diff_offset - r));
      const std::uint32_t next = ~static_cast<std::uint32_t>(forbidden) & ~(1U << r);
      const std::uint32_t next_rows = rows | (1U << r);
      if (next != 0 && advance<n, k>(r, next_rows)) extend<n, k + 1>(next_rows, next);
    }
  }

  // With row r in column k (a[k] == r, k < n - 1), writes used[k + 1] and forward[k + 1];
  // false when some column after k + 1 has no row left (a look-ahead that costs one test per
  // column, as its rows are at hand).
  template <int n, int k>
  [[gnu::always_inline]] bool advance(int r, std::uint32_t next_rows) {
    const std::uint64_t* __restrict const masks = used[k].data();
    std::uint64_t* __restrict const next_masks = used[k + 1].data();
    row_bits[diff_offset - k] = std::uint64_t{1} << (diff_offset - r);
    const std::uint64_t* __restrict const earlier = row_bits.data() + (diff_offset - k);
    constexpr int reach = std::min(k, n - 1 - k);   // longer distances are never read again
#pragma GCC unroll 32
    for (int d = 1; d <= reach; ++d) next_masks[d] = masks[d] | earlier[d] << r;
    const std::uint64_t* __restrict const later = forward[k].data();
    std::uint64_t* __restrict const next_later = forward[k + 1].data();
    const int shift = diff_offset - r;
    bool dead = false;
#pragma GCC unroll 32
    for (int m = k + 2; m < n; ++m) {
      const std::uint64_t forbidden = m - k <= reach ? later[m] | next_masks[m - k] >> shift : later[m];
      next_later[m] = forbidden;
      dead |= static_cast<std::uint32_t>(~(forbidden | next_rows)) == 0;
    }
    return !dead;
  }

  // Sets forward[k] and row_bits from used[k] and the rows of columns 0..k-1.
  void start_forward(int k) {
    const auto column = [](int c) { return static_cast<std::size_t>(c); };
    for (int c = 0; c < k; ++c) row_bits[column(diff_offset - c)] = std::uint64_t{1} << (diff_offset - a[column(c)]);
    for (int m = k; m < n; ++m) {
      std::uint64_t forbidden = ~std::uint64_t{allowed[column(m)]};
      for (int c = 0; c < k; ++c) forbidden |= used[column(k)][column(m - c)] >> (diff_offset - a[column(c)]);
      forward[column(k)][column(m)] = forbidden;
    }
  }

  // extend<n, k> for an order and a column known at run time (2 <= n <= 31, 1 <= k <= n - 1).
  // A branch whose first columns already show a smaller member is dropped whole.
  void extend_at(int k, std::uint32_t rows, std::uint32_t candidates) {
    for (int c = 0; c < k; ++c) column_of[static_cast<std::size_t>(a[static_cast<std::size_t>(c)])] = c;
    const Tie_check check = order_among_ties(std::span<const int>(a.data(), static_cast<std::size_t>(k)), column_of, n);
    if (check.order == Tie_order::not_least) return;
    wake_rows = check.wake_rows;
    wake_column = check.wake_column;
    start_forward(k);
    static constexpr auto table = extends(std::make_index_sequence<(max_search_order + 1) * max_search_order>{});
    (this->*table[static_cast<std::size_t>(n * max_search_order + k)])(rows, candidates);
  }
  using Extend = void (Search_state::*)(std::uint32_t, std::uint32_t);
  template <std::size_t... i>
  static constexpr std::array<Extend, sizeof...(i)> extends(std::index_sequence<i...>) {
    return {extend_of<static_cast<int>(i / max_search_order), static_cast<int>(i % max_search_order)>()...};
  }
  template <int order, int column>
  static constexpr Extend extend_of() {
    if constexpr (order >= 2 && column >= 1 && column < order) {
      return &Search_state::extend<order, column>;
    } else {
      return nullptr;
    }
  }

  // With row r in column k (a[k] == r, k < n - 1), writes the masks of column k + 1 and returns
  // the rows column k + 1 may take.
  [[gnu::always_inline]] std::uint32_t place(int k, int r, std::uint32_t next_rows) {
    const std::uint64_t* const masks = used[static_cast<std::size_t>(k)].data();
    std::uint64_t* const next_masks = used[static_cast<std::size_t>(k) + 1].data();
    const std::uint64_t bit = std::uint64_t{1} << (r + diff_offset);
    std::uint64_t forbidden = next_rows;
    for (int d = 1; d <= k; ++d) {
      const std::uint64_t mask = masks[d] | (bit >> a[static_cast<std::size_t>(k - d)]);
      next_masks[d] = mask;
      forbidden |= mask >> (diff_offset - a[static_cast<std::size_t>(k + 1 - d)]);
    }
    return ~static_cast<std::uint32_t>(forbidden) & allowed[static_cast<std::size_t>(k) + 1];
  }

  // Calls at_depth() for every live branch of depth columns below the rows of columns 0..k-1
  // (depth <= n - 1), trying the rows of candidates in column k; a[0..depth-1] holds its rows.
  template <typename Visit>
  void walk(int k, std::uint32_t rows, std::uint32_t candidates, int depth, Visit& at_depth) {
    while (candidates != 0) {
      const int r = __builtin_ctz(candidates);
      candidates &= candidates - 1;
      a[static_cast<std::size_t>(k)] = r;
      if (k + 1 == depth) {
        at_depth();
        continue;
      }
      const std::uint32_t next_rows = rows | (1U << r);
      const std::uint32_t next = place(k, r, next_rows);
      if (next != 0) walk(k + 1, next_rows, next, depth, at_depth);
    }
  }

  // Sets the state to the branch of prefix (two columns or more, fewer than n) up to its last
  // column: rows gets the rows of the columns before it and the result is the last column's
  // row as a candidate set, empty when the branch is dead.
  std::uint32_t enter(const Search_prefix& prefix, std::uint32_t& rows) {
    allow_rows(*this, prefix[0]);
    a[0] = prefix[0];
    used[1].fill(0);
    rows = 1U << prefix[0];
    std::uint32_t candidates = allowed[1];
    const int last = static_cast<int>(prefix.size()) - 1;
    for (int k = 1; k < last; ++k) {
      const int r = prefix[static_cast<std::size_t>(k)];
      if (((candidates >> r) & 1) == 0) return 0;
      a[static_cast<std::size_t>(k)] = r;
      rows |= 1U << r;
      candidates = place(k, r, rows);
    }
    return candidates & (1U << prefix[static_cast<std::size_t>(last)]);
  }
};

// Every class has a member whose column-0 dot is, of the four dots on the edges of the square,
// one farthest from its nearest corner, at row r0 <= (n-1)/2 (the eight transforms carry any
// edge dot to column 0 and its nearest corner to row 0, and keep every edge dot's distance to its
// nearest corner). For such a member the other three edge dots lie at most r0 from a corner:
// rows 0 and n-1 only in columns 0..r0 and n-1-r0..n-1, column n-1 only in rows 0..r0 and
// n-1-r0..n-1. These bounds cut the branches in their middle columns, where the search is widest.
template <bool count_nodes>
void allow_rows(Search_state<count_nodes>& state, int r0) {
  const int n = state.n;
  const std::uint32_t edge_rows = 1U | (1U << (n - 1));
  std::uint32_t inner_rows = 0;
  for (int r = r0 + 1; r < n - 1 - r0; ++r) inner_rows |= 1U << r;
  for (int c = 0; c < n; ++c) {
    state.watched_rows[static_cast<std::size_t>(c)] = tie_rows(n, r0, c);
    state.allowed[static_cast<std::size_t>(c)] = (1U << n) - 1;
    if (c > r0 && c < n - 1 - r0) state.allowed[static_cast<std::size_t>(c)] &= ~edge_rows;
  }
  state.allowed[static_cast<std::size_t>(n) - 1] &= ~inner_rows;
}

// The rows of the first two columns of every branch. The first is at most the middle row; for
// odd n, when it is the middle row, the rows reversed give a member with the same column 0, so
// only the second columns below the middle are taken.
std::vector<Search_prefix> two_column_prefixes(int n) {
  std::vector<Search_prefix> prefixes;
  const int middle = (n - 1) / 2;
  for (int r0 = 0; r0 <= middle; ++r0) {
    for (int r1 = 0; r1 < n; ++r1) {
      if (r1 == r0 || (n % 2 == 1 && r0 == middle && r1 > middle)) continue;
      prefixes.push_back({r0, r1});
    }
  }
  return prefixes;
}

// Searches the branches of prefixes on jobs threads: the arrays each thread found, unsorted.
template <bool count_nodes>
std::vector<std::vector<Costas_perm>> search_prefix_list(std::int32_t n,
                                                         std::span<const Search_prefix> prefixes,
                                                         int jobs,
                                                         const std::function<void(double)>& progress,
                                                         std::uint64_t* nodes) {
  std::atomic<std::size_t> next{0}, done{0};
  std::atomic<std::uint64_t> visited{0};
  std::vector<std::vector<Costas_perm>> results(static_cast<std::size_t>(std::max(jobs, 1)));
  auto worker = [&](std::size_t index) {
    auto state = std::make_unique<Search_state<count_nodes>>();
    state->n = n;
    for (std::size_t k; (k = next.fetch_add(1)) < prefixes.size();) {
      std::uint32_t rows = 0;
      const std::uint32_t last = state->enter(prefixes[k], rows);
      const int column = static_cast<int>(prefixes[k].size()) - 1;
      if (last != 0) state->extend_at(column, rows, last);
      done.fetch_add(1);
    }
    results[index] = std::move(state->found);
    visited.fetch_add(state->nodes);
  };
  std::vector<std::thread> threads;
  for (std::size_t j = 1; j < results.size(); ++j) threads.emplace_back(worker, j);
  std::thread first(worker, 0);
  // Report about twice a second, but notice the end of a short search at once.
  for (int tick = 0; progress && done.load() < prefixes.size(); ++tick) {
    if (tick % 50 == 0) {
      progress(static_cast<double>(done.load()) / static_cast<double>(prefixes.size()));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  first.join();
  for (auto& t : threads) t.join();
  // A short search may end before the loop above reported anything: the end is always reported.
  if (progress) progress(1.0);
  if (nodes != nullptr) *nodes = visited.load();
  return results;
}

template <bool count_nodes>
std::vector<Costas_perm> search(std::int32_t n, int jobs,
                                const std::function<void(double)>& progress,
                                std::uint64_t* nodes) {
  if (nodes != nullptr) *nodes = 0;
  if (n < 1 || n > max_search_order) return {};
  if (n == 1) {
    if (progress) progress(1.0);
    return {Costas_perm{0}};
  }
  const auto prefixes = two_column_prefixes(n);
  // Every member of the class of every array found.
  return class_members_sorted(search_prefix_list<count_nodes>(n, prefixes, jobs, progress, nodes));
}

}  // namespace

std::vector<Costas_perm> search_costas_arrays(std::int32_t n, int jobs,
                                              const std::function<void(double)>& progress) {
  return search<false>(n, jobs, progress, nullptr);
}

std::vector<Costas_perm> search_costas_arrays_counting_nodes(std::int32_t n, int jobs,
                                                             std::uint64_t& nodes) {
  return search<true>(n, jobs, {}, &nodes);
}

std::vector<Search_prefix> search_branches(std::int32_t n, int depth) {
  if (n < 3 || n > max_search_order) return {};
  depth = std::clamp(depth, 2, n - 1);
  std::vector<Search_prefix> branches;
  auto state = std::make_unique<Search_state<false>>();
  state->n = n;
  auto collect = [&] { branches.emplace_back(state->a.begin(), state->a.begin() + depth); };
  for (const auto& prefix : two_column_prefixes(n)) {
    std::uint32_t rows = 0;
    const std::uint32_t last = state->enter(prefix, rows);
    if (last != 0) state->walk(1, rows, last, depth, collect);
  }
  return branches;
}

std::vector<std::uint64_t> branch_widths(std::int32_t n, std::span<const Search_prefix> branches,
                                         int depth) {
  std::vector<std::uint64_t> widths(branches.size(), 0);
  auto state = std::make_unique<Search_state<false>>();
  state->n = n;
  for (std::size_t i = 0; i < branches.size(); ++i) {
    const int k = static_cast<int>(branches[i].size()) - 1;
    std::uint64_t width = 0;
    auto count = [&] { ++width; };
    std::uint32_t rows = 0;
    const std::uint32_t last = state->enter(branches[i], rows);
    if (last != 0) state->walk(k, rows, last, std::clamp(depth, k + 1, n - 1), count);
    widths[i] = width;
  }
  return widths;
}

std::vector<Costas_perm> search_branch_arrays(std::int32_t n, std::span<const Search_prefix> branches,
                                              int jobs) {
  if (n < 3 || n > max_search_order) return {};
  std::vector<Costas_perm> found;
  for (auto& part : search_prefix_list<false>(n, branches, jobs, {}, nullptr)) {
    std::move(part.begin(), part.end(), std::back_inserter(found));
  }
  std::sort(found.begin(), found.end());
  return found;
}
