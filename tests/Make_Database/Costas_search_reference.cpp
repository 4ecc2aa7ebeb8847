#include "tests/Make_Database/Costas_search_reference.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <thread>

namespace {

// Differences r - r' are kept as bit r - r' + 31 of the mask of their distance, so that the
// rows a new column may not take, seen from the row r' of an earlier column, are the mask
// shifted right by 31 - r'.
constexpr int diff_offset = 31;

struct Search_state {
  int n = 0;
  std::uint32_t all_rows = 0;
  std::array<std::uint32_t, max_search_order + 1> allowed{};   // rows each column may take
  std::uint32_t edge_rows = 0;                                  // rows 0 and n-1
  int last_edge_column = 0;                                     // the last that may take them
  std::uint32_t rows_used = 0;
  std::array<std::uint64_t, max_search_order + 1> used{};
  std::array<std::uint16_t, max_search_order + 1> a{};
  std::vector<Costas_perm> found;
  std::uint64_t nodes = 0;   // calls of extend: partial arrays of two columns and more

  // Places row r in column c; false (and nothing changed) when it breaks the Costas property.
  bool place(int c, int r) {
    if (rows_used & (1U << r)) return false;
    for (int d = 1; d <= c; ++d) {
      if (used[d] & (std::uint64_t{1} << (r - a[c - d] + diff_offset))) {
        for (int e = 1; e < d; ++e) used[e] ^= std::uint64_t{1} << (r - a[c - e] + diff_offset);
        return false;
      }
      used[d] |= std::uint64_t{1} << (r - a[c - d] + diff_offset);
    }
    rows_used |= 1U << r;
    a[c] = static_cast<std::uint16_t>(r);
    return true;
  }

  // Places row r in column c when the masks already allow it (r came from the free rows).
  void place_free(int c, int r) {
    for (int d = 1; d <= c; ++d) used[d] |= std::uint64_t{1} << (r - a[c - d] + diff_offset);
    rows_used |= 1U << r;
    a[c] = static_cast<std::uint16_t>(r);
  }

  void unplace(int c) {
    const int r = a[c];
    for (int d = 1; d <= c; ++d) used[d] ^= std::uint64_t{1} << (r - a[c - d] + diff_offset);
    rows_used &= ~(1U << r);
  }

  void extend(int c) {
    ++nodes;
    // Rows 0 and n-1 may not go into the last r0 columns: they must be placed before.
    if (c == last_edge_column + 1 && (rows_used & edge_rows) != edge_rows) return;
    if (c == n) {
      found.emplace_back(a.begin(), a.begin() + n);
      return;
    }
    std::uint64_t forbidden = rows_used;
    for (int d = 1; d <= c; ++d) forbidden |= used[d] >> (diff_offset - a[c - d]);
    std::uint32_t free_rows = ~static_cast<std::uint32_t>(forbidden) & allowed[c];
    while (free_rows != 0) {
      const int r = __builtin_ctz(free_rows);
      free_rows &= free_rows - 1;
      place_free(c, r);
      extend(c + 1);
      unplace(c);
    }
  }
};

// Every class has a member whose column-0 dot is, of the four dots on the edges of the square,
// one nearest to a corner, at row r0 <= (n-1)/2 (the eight transforms carry any edge dot to
// column 0 and its nearest corner to row 0). For such a member, the dots of rows 0 and n-1 and
// of column n-1 lie at least r0 from the corners: column c may take rows 0 and n-1 only when
// r0 <= c <= n-1-r0, and column n-1 only rows r0..n-1-r0.
void allow_rows(Search_state& state, int r0) {
  const int n = state.n;
  const std::uint32_t edge_rows = 1U | (1U << (n - 1));
  state.edge_rows = edge_rows;
  state.last_edge_column = n - 1 - r0;
  for (int c = 0; c < n; ++c) {
    state.allowed[c] = state.all_rows;
    if (c > 0 && (c < r0 || c > n - 1 - r0)) state.allowed[c] &= ~edge_rows;
  }
  std::uint32_t middle = 0;
  for (int r = r0; r <= n - 1 - r0; ++r) middle |= 1U << r;
  state.allowed[n - 1] &= middle;
}

// The first two rows of every branch: the first below the middle row (or on it for odd n).
std::vector<std::array<int, 2>> search_prefixes(int n) {
  std::vector<std::array<int, 2>> prefixes;
  const int first_limit = (n - 1) / 2;
  for (int r0 = 0; r0 <= first_limit; ++r0) {
    for (int r1 = 0; r1 < n; ++r1) {
      if (r1 != r0) prefixes.push_back({r0, r1});
    }
  }
  return prefixes;
}

}  // namespace

std::vector<Costas_perm> reference_search_costas_arrays(std::int32_t n, int jobs,
                                                        std::uint64_t* nodes) {
  if (nodes != nullptr) *nodes = 0;
  if (n < 1 || n > max_search_order) return {};
  if (n == 1) return {Costas_perm{0}};
  std::atomic<std::uint64_t> visited{0};
  const auto prefixes = search_prefixes(n);
  std::atomic<std::size_t> next{0};
  std::vector<std::vector<Costas_perm>> results(static_cast<std::size_t>(std::max(jobs, 1)));
  auto worker = [&](std::size_t index) {
    Search_state state;
    state.n = n;
    state.all_rows = n == 32 ? ~0U : (1U << n) - 1;
    for (std::size_t k; (k = next.fetch_add(1)) < prefixes.size();) {
      allow_rows(state, prefixes[k][0]);
      if (state.place(0, prefixes[k][0])) {
        if ((state.allowed[1] >> prefixes[k][1]) & 1 && state.place(1, prefixes[k][1])) {
          state.extend(2);
          state.unplace(1);
        }
        state.unplace(0);
      }
    }
    results[index] = std::move(state.found);
    visited.fetch_add(state.nodes);
  };
  std::vector<std::thread> threads;
  for (std::size_t j = 1; j < results.size(); ++j) threads.emplace_back(worker, j);
  std::thread first(worker, 0);
  first.join();
  for (auto& t : threads) t.join();
  if (nodes != nullptr) *nodes = visited.load();

  // Every member of the class of every array found.
  return class_members_sorted(results);
}
