#include "View_Arrays/Ambiguity.hpp"

#include <cstddef>

int Ambiguity_map::count(int dx, int dy) const {
  const int n = side();
  const int column = dx + order_a - 1;
  const int row = dy + order_a - 1;
  if (column < 0 || column >= n || row < 0 || row >= n) return 0;
  const std::size_t index = static_cast<std::size_t>(row) * n + column;
  return index < counts.size() ? static_cast<int>(counts[index]) : 0;
}

Ambiguity_map ambiguity(std::span<const std::uint16_t> a, std::span<const std::uint16_t> b) {
  Ambiguity_map map;
  map.order_a = static_cast<int>(a.size());
  map.order_b = static_cast<int>(b.size());
  const int n = map.side();
  if (n <= 0) return map;
  map.counts.assign(static_cast<std::size_t>(n) * n, 0);
  // Dot i of a lands on dot j of b under the shift (j - i, b[j] - a[i]). For permutations every
  // such shift lies in the map; an entry beyond its order would not, and is left out.
  for (int i = 0; i < map.order_a; ++i) {
    const int row_offset = map.order_a - 1 - a[i];
    for (int j = 0; j < map.order_b; ++j) {
      const int column = j - i + map.order_a - 1;
      const int row = b[j] + row_offset;
      if (row < 0 || row >= n) continue;
      ++map.counts[static_cast<std::size_t>(row) * n + column];
    }
  }
  return map;
}

namespace {

// The first largest count in row-major order, the origin skipped when asked; a larger count
// replaces the best only when strictly larger, so the first of equal ones stays.
Ambiguity_peak first_largest(const Ambiguity_map& map, bool skip_origin) {
  Ambiguity_peak best;
  const int n = map.side();
  if (n <= 0 || map.counts.size() != static_cast<std::size_t>(n) * n) return best;
  for (int row = 0; row < n; ++row) {
    for (int column = 0; column < n; ++column) {
      const int dx = column - (map.order_a - 1);
      const int dy = row - (map.order_a - 1);
      if (skip_origin && dx == 0 && dy == 0) continue;
      const int value = static_cast<int>(map.counts[static_cast<std::size_t>(row) * n + column]);
      if (value > best.value) best = {value, dx, dy};
    }
  }
  return best;
}

}  // namespace

Ambiguity_peak peak_off_origin(const Ambiguity_map& map) { return first_largest(map, true); }

Ambiguity_peak peak(const Ambiguity_map& map) { return first_largest(map, false); }
