// A row's terms are summed as whole words: while a segment's digit sums stay below 2^width no
// digit carries into the next, so the sum of the words holds the digit sums side by side. Each
// segment's sum is split into its digit fields; the row's digit totals are reduced modulo p.
#include "Read_Database/GF_Polynomial_packed.hpp"

#include <algorithm>

#include "_Library/Number_theory/Modular_reduction.hpp"

// Where the processor gathers eight or four table words at once, the row sums use it; the
// choice is made once, by what this processor runs.
#if defined(__GNUC__) && defined(__x86_64__)
#define VELLUMCAIRN_GATHER 1
#include <immintrin.h>
#endif

namespace {

std::uint64_t row_sum_plain(const std::uint32_t* logs, const std::uint32_t* s, int count,
                            const std::uint64_t* table) {
  std::uint64_t a = 0, b = 0;
  int i = 0;
  for (; i + 2 <= count; i += 2) {
    a += table[logs[i] + s[i]];
    b += table[logs[i + 1] + s[i + 1]];
  }
  if (i < count) a += table[logs[i] + s[i]];
  return a + b;
}

#ifdef VELLUMCAIRN_GATHER
__attribute__((target("avx2"))) std::uint64_t row_sum_avx2(const std::uint32_t* logs,
                                                           const std::uint32_t* s, int count,
                                                           const std::uint64_t* table) {
  const auto* words = reinterpret_cast<const long long*>(table);
  __m256i a = _mm256_setzero_si256(), b = a;
  int i = 0;
  for (; i + 8 <= count; i += 8) {
    const __m256i at = _mm256_add_epi32(_mm256_loadu_si256(reinterpret_cast<const __m256i*>(logs + i)),
                                        _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + i)));
    a = _mm256_add_epi64(a, _mm256_i32gather_epi64(words, _mm256_castsi256_si128(at), 8));
    b = _mm256_add_epi64(b, _mm256_i32gather_epi64(words, _mm256_extracti128_si256(at, 1), 8));
  }
  alignas(32) std::uint64_t lanes[4];
  _mm256_store_si256(reinterpret_cast<__m256i*>(lanes), _mm256_add_epi64(a, b));
  return lanes[0] + lanes[1] + lanes[2] + lanes[3] + row_sum_plain(logs + i, s + i, count - i, table);
}

__attribute__((target("avx512f"))) std::uint64_t row_sum_avx512(const std::uint32_t* logs,
                                                                const std::uint32_t* s, int count,
                                                                const std::uint64_t* table) {
  // Masked gathers into zeros: the unmasked ones start from an undefined register.
  const __m512i zero = _mm512_setzero_si512();
  __m512i a = zero, b = zero;
  int i = 0;
  for (; i + 16 <= count; i += 16) {
    const auto* l = reinterpret_cast<const __m256i*>(logs + i);
    const auto* e = reinterpret_cast<const __m256i*>(s + i);
    const __m256i low = _mm256_add_epi32(_mm256_loadu_si256(l), _mm256_loadu_si256(e));
    const __m256i high = _mm256_add_epi32(_mm256_loadu_si256(l + 1), _mm256_loadu_si256(e + 1));
    a = _mm512_add_epi64(a, _mm512_mask_i32gather_epi64(zero, 0xFF, low, table, 8));
    b = _mm512_add_epi64(b, _mm512_mask_i32gather_epi64(zero, 0xFF, high, table, 8));
  }
  alignas(64) std::uint64_t lanes[8];
  _mm512_store_si512(lanes, _mm512_add_epi64(a, b));
  std::uint64_t sum = row_sum_plain(logs + i, s + i, count - i, table);
  for (const std::uint64_t lane : lanes) sum += lane;
  return sum;
}
#endif

Packed_digit_map::Row_sum chosen_row_sum() {
#ifdef VELLUMCAIRN_GATHER
  __builtin_cpu_init();
  if (__builtin_cpu_supports("avx512f")) return row_sum_avx512;
  if (__builtin_cpu_supports("avx2")) return row_sum_avx2;
#endif
  return row_sum_plain;
}

}  // namespace

