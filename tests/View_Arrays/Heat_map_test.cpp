#include "View_Arrays/Ambiguity.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <tuple>
#include <utility>
#include <vector>

namespace {

using Array = std::vector<std::uint16_t>;

// The Welch Costas array of the prime p and its primitive root g: a[c] = (g^(c+1) mod p) - 1
// for c = 0..p-2, of order p - 1.
Array welch(int p, int g) {
  Array a;
  for (long long c = 0, power = g; c < p - 1; ++c, power = power * g % p) {
    a.push_back(static_cast<std::uint16_t>(power - 1));
  }
  return a;
}

Array identity(int n) {
  Array a;
  for (int c = 0; c < n; ++c) a.push_back(static_cast<std::uint16_t>(c));
  return a;
}

// Moves every dot of a by (dx, dy) and counts those that land on a dot of b.
int brute_count(const Array& a, const Array& b, int dx, int dy) {
  int coincidences = 0;
  for (int c = 0; c < static_cast<int>(a.size()); ++c) {
    const int column = c + dx;
    const int row = a[c] + dy;
    if (column >= 0 && column < static_cast<int>(b.size()) && b[column] == row) ++coincidences;
  }
  return coincidences;
}

// The first largest count in the order dy, then dx, both ascending.
Ambiguity_peak brute_peak(const Array& a, const Array& b, bool skip_origin) {
  Ambiguity_peak best;
  const int low = 1 - static_cast<int>(a.size());
  const int high = static_cast<int>(b.size()) - 1;
  for (int dy = low; dy <= high; ++dy) {
    for (int dx = low; dx <= high; ++dx) {
      if (skip_origin && dx == 0 && dy == 0) continue;
      const int value = brute_count(a, b, dx, dy);
      if (value > best.value) best = {value, dx, dy};
    }
  }
  return best;
}

struct Pair {
  const char* name;
  Array a;
  Array b;
};

std::vector<Pair> pairs() {
  return {{"Welch 6 with itself", welch(7, 3), welch(7, 3)},
          {"Welch 12 with itself", welch(13, 2), welch(13, 2)},
          {"Welch 6 against Welch 10", welch(7, 3), welch(11, 2)},
          {"identity 5 against Welch 12", identity(5), welch(13, 2)},
          {"identity 5 with itself", identity(5), identity(5)},
          {"order 1 against Welch 6", Array{0}, welch(7, 3)},
          {"Welch 10 against order 3", welch(11, 2), Array{1, 2, 0}}};
}

}  // namespace

TEST(Ambiguity, EveryShiftCountsTheDotsThatLandOnDotsAndThePeaksMatch) {
  for (const Pair& pair : pairs()) {
    SCOPED_TRACE(pair.name);
    const Ambiguity_map map = ambiguity(pair.a, pair.b);
    const int order_a = static_cast<int>(pair.a.size());
    ASSERT_EQ(map.side(), order_a + static_cast<int>(pair.b.size()) - 1);
    ASSERT_EQ(map.counts.size(), static_cast<std::size_t>(map.side()) * map.side());
    // One shift beyond the map on each side counts 0.
    for (int dy = -order_a; dy <= map.side() - order_a + 1; ++dy) {
      for (int dx = -order_a; dx <= map.side() - order_a + 1; ++dx) {
        ASSERT_EQ(map.count(dx, dy), brute_count(pair.a, pair.b, dx, dy)) << dx << ", " << dy;
      }
    }
    for (const bool skip_origin : {false, true}) {
      const Ambiguity_peak expected = brute_peak(pair.a, pair.b, skip_origin);
      const Ambiguity_peak found = skip_origin ? peak_off_origin(map) : peak(map);
      EXPECT_EQ(std::tie(found.value, found.dx, found.dy),
                std::tie(expected.value, expected.dx, expected.dy))
          << (skip_origin ? "off the origin" : "everywhere");
    }
  }
}

TEST(Ambiguity, CostasAutoAmbiguityIsTheOrderAtTheOriginAndAtMostOneElsewhere) {
  for (const auto& [p, g] : {std::pair{5, 2}, {7, 3}, {11, 2}, {13, 2}, {17, 3}, {23, 5}}) {
    const Ambiguity_map map = ambiguity(welch(p, g), welch(p, g));
    EXPECT_EQ(map.count(0, 0), p - 1) << p;
    EXPECT_EQ(peak(map).value, p - 1) << p;
    EXPECT_EQ(peak_off_origin(map).value, 1) << p;
  }
  // A permutation that is not a Costas array repeats a displacement.
  EXPECT_EQ(peak_off_origin(ambiguity(identity(6), identity(6))).value, 5);
}
