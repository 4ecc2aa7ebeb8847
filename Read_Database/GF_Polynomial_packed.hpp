// The finder's per-array product over GF(p^k), p odd: c = M y for a fixed n x n matrix M and y
// whose entries are powers g^s of the tables' generator, with the base-p digits of every
// element packed into fields of one 64-bit word. Entries of M are held as logarithms, so the
// term M(r, i) y_i costs one look-up of the packed digits of g^(log M(r, i) + s_i) and one
// integer addition; the digits of a row's sum are reduced modulo p once.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "_Library/Number_theory/Galois_Fields_tables.hpp"
#include "_Library/Number_theory/Modular_reduction.hpp"

class Packed_digit_map {
 public:
  // M = the n x n matrix of element indices entry(r, i), 0-based, over the field of tables.
  template <typename Entry>
  void assign(int n, const Gf_tables& tables, Entry entry) {
    start(n, tables);
    for (int r = 0; r < n; ++r) {
      for (int i = 0; i < n; ++i) set(r, i, entry(r, i), tables);
    }
  }
  // c = M y for y_i = g^(s_i), s_i in 0..q-2 (n entries); c gets n element indices.
  void apply(const std::uint32_t* s, std::uint32_t* c) const;
  void release();

  // The exact product sum of one row segment: packed digits at table[logs[i] + s[i]].
  using Row_sum = std::uint64_t (*)(const std::uint32_t* logs, const std::uint32_t* s, int count,
                                    const std::uint64_t* table);

 private:
  // The layout of the packed words of a field: bits per digit, and the most terms whose sum
  // keeps every digit field below its next one (a multiple of 16 where it can be).
  struct Layout {
    int width;
    int segment;
  };
  static Layout layout(std::int32_t p, std::int32_t k);

  void start(int n, const Gf_tables& tables);
  void set(int r, int i, std::uint32_t index, const Gf_tables& tables);
  std::uint32_t reduce_row(const std::uint32_t* logs) const;

  int n_ = 0;
  int stride_ = 0;   // row length, padded to a multiple of 16 with the logarithm of zero
  std::uint32_t p_ = 0;
  Fast_modulus modulus_{1};
  int k_ = 0;
  Layout layout_{64, 0};
  std::uint32_t zero_log_ = 0;        // 2(q - 1): its sums with any s look up zero words
  std::vector<std::uint32_t> logs_;   // row-major logarithms of M's entries
  std::vector<std::uint64_t> table_;  // packed digits of g^e at [e]; zero from 2(q - 1) on
  mutable std::vector<std::uint32_t> s_;   // the exponents of y, padded with zeros
  Row_sum row_sum_ = nullptr;
};
