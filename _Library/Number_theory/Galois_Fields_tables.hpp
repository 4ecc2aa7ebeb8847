// Logarithm and power tables of a field set up by the field core (Galois_Fields_core.hpp), so
// that logarithms, powers, products and inverses cost a table look-up. An element is held here
// by its index: the residue itself in GF(p), c1 + c2 p + ... + ck p^(k-1) for the coefficients
// of an element of GF(p^k).
#pragma once

#include <cstdint>
#include <vector>

struct Gf_tables {
  bool ready = false;
  std::int32_t q = 0;                 // order of the field
  std::int32_t p = 0;                 // its characteristic
  std::int32_t k = 0;                 // its degree over GF(p)
  std::vector<std::uint32_t> exp;     // exp[e]: index of g^e for e in 0 .. 2(q-1)-1
  std::vector<std::int32_t> log;      // log[i]: e with g^e = element i; -1 for zero

  // Fills the tables from the powers of a generator g; next(i) is the index of g times i.
  template <typename Next>
  void build(std::int32_t order, std::int32_t prime, std::int32_t degree, Next next) {
    q = order;
    p = prime;
    k = degree;
    const auto n = static_cast<std::size_t>(q - 1);
    exp.assign(2 * n, 0);
    log.assign(static_cast<std::size_t>(q), -1);
    std::uint32_t v = 1;
    for (std::size_t e = 0; e < n; ++e) {
      exp[e] = exp[e + n] = v;
      log[v] = static_cast<std::int32_t>(e);
      v = next(v);
    }
    ready = true;
  }

  std::uint32_t multiply(std::uint32_t a, std::uint32_t b) const {
    if (a == 0 || b == 0) return 0;
    return exp[static_cast<std::size_t>(log[a] + log[b])];
  }
  // a^e for a nonzero element and e >= 0
  std::uint32_t power(std::uint32_t a, std::int64_t e) const {
    return exp[static_cast<std::size_t>((log[a] * e) % (q - 1))];
  }
  std::uint32_t inverse(std::uint32_t a) const {
    return exp[static_cast<std::size_t>((q - 1 - log[a]) % (q - 1))];
  }
  // The inverse of log[g] modulo q - 1, or -1 when g is zero or not primitive.
  std::int64_t log_base_inverse(std::uint32_t g) const {
    if (g == 0 || g >= static_cast<std::uint32_t>(q)) return -1;
    const std::int64_t m = q - 1;
    if (m == 1) return 0;
    std::int64_t r0 = m, r1 = log[g], t0 = 0, t1 = 1;
    while (r1 != 0) {
      const std::int64_t quotient = r0 / r1;
      std::int64_t r2 = r0 - quotient * r1;
      r0 = r1;
      r1 = r2;
      std::int64_t t2 = t0 - quotient * t1;
      t0 = t1;
      t1 = t2;
    }
    if (r0 != 1) return -1;
    return ((t0 % m) + m) % m;
  }
  // The logarithm of the nonzero element x to a base whose log_base_inverse is base_inverse.
  std::int32_t log_to_base(std::uint32_t x, std::int64_t base_inverse) const {
    return static_cast<std::int32_t>((log[x] * base_inverse) % (q - 1));
  }
};
