// One pass over M per product with an accumulator wide enough to stay exact and one reduction
// per row; over GF(2) the matrix is held as bit columns and applied by exclusive or.
#include "Read_Database/GF_Polynomial_solver.hpp"

#include <algorithm>

#include "_Library/Number_theory/Modular_reduction.hpp"

// The hot loops are built for the baseline processor and, where the compiler can, for AVX2 as
// well; the loader picks the version that this processor runs.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
#define VELLUMCAIRN_CLONES __attribute__((target_clones("avx2", "default")))
#else
#define VELLUMCAIRN_CLONES
#endif

namespace {

VELLUMCAIRN_CLONES
void narrow_rows(const std::int16_t* m, int stride, int rows, const std::int16_t* y,
                 std::int32_t* sums) {
  for (int r = 0; r < rows; ++r) {
    const std::int16_t* row = m + static_cast<std::ptrdiff_t>(r) * stride;
    std::int32_t sum = 0;
    for (int i = 0; i < stride; ++i) sum += static_cast<std::int32_t>(row[i]) * y[i];
    sums[r] = sum;
  }
}

VELLUMCAIRN_CLONES
void wide_rows(const std::uint32_t* m, int stride, int rows, const std::uint32_t* y,
               std::uint64_t* sums) {
  for (int r = 0; r < rows; ++r) {
    const std::uint32_t* row = m + static_cast<std::ptrdiff_t>(r) * stride;
    std::uint64_t sum = 0;
    for (int i = 0; i < stride; ++i) sum += static_cast<std::uint64_t>(row[i]) * y[i];
    sums[r] = sum;
  }
}

// Exclusive or of the chosen bit columns, a block of U x 4 words at a time held in registers.
using Words4 = std::uint64_t __attribute__((vector_size(32)));

template <int U>
inline void xor_block(const std::uint64_t* columns, int words, const std::int32_t* which, int count,
                      std::uint64_t* sum) {
  Words4 acc[U] = {};
  for (int c = 0; c < count; ++c) {
    const std::uint64_t* column = columns + static_cast<std::ptrdiff_t>(which[c]) * words;
    if (c + 8 < count) __builtin_prefetch(columns + static_cast<std::ptrdiff_t>(which[c + 8]) * words);
    for (int u = 0; u < U; ++u) {
      Words4 v;
      __builtin_memcpy(&v, column + 4 * u, sizeof v);
      acc[u] ^= v;
    }
  }
  for (int u = 0; u < U; ++u) __builtin_memcpy(sum + 4 * u, &acc[u], sizeof acc[u]);
}

VELLUMCAIRN_CLONES
void xor_columns(const std::uint64_t* columns, int words, const std::int32_t* which, int count,
                 std::uint64_t* sum) {
  int w = 0;
  for (; w + 32 <= words; w += 32) xor_block<8>(columns + w, words, which, count, sum + w);
  for (; w + 16 <= words; w += 16) xor_block<4>(columns + w, words, which, count, sum + w);
  for (; w + 4 <= words; w += 4) xor_block<1>(columns + w, words, which, count, sum + w);
}

int round_up(int n, int multiple) { return (n + multiple - 1) / multiple * multiple; }

}  // namespace

void Gfp_linear_map::start(int n, std::uint32_t p) {
  release();
  n_ = n;
  p_ = p;
  const auto size = [](int a, int b) { return static_cast<std::size_t>(a) * static_cast<std::size_t>(b); };
  if (p == 2) {
    kind_ = Kind::bits;
    stride_ = round_up(std::max(n, 1), 256) / 64;
    bits_.assign(size(n, stride_), 0);
    sums64_.assign(static_cast<std::size_t>(stride_), 0);
    set_columns_.assign(static_cast<std::size_t>(n), 0);
    return;
  }
  stride_ = round_up(std::max(n, 1), 32);
  const std::uint64_t largest = std::uint64_t{p - 1} * (p - 1) * static_cast<std::uint64_t>(stride_);
  if (p <= 32768 && largest < (std::uint64_t{1} << 31)) {
    kind_ = Kind::narrow;
    narrow_.assign(size(n, stride_), 0);
    y16_.assign(static_cast<std::size_t>(stride_), 0);
    sums32_.assign(static_cast<std::size_t>(n), 0);
  } else {
    kind_ = Kind::wide;
    wide_.assign(size(n, stride_), 0);
    sums64_.assign(static_cast<std::size_t>(n), 0);
  }
}

void Gfp_linear_map::set(int r, int s, std::uint32_t value) {
  const auto row = static_cast<std::size_t>(r);
  const auto col = static_cast<std::size_t>(s);
  const auto stride = static_cast<std::size_t>(stride_);
  switch (kind_) {
    case Kind::bits:
      if (value != 0) bits_[col * stride + row / 64] |= std::uint64_t{1} << (row % 64);
      break;
    case Kind::narrow:
      narrow_[row * stride + col] = static_cast<std::int16_t>(value);
      break;
    case Kind::wide:
      wide_[row * stride + col] = value;
      break;
  }
}

void Gfp_linear_map::set_bits(int r, int s, std::uint32_t bits, int count) {
  std::uint64_t* column = bits_.data() + static_cast<std::size_t>(s) * static_cast<std::size_t>(stride_);
  const std::uint64_t value = bits & ((std::uint64_t{1} << count) - 1);
  const int word = r / 64, shift = r % 64;
  column[word] |= value << shift;
  if (shift + count > 64) column[word + 1] |= value >> (64 - shift);
}

void Gfp_linear_map::apply(const std::uint32_t* y, std::uint32_t* c) const {
  const Fast_modulus modulus(p_);
  switch (kind_) {
    case Kind::bits: {
      int count = 0;
      for (int s = 0; s < n_; ++s) {
        set_columns_[static_cast<std::size_t>(count)] = s;
        count += y[s] != 0 ? 1 : 0;
      }
      xor_columns(bits_.data(), stride_, set_columns_.data(), count, sums64_.data());
      for (int r = 0; r < n_; ++r) {
        c[r] = static_cast<std::uint32_t>((sums64_[static_cast<std::size_t>(r / 64)] >> (r % 64)) & 1);
      }
      break;
    }
    case Kind::narrow:
      for (int s = 0; s < n_; ++s) y16_[static_cast<std::size_t>(s)] = static_cast<std::int16_t>(y[s]);
      narrow_rows(narrow_.data(), stride_, n_, y16_.data(), sums32_.data());
      for (int r = 0; r < n_; ++r) {
        c[r] = modulus.reduce(static_cast<std::uint32_t>(sums32_[static_cast<std::size_t>(r)]));
      }
      break;
    case Kind::wide: {
      std::vector<std::uint32_t> padded(y, y + n_);
      padded.resize(static_cast<std::size_t>(stride_), 0);
      wide_rows(wide_.data(), stride_, n_, padded.data(), sums64_.data());
      for (int r = 0; r < n_; ++r) c[r] = static_cast<std::uint32_t>(sums64_[static_cast<std::size_t>(r)] % p_);
      break;
    }
  }
}

void Gfp_linear_map::release() {
  n_ = 0;
  stride_ = 0;
  for (auto* v : {&narrow_, &y16_}) std::vector<std::int16_t>().swap(*v);
  std::vector<std::uint32_t>().swap(wide_);
  std::vector<std::uint64_t>().swap(bits_);
  std::vector<std::uint64_t>().swap(sums64_);
  std::vector<std::int32_t>().swap(sums32_);
  std::vector<std::int32_t>().swap(set_columns_);
}
