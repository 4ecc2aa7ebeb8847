// The finder's per-array product: a fixed n x n matrix over GF(p) applied to a vector of
// residues, c = M y. Built once per matrix build; each application costs one pass over M with
// an accumulator wide enough to stay exact and one reduction per row. Over GF(2) the matrix is
// held as bit columns and applied by exclusive or.
#pragma once

#include <cstddef>
#include <cstdint>
#include <new>
#include <vector>

// Storage that starts on a cache line, so that the speed of the hot loops does not depend on
// where the heap happens to place a buffer.
template <typename T>
struct Cache_line_allocator {
  using value_type = T;
  static constexpr std::align_val_t alignment{64};
  Cache_line_allocator() = default;
  template <typename U>
  Cache_line_allocator(const Cache_line_allocator<U>&) {}
  T* allocate(std::size_t n) { return static_cast<T*>(::operator new(n * sizeof(T), alignment)); }
  void deallocate(T* p, std::size_t) { ::operator delete(p, alignment); }
  template <typename U>
  bool operator==(const Cache_line_allocator<U>&) const { return true; }
};
template <typename T>
using Cache_line_vector = std::vector<T, Cache_line_allocator<T>>;

class Gfp_linear_map {
 public:
  // A n x n matrix over GF(p) whose entry (r, s), 0-based, is entry(r, s), a residue.
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
  Cache_line_vector<std::int16_t> narrow_;   // row-major; 32-bit sums stay exact
  Cache_line_vector<std::uint32_t> wide_;    // row-major; 64-bit sums
  Cache_line_vector<std::uint64_t> bits_;    // column-major bit columns
  mutable Cache_line_vector<std::int16_t> y16_;
  mutable std::vector<std::int32_t> sums32_;
  mutable std::vector<std::uint64_t> sums64_;
  mutable std::vector<std::int32_t> set_columns_;
};
