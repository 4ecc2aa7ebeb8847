#include "GF_Polynomial_solver.hpp"

#include <algorithm>

#include "Modular_reduction.hpp"

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

VELLUMCAIRN_CLONES
void xor_columns(const std::uint64_t* columns, int words, const std::int32_t* which, int count,
                 std::uint64_t* sum) {
  std::fill(sum, sum + words, 0);
  for (int c = 0; c < count; ++c) {
    const std::uint64_t* column = columns + static_cast<std::ptrdiff_t>(which[c]) * words;
    for (int w = 0; w < words; ++w) sum[w] ^= column[w];
  }
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

void Gfp_linear_map::apply(const std::uint32_t* y, std::uint32_t* c) const {
  const Fast_modulus modulus(p_);
  switch (kind_) {
    case Kind::bits: {
      int count = 0;
      for (int s = 0; s < n_; ++s) {
        if (y[s] != 0) set_columns_[static_cast<std::size_t>(count++)] = s;
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
