// Field laws, run by one typed test body over prime fields and extension fields of several
// orders, and the table products and logarithms against direct reduction and linear search
// on whole fields.
#include <gtest/gtest.h>

#include <random>

#include "tests/support/gf_fixture.hpp"

namespace {

// A field of either kind behind one small interface, elements given by index.
struct Prime_field {
  static constexpr bool extension = false;
  using element = std::int32_t;
  static std::vector<int> orders() { return {2, 3, 5, 7, 11, 13, 31, 251, 503, 40009}; }
  static bool setup(Gf_fixture& f, int q) { return f.gfpm.GFPM_setup(q); }
  static element make(Gf_fixture&, std::uint32_t i) { return static_cast<element>(i); }
  static element add(Gf_fixture& f, element a, element b) { return f.gfpm.GFPM_Add(a, b); }
  static element sub(Gf_fixture& f, element a, element b) { return f.gfpm.GFPM_Sub(a, b); }
  static element mul(Gf_fixture& f, element a, element b) { return f.gfpm.GFPM_Multiply(a, b); }
  static element div(Gf_fixture& f, element a, element b) { return f.gfpm.GFPM_Divide(a, b); }
  static element exp(Gf_fixture& f, element a, int n) { return f.gfpm.GFPM_Exp(a, n); }
  static bool equal(Gf_fixture& f, element a, element b) { return f.gfpm.GFPM_equal(a, b); }
  static element zero(Gf_fixture& f) { return f.gfpm.GFPM_zero; }
  static element one(Gf_fixture& f) { return f.gfpm.GFPM_one; }
  static std::int32_t log(Gf_fixture& f, element x, int npe) { return f.gfpm_matrix.GFPM_log(x, npe); }
  static std::int32_t log_by_search(Gf_fixture& f, element x, int npe) {
    return f.gfpm_matrix.ops().log_by_search(x, npe);
  }
  static int no_of_pes(Gf_fixture& f) { return f.gfpm.GFPM_no_of_pes; }
  static element plain_mul(Gf_fixture& f, element a, element b) {
    return static_cast<element>(std::int64_t{a} * b % f.gfpm.GFPM_prime);
  }
};

struct Extension_field {
  static constexpr bool extension = true;
  using element = GFVE_element;
  static std::vector<int> orders() {
    return {4, 8, 16, 32, 64, 128, 256, 9, 27, 81, 243, 729, 6561, 25, 125, 625, 49, 343, 2401, 361};
  }
  static bool setup(Gf_fixture& f, int q) { return f.gfve.GFVE_setup(q); }
  static element make(Gf_fixture& f, std::uint32_t i) { return f.gfve.from_index(i); }
  static element add(Gf_fixture& f, const element& a, const element& b) { return f.gfve.GFVE_Add(a, b); }
  static element sub(Gf_fixture& f, const element& a, const element& b) { return f.gfve.GFVE_Sub(a, b); }
  static element mul(Gf_fixture& f, const element& a, const element& b) { return f.gfve.GFVE_Multiply(a, b); }
  static element div(Gf_fixture& f, const element& a, const element& b) { return f.gfve.GFVE_Divide(a, b); }
  static element exp(Gf_fixture& f, const element& a, int n) { return f.gfve.GFVE_Exp(a, n); }
  static bool equal(Gf_fixture& f, const element& a, const element& b) { return f.gfve.GFVE_equal(a, b); }
  static element zero(Gf_fixture& f) { return f.gfve.GFVE_zero; }
  static element one(Gf_fixture& f) { return f.gfve.GFVE_one; }
  static std::int32_t log(Gf_fixture& f, const element& x, int npe) { return f.gfve_matrix.GFVE_log(x, npe); }
  static std::int32_t log_by_search(Gf_fixture& f, const element& x, int npe) {
    return f.gfve_matrix.ops().log_by_search(x, npe);
  }
  static int no_of_pes(Gf_fixture& f) { return f.gfve.GFVE_no_of_pes; }
  static element plain_mul(Gf_fixture& f, const element& a, const element& b) {
    return f.gfve.multiply_by_subtraction(a, b);
  }
};

template <typename Field>
class Field_laws : public ::testing::Test {};

using Fields = ::testing::Types<Prime_field, Extension_field>;
TYPED_TEST_SUITE(Field_laws, Fields);

}  // namespace

TYPED_TEST(Field_laws, ArithmeticLawsOnSampledElements) {
  using F = TypeParam;
  for (int q : F::orders()) {
    Gf_fixture f;
    ASSERT_TRUE(F::setup(f, q)) << q;
    std::mt19937 random(static_cast<unsigned>(q));
    std::uniform_int_distribution<std::uint32_t> pick(0, static_cast<std::uint32_t>(q - 1));
    for (int trial = 0; trial < 300; ++trial) {
      const auto a = F::make(f, pick(random));
      const auto b = F::make(f, pick(random));
      const auto c = F::make(f, pick(random));
      SCOPED_TRACE(q);
      EXPECT_TRUE(F::equal(f, F::add(f, F::sub(f, a, b), b), a));
      EXPECT_TRUE(F::equal(f, F::mul(f, a, F::add(f, b, c)), F::add(f, F::mul(f, a, b), F::mul(f, a, c))));
      EXPECT_TRUE(F::equal(f, F::mul(f, F::mul(f, a, b), c), F::mul(f, a, F::mul(f, b, c))));
      EXPECT_TRUE(F::equal(f, F::mul(f, a, b), F::mul(f, b, a)));
      if (!F::equal(f, b, F::zero(f))) {
        EXPECT_TRUE(F::equal(f, F::mul(f, F::div(f, a, b), b), a));
        EXPECT_TRUE(F::equal(f, F::mul(f, F::exp(f, b, -1), b), F::one(f)));
        EXPECT_TRUE(F::equal(f, F::exp(f, b, q - 1), F::one(f)));
        const int m = static_cast<int>(pick(random)) - q / 2, n = static_cast<int>(pick(random));
        EXPECT_TRUE(F::equal(f, F::mul(f, F::exp(f, b, m), F::exp(f, b, n)), F::exp(f, b, m + n)));
      }
      if (!F::equal(f, a, F::zero(f))) {
        const int npe = 1 + static_cast<int>(pick(random)) % F::no_of_pes(f);
        const int e = F::log(f, a, npe);
        EXPECT_TRUE(e >= 0 && e <= q - 2);
      }
    }
  }
}

TYPED_TEST(Field_laws, TablesAgreeWithDirectProductsAndLogSearchOnWholeFields) {
  using F = TypeParam;
  for (int q : F::orders()) {
    if (q > 2500) continue;   // whole-field products are quadratic in q
    Gf_fixture f;
    ASSERT_TRUE(F::setup(f, q));
    const int npes = F::no_of_pes(f);
    for (std::uint32_t a = 0; a < static_cast<std::uint32_t>(q); ++a) {
      const auto ea = F::make(f, a);
      const std::uint32_t step = q > 300 ? 37 : 1;
      for (std::uint32_t b = 0; b < static_cast<std::uint32_t>(q); b += step) {
        const auto eb = F::make(f, b);
        ASSERT_TRUE(F::mul(f, ea, eb) == F::plain_mul(f, ea, eb)) << q << " " << a << " " << b;
      }
      if (a == 0 || (q > 1000 && a % 11 != 0)) continue;
      for (int npe : {1, npes, 1 + npes / 2}) {
        ASSERT_EQ(F::log(f, ea, npe), F::log_by_search(f, ea, npe)) << q << " " << a;
      }
    }
  }
}
