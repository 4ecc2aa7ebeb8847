// The ambiguity function of Costas arrays: for every shift (dx, dy), how many dots of one array
// land on dots of the other array moved by that shift. A Costas array's auto-ambiguity is N at
// the origin and at most 1 everywhere else.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// The counts of every shift of array a against array b. The shifts dx and dy each run from
// -(order_a - 1) to order_b - 1, so the map is side() x side() with the origin at index
// order_a - 1 on both axes.
struct Ambiguity_map {
  int order_a = 0;
  int order_b = 0;
  // Row-major: the row of dy (ascending), then dx (ascending).
  std::vector<std::uint32_t> counts;

  int side() const { return order_a + order_b - 1; }
  // The count of shift (dx, dy); 0 for a shift outside the map.
  int count(int dx, int dy) const;
};

// One count of a map and its shift.
struct Ambiguity_peak {
  int value = 0;
  int dx = 0;
  int dy = 0;
};

// A(dx, dy) = the number of columns c of a with 0 <= c + dx < order of b and
// b[c + dx] == a[c] + dy. Both arrays are held 0-based (entry c is the row of column c);
// the auto-ambiguity is ambiguity(a, a). Takes order_a * order_b steps.
Ambiguity_map ambiguity(std::span<const std::uint16_t> a, std::span<const std::uint16_t> b);

// The largest count of the map away from the origin, and its shift: of several equal ones, the
// first in the map's row-major order (lowest dy, then lowest dx). Value 0 at (0, 0) when every
// count off the origin is 0.
Ambiguity_peak peak_off_origin(const Ambiguity_map& map);
// The largest count over every shift, the origin included, chosen the same way.
Ambiguity_peak peak(const Ambiguity_map& map);