Packed_digit_map::Layout Packed_digit_map::layout(std::int32_t p, std::int32_t k) {
  // k digits share 64 bits; a digit is at most p - 1, so 2^width - 1 over p - 1 terms fit.
  const int width = 64 / std::max(k, 1);
  const std::uint64_t room = width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << width) - 1;
  const std::uint64_t terms = std::min<std::uint64_t>(room / static_cast<std::uint64_t>(std::max(p - 1, 1)),
                                                      std::uint64_t{1} << 30);
  // Every field up to Gf_field::max_order of odd characteristic takes 31 terms or more.
  const int most = std::max(static_cast<int>(terms), 1);
  return {width, most >= 16 ? most / 16 * 16 : most};
}

void Packed_digit_map::start(int n, const Gf_tables& tables) {
  release();
  n_ = n;
  p_ = static_cast<std::uint32_t>(tables.p);
  modulus_ = Fast_modulus(p_);
  k_ = tables.k;
  layout_ = layout(tables.p, tables.k);
  stride_ = (std::max(n, 0) + 15) / 16 * 16;
  const auto cycle = static_cast<std::size_t>(tables.q - 1);
  zero_log_ = static_cast<std::uint32_t>(2 * cycle);
  logs_.assign(static_cast<std::size_t>(n_) * static_cast<std::size_t>(stride_), zero_log_);
  table_.assign(3 * cycle, 0);
  for (std::size_t e = 0; e < 2 * cycle; ++e) {
    std::uint64_t word = 0;
    std::uint32_t index = tables.exp[e];
    for (int d = 0; d < k_; ++d, index /= p_) word |= std::uint64_t{index % p_} << (d * layout_.width);
    table_[e] = word;
  }
  s_.assign(static_cast<std::size_t>(stride_), 0);
  // The processor's features are asked once per process.
  static const Row_sum chosen = chosen_row_sum();
  row_sum_ = chosen;
}

void Packed_digit_map::set(int r, int i, std::uint32_t index, const Gf_tables& tables) {
  logs_[static_cast<std::size_t>(r) * static_cast<std::size_t>(stride_) + static_cast<std::size_t>(i)] =
      index == 0 ? zero_log_ : static_cast<std::uint32_t>(tables.log[index]);
}

std::uint32_t Packed_digit_map::reduce_row(const std::uint32_t* logs) const {
  // A digit's total is at most n (p - 1), below 2^32 for any matrix that fits in memory.
  std::array<std::uint32_t, 32> totals{};
  const std::uint64_t mask = layout_.width >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << layout_.width) - 1;
  for (int begin = 0; begin < stride_; begin += layout_.segment) {
    const int count = std::min(layout_.segment, stride_ - begin);
    const std::uint64_t word = row_sum_(logs + begin, s_.data() + begin, count, table_.data());
    for (int d = 0; d < k_; ++d) {
      totals[static_cast<std::size_t>(d)] += static_cast<std::uint32_t>((word >> (d * layout_.width)) & mask);
    }
  }
  std::uint32_t index = 0;
  for (int d = k_; d-- > 0;) index = index * p_ + modulus_.reduce(totals[static_cast<std::size_t>(d)]);
  return index;
}

void Packed_digit_map::apply(const std::uint32_t* s, std::uint32_t* c) const {
  std::copy_n(s, n_, s_.begin());
  for (int r = 0; r < n_; ++r) {
    c[r] = reduce_row(logs_.data() + static_cast<std::ptrdiff_t>(r) * stride_);
  }
}

void Packed_digit_map::release() {
  n_ = 0;
  stride_ = 0;
  std::vector<std::uint32_t>().swap(logs_);
  std::vector<std::uint64_t>().swap(table_);
  std::vector<std::uint32_t>().swap(s_);
}
