// The finder's per-array product c = M y: a fixed n x n matrix over GF(p) applied to residues.
#pragma once

#include <cstdint>
#include <vector>

class Gfp_linear_map {
 public:
  // M = the n x n matrix over GF(p) of residues entry(r, s), 0-based.
  template <typename Entry>
  void assign(int n, std::uint32_t p, Entry entry) {
    start(n, p);
    for (int r = 0; r < n; ++r) {
      for (int s = 0; s < n; ++s) set(r, s, entry(r, s));
    }
  }
  // An all-zero n x n matrix over GF(p), to be filled by set and set_bits.
  void start(int n, std::uint32_t p);
  void set(int r, int s, std::uint32_t value);   // entry (r, s), 0-based, a residue
  // Over GF(2): entries (r + d, s) for d = 0..count-1 are the bits d of bits.
  void set_bits(int r, int s, std::uint32_t bits, int count);
  // c = M y for residues y (n entries, each below p); c gets n residues.
  void apply(const std::uint32_t* y, std::uint32_t* c) const;
  void release();
  int size() const { return n_; }

 private:
  enum class Kind { bits, narrow, wide };

  int n_ = 0;
  int stride_ = 0;   // padded row length (narrow, wide) or words per column (bits)
  std::uint32_t p_ = 0;
  Kind kind_ = Kind::narrow;
  std::vector<std::int16_t> narrow_;   // row-major; 32-bit sums stay exact
  std::vector<std::uint32_t> wide_;    // row-major; 64-bit sums
  std::vector<std::uint64_t> bits_;    // column-major bit columns
  mutable std::vector<std::int16_t> y16_;
  mutable std::vector<std::int32_t> sums32_;
  mutable std::vector<std::uint64_t> sums64_;
  mutable std::vector<std::int32_t> set_columns_;
};
