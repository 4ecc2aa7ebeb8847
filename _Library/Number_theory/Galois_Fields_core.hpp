// The field core: one finite field GF(q), q = p^k, found by a generator search and held as
// logarithm and power tables; products, powers and logarithms of elements, with no console and
// no log file. The program's GF(p) and GF(p^k) modules wrap it with their messages and logs;
// the builder's constructions use it directly.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "_Library/Field_kind.hpp"
#include "_Library/Number_theory/Galois_Fields_tables.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"

// 31 coefficients; entry i (1-based) is the coefficient of x^(i-1). In a field of degree k only
// entries 1..k+1 are significant.
struct GFVE_element {
  std::array<std::int32_t, 31> c{};
  std::int32_t& operator()(int i) { return c[static_cast<std::size_t>(i - 1)]; }
  std::int32_t operator()(int i) const { return c[static_cast<std::size_t>(i - 1)]; }
  bool operator==(const GFVE_element&) const = default;   // all 31 entries
};

// a modulo p in 0..p-1 for p > 0, whatever the sign of a.
inline std::int32_t floor_mod(std::int64_t a, std::int32_t p) {
  const std::int64_t r = a % p;
  return static_cast<std::int32_t>(r < 0 ? r + p : r);
}

// The element x: coefficient 1 at x^1, every other zero.
inline GFVE_element x_element() {
  GFVE_element x;
  x(2) = 1;
  return x;
}

// What a set-up did.
enum class Gf_setup {
  ready,             // the field is set up and its tables built
  too_large,         // q above max_order: nothing changed
  improper_order,    // q is no order of that kind (see record())
  not_found,         // the search ended without a generator
  search_overflow,   // the odometer ran past its last coefficient
};

class Gf_field {
 public:
  static constexpr std::int32_t max_order = 65536;   // tables, lists and squares fit below it

  // Sets up GF(q) by the generator search of kind: the smallest primitive root of a prime
  // (prime), or the first monic polynomial of degree k in the odometer order for which x is
  // primitive (extension); q, p and k are kept even for an improper order.
  [[nodiscard]] Gf_setup set_up(std::int32_t q, Gf_kind kind);

  bool valid() const { return tables_.ready; }             // set up, tables built
  std::int32_t order() const { return q_; }                 // q
  std::int32_t characteristic() const { return p_; }        // p; 0 before any factorisation
  std::int32_t degree() const { return k_; }                // k
  const Factor_record& record() const { return record_; }   // factorisation of the last q
  std::int32_t primitive_root() const { return root_; }     // root found by a prime set-up
  // Coefficient of x^i at [i] of the generator polynomial found by an extension set-up.
  const std::array<std::int32_t, 31>& generator() const { return generator_; }
  const Gf_tables& tables() const { return tables_; }
  // w in 1..q-1 with gcd(w, q-1) = 1: g^w runs over the primitive elements
  const std::vector<std::int32_t>& primitive_exponents() const { return primitive_exponents_; }

  // Elements by index (the residue, or c1 + c2 p + ... + ck p^(k-1)).
  std::int32_t power(std::int64_t e) const;              // g^e for any e (taken mod q-1)
  std::int32_t log(std::int32_t x) const;                // e in 0..q-2 with g^e = x; -1 for 0
  std::int32_t add(std::int32_t x, std::int32_t y) const;   // digit by digit mod p
  std::int32_t negate(std::int32_t x) const;                // digit by digit mod p
  std::int32_t multiply(std::int32_t x, std::int32_t y) const;

  // Elements as coefficient vectors.
  // Product reduced by repeated subtraction of the generator; zero without a monic generator.
  GFVE_element multiply_by_subtraction(const GFVE_element& a, const GFVE_element& b) const;
  bool equal(const GFVE_element& a, const GFVE_element& b) const;   // entries 1..k+1
  bool is_reduced(const GFVE_element& a) const;   // entries 1..k in 0..p-1, entry k+1 zero
  std::uint32_t to_index(const GFVE_element& a) const;   // of a reduced element
  GFVE_element from_index(std::uint32_t index) const;

 private:
  bool find_primitive_root();
  Gf_setup find_generator_polynomial();
  bool is_primitive_x();
  GFVE_element x_power(std::int32_t e) const;

  std::int32_t q_ = 0, p_ = 0, k_ = 0, root_ = 0;
  Factor_record record_;
  std::array<std::int32_t, 31> generator_{};
  std::array<GFVE_element, 17> squares_;   // x^(2^(j-2)) at [j - 1], j >= 2; one at [0]
  Gf_tables tables_;
  std::vector<std::int32_t> primitive_exponents_;
};
