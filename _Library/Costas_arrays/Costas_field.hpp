// A small table-based finite field GF(q), q = p^k <= 1024, for the algebraic constructions of
// Costas arrays: elements are the integers 0..q-1 (base-p digits of the coefficient vector),
// with power and logarithm tables of a primitive element found by search.
#pragma once

#include <cstdint>
#include <vector>

class Number_Theory_M;

class Costas_field {
 public:
  // Sets up GF(q); valid() is false when q is not a prime power in 2..1024.
  Costas_field(std::int32_t q, Number_Theory_M& number_theory);

  bool valid() const { return q_ != 0; }
  std::int32_t order() const { return q_; }            // q
  std::int32_t characteristic() const { return p_; }   // p
  std::int32_t degree() const { return k_; }           // k
  std::int32_t power(std::int64_t e) const;            // g^e for any e (taken mod q-1)
  std::int32_t log(std::int32_t x) const;              // e in 0..q-2 with g^e = x; -1 for x = 0
  std::int32_t add(std::int32_t x, std::int32_t y) const;
  std::int32_t negate(std::int32_t x) const;
  std::int32_t multiply(std::int32_t x, std::int32_t y) const;
  // Exponents e in 1..q-2 with gcd(e, q-1) = 1: g^e runs over the primitive elements.
  const std::vector<std::int32_t>& primitive_exponents() const { return primitive_exponents_; }
  // The coefficients of x^k in the generator polynomial (k entries, low degree first); for a
  // prime field the single entry is the negated primitive root.
  const std::vector<std::int32_t>& generator() const { return generator_; }

 private:
  std::int32_t q_ = 0, p_ = 0, k_ = 0;
  std::vector<std::int32_t> exp_, log_, generator_, primitive_exponents_;
  bool try_generator(const std::vector<std::int32_t>& low_coefficients);
};

// Primitive roots g of the prime p, ascending.
std::vector<std::int32_t> primitive_roots(std::int32_t p);
