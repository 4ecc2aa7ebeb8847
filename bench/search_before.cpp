#include "bench/search_before.hpp"

#include <array>
#include <memory>

namespace {

constexpr int max_order = 31;
constexpr int diff_offset = 31;

// One pass over the distances per node: the child's masks written and the next column's
// candidates gathered together.
struct Before_state {
  int n = 0;
  std::array<std::uint32_t, max_order + 1> allowed{};
  std::array<std::array<std::uint64_t, max_order + 1>, max_order + 1> used{};
  std::array<int, max_order + 1> a{};
  std::vector<Costas_perm> found;
  std::uint64_t nodes = 0;

  void extend(int k, std::uint32_t rows, std::uint32_t candidates) {
    while (candidates != 0) {
      const int r = __builtin_ctz(candidates);
      candidates &= candidates - 1;
      ++nodes;
      a[static_cast<std::size_t>(k)] = r;
      if (k == n - 1) {
        found.emplace_back(a.begin(), a.begin() + n);
        continue;
      }
      const std::uint32_t next_rows = rows | (1U << r);
      const std::uint32_t next = place(k, r, next_rows);
      if (next != 0) extend(k + 1, next_rows, next);
    }
  }

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

  // Column 0 at r0 (at most the middle row), the farthest of the four edge dots from its corner.
  void allow_rows(int r0) {
    const std::uint32_t edge_rows = 1U | (1U << (n - 1));
    std::uint32_t inner_rows = 0;
    for (int r = r0 + 1; r < n - 1 - r0; ++r) inner_rows |= 1U << r;
    for (int c = 0; c < n; ++c) {
      allowed[static_cast<std::size_t>(c)] = (1U << n) - 1;
      if (c > r0 && c < n - 1 - r0) allowed[static_cast<std::size_t>(c)] &= ~edge_rows;
    }
    allowed[static_cast<std::size_t>(n) - 1] &= ~inner_rows;
  }
};

}  // namespace

std::vector<Costas_perm> search_before_counting_nodes(std::int32_t n, std::uint64_t& nodes) {
  nodes = 0;
  if (n < 1 || n > max_order) return {};
  if (n == 1) return {Costas_perm{0}};
  auto state = std::make_unique<Before_state>();
  state->n = n;
  const int middle = (n - 1) / 2;
  for (int r0 = 0; r0 <= middle; ++r0) {
    state->allow_rows(r0);
    state->a[0] = r0;
    for (int r1 = 0; r1 < n; ++r1) {
      if (r1 == r0 || (n % 2 == 1 && r0 == middle && r1 > middle)) continue;
      if (((state->allowed[1] >> r1) & 1) == 0) continue;
      state->extend(1, 1U << r0, 1U << r1);
    }
  }
  nodes = state->nodes;
  const std::vector<std::vector<Costas_perm>> parts{std::move(state->found)};
  return class_members_sorted(parts);
}
