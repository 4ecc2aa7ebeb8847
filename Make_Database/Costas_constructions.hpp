// The algebraic constructions of Costas arrays: exponential Welch arrays over a prime field,
// Golomb (and Lempel) arrays over GF(q), and windows of the Golomb pattern on its torus.
#pragma once

#include <cstdint>
#include <vector>

#include "_Library/Costas_arrays/Costas_properties.hpp"
#include "_Library/Number_theory/Galois_Fields_core.hpp"

// The field core set up as GF(q) for a prime power q in 2..1024; not valid() for other q.
Gf_field construction_field(std::int32_t q);

// Primitive roots g of the prime p (at most 1024), ascending.
std::vector<std::int32_t> primitive_roots(std::int32_t p);

// Exponential Welch array of order p-1: entry i is g^(i+shift) mod p - 1, g primitive mod p.
Costas_perm exponential_welch(std::int32_t p, std::int32_t g, std::int32_t shift);

// Row of column c of exponential_welch(p, g, shift), without building the array.
std::int32_t exponential_welch_row(std::int32_t p, std::int32_t g, std::int32_t shift, std::int32_t c);

// Golomb array of order q-2: dot (i-1, j-1) iff g^(s i) + g^(t j) = 1; s == t gives Lempel's.
Costas_perm golomb(const Gf_field& field, std::int32_t s, std::int32_t t);

// Row of column c of golomb(field, s, t), without building the array.
std::int32_t golomb_row(const Gf_field& field, std::int32_t s, std::int32_t t, std::int32_t c);

// The Golomb pattern on the (q-1)-torus shifted by (u, v), with the dot (u, v) added; no test.
Costas_perm torus_window(const Costas_perm& golomb_array, std::int32_t u, std::int32_t v);
// Every Costas window of the pattern, (0, 0) excluded, with its u, v.
struct Torus_window {
  std::int32_t u, v;
  Costas_perm perm;
};
std::vector<Torus_window> costas_torus_windows(const Costas_perm& golomb_array);
