// The algebraic constructions of Costas arrays: exponential Welch arrays over a prime field,
// Golomb (and Lempel) arrays over GF(q), and windows of the Golomb pattern on its torus.
#pragma once

#include <cstdint>
#include <vector>

#include "Costas_properties.hpp"
#include "Galois_Fields_core.hpp"

// GF(q) of the field core for the constructions, for a prime power q in 2..1024 (the smallest
// primitive root of a prime, the first generator polynomial of a prime power); not valid()
// for any other q.
Gf_field construction_field(std::int32_t q);

// Primitive roots g of the prime p (at most 1024), ascending.
std::vector<std::int32_t> primitive_roots(std::int32_t p);

// Exponential Welch array of order p-1: entry i is g^(i+shift) mod p - 1 (g a primitive root
// of the prime p).
Costas_perm exponential_welch(std::int32_t p, std::int32_t g, std::int32_t shift);

// Row of column c of exponential_welch(p, g, shift), without building the array.
std::int32_t exponential_welch_row(std::int32_t p, std::int32_t g, std::int32_t shift, std::int32_t c);

// Golomb array of order q-2 for alpha = g^s, beta = g^t (g the field's primitive element, s and
// t prime to q-1): a dot at column i-1, row j-1 iff alpha^i + beta^j = 1, for i, j in 1..q-2.
// s == t gives the symmetric Lempel array.
Costas_perm golomb(const Gf_field& field, std::int32_t s, std::int32_t t);

// Row of column c of golomb(field, s, t), without building the array.
std::int32_t golomb_row(const Gf_field& field, std::int32_t s, std::int32_t t, std::int32_t c);

// The Golomb pattern of order q-2 sits on the (q-1) x (q-1) torus with row 0 and column 0
// empty. Shifted cyclically by u columns and v rows, it leaves column u and row v empty; the
// window of order q-1 gets the dot (u, v) there. No Costas test. u = v = 0 adds the corner dot.
Costas_perm torus_window(const Costas_perm& golomb_array, std::int32_t u, std::int32_t v);
// Every window of the pattern (all u, v, (0, 0) excluded) that is a Costas array, with its u, v.
struct Torus_window {
  std::int32_t u, v;
  Costas_perm perm;
};
std::vector<Torus_window> costas_torus_windows(const Costas_perm& golomb_array);
