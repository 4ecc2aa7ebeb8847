#include "Make_Database/Costas_constructions.hpp"

#include <gtest/gtest.h>

#include <numeric>
#include <set>

#include "tests/support/gf_fixture.hpp"

namespace {

std::int32_t phi(std::int32_t n) {
  std::int32_t count = 0;
  for (std::int32_t k = 1; k <= n; ++k) count += std::gcd(k, n) == 1 ? 1 : 0;
  return count;
}

class Field_test : public testing::TestWithParam<std::int32_t> {};

// The field laws on every element: logarithms invert powers, addition is a group, products
// distribute over sums, and the primitive exponents number phi(q-1).
TEST_P(Field_test, LawsHoldOnEveryElement) {
  const std::int32_t q = GetParam();
  const Gf_field field = construction_field(q);
  ASSERT_TRUE(field.valid());
  std::int32_t p = field.characteristic();
  std::int32_t size = 1;
  for (std::int32_t i = 0; i < field.degree(); ++i) size *= p;
  EXPECT_EQ(size, q);
  std::set<std::int32_t> powers;
  for (std::int32_t e = 0; e < q - 1; ++e) {
    powers.insert(field.power(e));
    EXPECT_EQ(field.log(field.power(e)), e);
  }
  EXPECT_EQ(powers.size(), static_cast<std::size_t>(q - 1));
  EXPECT_EQ(field.log(0), -1);
  for (std::int32_t x = 0; x < q; ++x) {
    EXPECT_EQ(field.add(x, field.negate(x)), 0);
    EXPECT_EQ(field.add(x, 0), x);
    for (std::int32_t y = 0; y < q; y += 1 + q / 16) {
      EXPECT_EQ(field.add(x, y), field.add(y, x));
      const std::int32_t z = field.power(3);
      EXPECT_EQ(field.multiply(z, field.add(x, y)),
                field.add(field.multiply(z, x), field.multiply(z, y)));
    }
  }
  EXPECT_EQ(field.primitive_exponents().size(), static_cast<std::size_t>(phi(q - 1)));
}

INSTANTIATE_TEST_SUITE_P(Prime_and_extension_fields, Field_test,
                         testing::Values(3, 4, 5, 7, 8, 9, 16, 25, 27, 32, 49, 64, 81, 125, 128, 243,
                                         256, 343, 503));

TEST(Field, NonPrimePowersAreRefused) {
  for (const std::int32_t q : {0, 1, 6, 12, 100, 500, 2048}) {
    EXPECT_FALSE(construction_field(q).valid()) << q;
  }
}

TEST(Welch, HandCheckedArraysAndTheFamilySize) {
  EXPECT_EQ(exponential_welch(5, 2, 0), (Costas_perm{0, 1, 3, 2}));    // written 1 2 4 3
  EXPECT_EQ(exponential_welch(7, 3, 0), (Costas_perm{0, 2, 1, 5, 3, 4}));
  EXPECT_EQ(exponential_welch(7, 3, 2), (Costas_perm{1, 5, 3, 4, 0, 2}));
  EXPECT_EQ(primitive_roots(7), (std::vector<std::int32_t>{3, 5}));
  for (const std::int32_t p : {7, 11, 13, 17}) {
    std::set<Costas_perm> arrays;
    for (const std::int32_t g : primitive_roots(p)) {
      for (std::int32_t s = 0; s < p - 1; ++s) {
        const Costas_perm a = exponential_welch(p, g, s);
        EXPECT_TRUE(is_costas(a));
        EXPECT_TRUE(is_g_symmetrical(a));
        arrays.insert(a);
      }
    }
    EXPECT_EQ(arrays.size(), static_cast<std::size_t>((p - 1) * phi(p - 1))) << p;
  }
}

TEST(Golomb, HandCheckedLempelArrayOverGF5) {
  const Gf_field field = construction_field(5);
  ASSERT_EQ(field.power(1), 2);   // the primitive element found first is 2
  // alpha = beta = 2: 2 + 4 = 1, 4 + 2 = 1, 3 + 3 = 1 give the dots (1,2), (2,1), (3,3).
  EXPECT_EQ(golomb(field, 1, 1), (Costas_perm{1, 0, 2}));
  // alpha = beta = 3: 3 + 3 = 1, 4 + 2 = 1 (2 = 3^3), 2 + 4 = 1 give (1,1), (2,3), (3,2).
  EXPECT_EQ(golomb(field, 3, 3), (Costas_perm{0, 2, 1}));
}

// Distinct Golomb arrays: phi(q-1)^2 / k, since (alpha, beta) and (alpha^p, beta^p) agree.
TEST(Golomb, FamilySizesAndTheCostasProperty) {
  for (const std::int32_t q : {7, 8, 9, 16, 25, 27, 32}) {
    const Gf_field field = construction_field(q);
    std::set<Costas_perm> arrays;
    for (const std::int32_t s : field.primitive_exponents()) {
      for (const std::int32_t t : field.primitive_exponents()) {
        const Costas_perm a = golomb(field, s, t);
        EXPECT_TRUE(is_costas(a)) << q;
        if (s == t) {
          EXPECT_TRUE(is_symmetrical(a)) << q;
        }
        arrays.insert(a);
      }
    }
    EXPECT_EQ(arrays.size() * static_cast<std::size_t>(field.degree()),
              static_cast<std::size_t>(phi(q - 1) * phi(q - 1)))
        << q;
  }
}

TEST(Torus_window, HandCheckedWindowsOfTheGF5Pattern) {
  const Costas_perm pattern{1, 0, 2};                       // the Lempel array over GF(5)
  EXPECT_EQ(torus_window(pattern, 0, 0), (Costas_perm{0, 2, 1, 3}));   // the corner dot added
  EXPECT_EQ(torus_window(pattern, 1, 1), (Costas_perm{0, 1, 3, 2}));
  EXPECT_EQ(torus_window(pattern, 2, 0), (Costas_perm{1, 3, 0, 2}));
  EXPECT_TRUE(is_costas(torus_window(pattern, 1, 1)));
  EXPECT_FALSE(is_costas(torus_window(pattern, 2, 0)));
}

}  // namespace

