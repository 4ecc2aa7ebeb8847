// Field operations without tables, the independent reference that the tests check the table
// paths against and that the benchmark measures: products reduced directly (GF(p)) or by
// repeated subtraction of the generator (GF(p^k)), powers by square and multiply, logarithms
// by linear search. The program itself never uses them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "_Library/Number_theory/Galois_Fields_Matrix_Utilities.hpp"
#include "_Library/Number_theory/Galois_Fields_PM_Matrix_Utilities.hpp"

// a^n in a field of the given order by square and multiply from the low bit, the exponent
// reduced modulo order - 1 first (floor modulo), as both fields' powers are defined.
template <typename Traits>
typename Traits::element plain_power(const Traits& traits, typename Traits::element a,
                                     std::int32_t n, std::int64_t order) {
  const std::int64_t m = order - 1;
  std::int64_t e = m > 0 ? ((n % m) + m) % m : 0;
  if (e == 0) return traits.one();
  if (e == 1) return a;
  typename Traits::element result = traits.one(), base = a;
  for (;;) {
    const bool bit = (e & 1) != 0;
    e >>= 1;
    if (bit) result = traits.mul(result, base);
    if (e == 0) return result;
    base = traits.mul(base, base);
  }
}

struct GFPM_plain_traits {
  using element = std::int32_t;
  static constexpr bool dot_prod_sum_below_npe_1 = true;

  Galois_Fields_Prime_Modulus* field;

  std::int32_t p() const { return field->GFPM_prime; }
  element reduce(std::int64_t a) const {
    const std::int64_t r = a % p();
    return static_cast<element>(r < 0 ? r + p() : r);
  }
  element zero() const { return 0; }
  element one() const { return 1; }
  element add(element a, element b) const { return reduce(std::int64_t{a} + b); }
  element sub(element a, element b) const { return reduce(std::int64_t{a} - b); }
  element mul(element a, element b) const { return reduce(std::int64_t{a} * b); }
  element exp(element a, std::int32_t n) const { return plain_power(*this, a, n, field->GFPM_order); }
  element div(element a, element b) const { return mul(a, exp(b, -1)); }
  bool equal(element a, element b) const { return a == b; }
  std::int32_t no_of_pes() const { return field->GFPM_no_of_pes; }
  element pe(std::int32_t npe) const { return field->GFPM_pes[static_cast<std::size_t>(npe - 1)]; }
  std::int32_t order() const { return field->GFPM_order; }
  std::int32_t table_log(element, std::int32_t) const { return -1; }   // always search
  std::int32_t to_integer(element sum) const { return sum; }
  std::string coefficients(element x) const { return free_form(x); }
};

// The module's own elements and operations, but products by repeated subtraction of the
// generator and logarithms always by search.
struct GFVE_plain_traits : GFVE_field_traits {
  element mul(const element& a, const element& b) const {
    return field->multiply_by_subtraction(a, b);
  }
  element exp(const element& a, std::int32_t n) const {
    return plain_power(*this, a, n, field->GFVE_order);
  }
  element div(const element& a, const element& b) const { return mul(a, exp(b, -1)); }
  std::int32_t table_log(const element&, std::int32_t) const { return -1; }
};

// The generating polynomial of one array by the plain algorithms: V built by plain powers,
// inverted by the shared Gauss-Jordan with plain operations, solved by the plain matrix-vector
// product, coefficients turned into exponents by linear search. Returns e_0 .. e_(N-1).
template <typename Traits>
class Plain_polynomial_finder {
 public:
  Plain_polynomial_finder(Traits traits, int n) : ops_(traits), n_(n), inverse_(n, n) {
    const auto a = ops_.traits.pe(1);
    for (int i = 1; i <= n; ++i) {
      const auto b = ops_.traits.exp(a, i - 1);
      for (int j = 1; j <= n; ++j) inverse_(i, j) = ops_.traits.exp(b, j - 1);
    }
    det = ops_.Minv(inverse_).det;
  }
  std::vector<std::int32_t> solve(const std::int32_t* rows) {
    const auto a = ops_.traits.pe(1);
    Gf_vector<typename Traits::element> y(static_cast<std::size_t>(n_)), c(y.size());
    for (int i = 0; i < n_; ++i) y[static_cast<std::size_t>(i)] = ops_.traits.exp(a, rows[i] + 1);
    ops_.matmulv(inverse_, y, c);
    std::vector<std::int32_t> e(static_cast<std::size_t>(n_));
    for (std::size_t j = 0; j < e.size(); ++j) {
      e[j] = ops_.traits.equal(c[j], ops_.traits.zero()) ? -99 : ops_.log_by_search(c[j], 1);
    }
    return e;
  }
  typename Traits::element det;

 private:
  Gf_matrix_algorithms<Traits> ops_;
  int n_;
  Gf_matrix<typename Traits::element> inverse_;
};
