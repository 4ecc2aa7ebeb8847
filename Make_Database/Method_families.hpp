// The construction families of the method flags and the rule that labels a class with them.
// Each family is taken at the prime or field that its flag gives for an order N (Welch k:
// p = N + 1 + k; Golomb, Lempel and Taylor with digit d: q = N + d; Rickard W 0: p = N; torus
// windows: q = N + 1) and yields, in one step, the arrays of one construction with the corner
// dots its flag removes or adds. A class carries the lowest bit among the families that yield a
// member of it, or bit 0, Search, when none does: every flagged method is certain to find it.
#pragma once

#include <cstdint>
#include <map>
#include <unordered_map>

#include "Make_Database/Costas_class_set.hpp"

namespace generation_method {
constexpr int search = 0;           // a class that no family yields in one step
constexpr int welch_0 = 1;          // exponential Welch, every shift (p = N+1)
constexpr int welch_1 = 2;          // Welch 0 less a corner dot (p = N+2)
constexpr int welch_2 = 3;          // Welch 0 less a 2x2 corner block of two dots (p = N+3)
constexpr int welch_3 = 4;          // Welch 0 less a 3x3 corner square of three dots (p = N+4)
constexpr int taylor_0 = 5;         // Golomb plus dots at two opposite corners (q = N)
constexpr int taylor_1 = 6;         // Golomb plus a corner dot (q = N+1)
constexpr int lempel_2 = 7;         // Golomb with alpha = beta (q = N+2)
constexpr int golomb_2 = 8;         // (q = N+2)
constexpr int lempel_3 = 9;         // Lempel less its corner dot on the diagonal (q = N+3)
constexpr int golomb_3 = 10;        // Golomb less a corner dot (q = N+3)
constexpr int lempel_4 = 11;        // Lempel less a diagonal 2x2 block on the diagonal (q = N+4)
constexpr int golomb_4 = 12;        // Golomb less a corner dot and its diagonal neighbour
constexpr int taylor_4 = 13;        // Lempel less the anti-diagonal 2x2 block on the diagonal
constexpr int golomb_s4 = 14;       // Golomb less a corner dot, twice (q = N+4)
constexpr int golomb_s5 = 15;       // Golomb less a corner dot, three times (q = N+5)
constexpr int inhom_a_1 = 16;       // torus window of an asymmetric Golomb array (q = N+1)
constexpr int inhom_s_1 = 17;       // torus window that is symmetrical
constexpr int rickard_w_0 = 18;     // Welch 0 plus a corner dot (p = N)
constexpr int rickard_l_g_1 = 19;   // any other torus window
}  // namespace generation_method

// Per class (keyed by its representative): bit m set when family m yields a member of it.
using Family_yields = std::unordered_map<Costas_perm, std::uint32_t, Costas_perm_hash>;

// The lowest method bit of yields, or generation_method::search when it is 0.
int lowest_method(std::uint32_t yields);

class Method_families {
 public:
  // Every class of order n (2..500) that some family yields in one step, with the bits of all
  // the families that yield it.
  Family_yields yields(std::int32_t n);
  // The same classes, each with its lowest bit.
  Costas_class_set labelled_classes(std::int32_t n);

  // The exponential Welch arrays of the prime p (order p-1), bit 1; empty for another p.
  const Costas_class_set& welch_classes(std::int32_t p);
  // The Golomb arrays over GF(q) (order q-2), bit 7 for Lempel's and 8 for the rest; empty
  // when q is no prime power.
  const Costas_class_set& golomb_classes(std::int32_t q);
  // The Costas torus windows of order q-1 of the Golomb patterns over GF(q), the corner window
  // excluded, bits 16, 17 and 19; empty above q = 53, where there are none off the corner.
  Costas_class_set torus_window_classes(std::int32_t q);
  // Drops the cached classes of the primes and fields below q.
  void forget_below(std::int32_t q);

 private:
  std::map<std::int32_t, Costas_class_set> welch_, golomb_;
};