namespace {

// The fast enumeration of Costas windows against window-by-window construction and testing.
TEST(Torus_window, FastEnumerationAgreesWithThePlainOne) {
  for (const std::int32_t q : {5, 7, 8, 9, 11, 13}) {
    const Gf_field field = construction_field(q);
    for (const std::int32_t s : field.primitive_exponents()) {
      const Costas_perm pattern = golomb(field, s, field.primitive_exponents().back());
      std::vector<Costas_perm> plain;
      for (std::int32_t u = 0; u < q - 1; ++u) {
        for (std::int32_t v = 0; v < q - 1; ++v) {
          const Costas_perm window = torus_window(pattern, u, v);
          if ((u != 0 || v != 0) && is_costas(window)) plain.push_back(window);
        }
      }
      std::vector<Costas_perm> fast;
      for (const auto& window : costas_torus_windows(pattern)) {
        EXPECT_EQ(window.perm, torus_window(pattern, window.u, window.v));
        fast.push_back(window.perm);
      }
      EXPECT_EQ(fast, plain) << "q = " << q << ", s = " << s;
    }
  }
}

}  // namespace

// The builder builds its constructions over the same fields as the program.
TEST(Gf_field, ConstructionFieldsAreTheProgramsFields) {
  for (const std::int32_t q : {3, 5, 7, 13, 101, 503, 4, 8, 9, 25, 27, 49, 125, 243, 256, 343, 512}) {
    SCOPED_TRACE(q);
    Gf_fixture f;
    const Gf_field field = construction_field(q);
    ASSERT_TRUE(field.valid());
    const bool prime = field.degree() == 1;
    ASSERT_TRUE(prime ? f.gfpm.GFPM_setup(q) : f.gfve.GFVE_setup(q));
    const Gf_tables& tables = prime ? f.gfpm.tables() : f.gfve.tables();
    EXPECT_EQ(field.tables().exp, tables.exp);
    EXPECT_EQ(field.tables().log, tables.log);
    if (prime) {
      EXPECT_EQ(field.power(1), f.gfpm.GFPM_pes[0]);
    } else {
      EXPECT_EQ(field.from_index(static_cast<std::uint32_t>(field.power(1))), f.gfve.GFVE_pes[0]);
    }
  }
}

// The algorithms report each fault as an outcome, print nothing and leave the outputs as the
// console-bound modules do.
