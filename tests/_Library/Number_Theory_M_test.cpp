#include "_Library/Number_theory/Number_Theory_M.hpp"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>
#include <vector>

#include "tests/support/test_support.hpp"

namespace {

struct Factor { std::int64_t prime; std::int32_t mult; };

std::vector<Factor> factors_of(const Factor_record& record) {
  std::vector<Factor> out;
  for (std::int32_t i = 1; i <= record.count; ++i) {
    out.push_back({record.primes[static_cast<std::size_t>(i)], record.mults[static_cast<std::size_t>(i)]});
  }
  return out;
}

// The plain algorithm the fast one must agree with: trial division by every integer.
std::vector<Factor> plain_factors(std::int64_t n) {
  std::vector<Factor> out;
  for (std::int64_t d = 2; d * d <= n; ++d) {
    if (n % d != 0) continue;
    Factor f{d, 0};
    while (n % d == 0) { n /= d; ++f.mult; }
    out.push_back(f);
  }
  if (n > 1) out.push_back({n, 1});
  return out;
}

std::int64_t plain_phi(std::int64_t n) {
  std::int64_t phi = 0;
  for (std::int64_t k = 1; k <= n; ++k) {
    std::int64_t a = k, b = n;
    while (b != 0) { const auto r = a % b; a = b; b = r; }
    if (a == 1) ++phi;
  }
  return phi;
}

bool same(const std::vector<Factor>& a, const std::vector<Factor>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].prime != b[i].prime || a[i].mult != b[i].mult) return false;
  }
  return true;
}

struct Factor_case {
  std::int32_t input;
  std::int64_t n;
  std::vector<Factor> factors;
  bool is_prime;
  std::int64_t phi;
};

}  // namespace

TEST(Factorize, ListedCases) {
  const Factor_case cases[] = {
      {360, 360, {{2, 3}, {3, 2}, {5, 1}}, false, 96},
      {97, 97, {{97, 1}}, true, 96},
      {-97, 97, {{97, 1}}, true, 96},
      {1024, 1024, {{2, 10}}, false, 512},
      {49, 49, {{7, 2}}, false, 42},
      {2147483647, 2147483647, {{2147483647, 1}}, true, 2147483646},
      {1, 1, {{1, 1}}, true, 1},
      {2, 2, {{2, 1}}, true, 1},
      {-1, 1, {{1, 1}}, true, 1},
      // |-2147483648| = 2^31, which needs 64 bits: factored exactly as 2^31.
      {std::numeric_limits<std::int32_t>::min(), 2147483648LL, {{2, 31}}, false, 1073741824},
      {2147483646, 2147483646, {{2, 1}, {3, 2}, {7, 1}, {11, 1}, {31, 1}, {151, 1}, {331, 1}}, false, 534600000},
  };
  Scripted_console io;
  Number_Theory_M theory(io.console);
  for (const auto& c : cases) {
    theory.factorize(c.input);
    const auto& r = theory.factor_record;
    EXPECT_TRUE(r.initialized);
    EXPECT_EQ(r.n, c.n) << c.input;
    EXPECT_TRUE(same(factors_of(r), c.factors)) << c.input;
    EXPECT_EQ(r.is_prime, c.is_prime) << c.input;
    EXPECT_EQ(r.phi, c.phi) << c.input;
  }
}

TEST(Factorize, ZeroKeepsThePreviousEntries) {
  Scripted_console io;
  Number_Theory_M theory(io.console);
  theory.factorize(360);
  theory.factorize(0);
  const auto& r = theory.factor_record;
  EXPECT_EQ(r.count, 0);
  EXPECT_EQ(r.n, 0);
  EXPECT_FALSE(r.is_prime);
  EXPECT_EQ(r.phi, 1);
  EXPECT_EQ(r.primes[1], 2);   // left as the factorisation of 360 had them
  EXPECT_EQ(r.mults[2], 2);
}

TEST(Factorize, AgreesWithPlainTrialDivision) {
  Scripted_console io;
  Number_Theory_M theory(io.console);
  for (std::int32_t n = 2; n <= 20000; ++n) {
    theory.factorize(n);
    ASSERT_TRUE(same(factors_of(theory.factor_record), plain_factors(n))) << n;
    if (n <= 3000) {
      ASSERT_EQ(theory.factor_record.phi, plain_phi(n)) << n;
    }
  }
  std::mt19937 random(12345);
  std::uniform_int_distribution<std::int32_t> any(std::numeric_limits<std::int32_t>::min(),
                                                  std::numeric_limits<std::int32_t>::max());
  for (int i = 0; i < 300; ++i) {
    const std::int32_t n = any(random);
    theory.factorize(n);
    const std::int64_t magnitude = n < 0 ? -static_cast<std::int64_t>(n) : n;
    if (magnitude < 2) continue;
    const auto expected = plain_factors(magnitude);
    ASSERT_TRUE(same(factors_of(theory.factor_record), expected)) << n;
    std::int64_t phi = 1;
    for (const auto& f : expected) {
      phi *= f.prime - 1;
      for (int m = 1; m < f.mult; ++m) phi *= f.prime;
    }
    ASSERT_EQ(theory.factor_record.phi, phi) << n;
  }
}

TEST(Euler_phi, ReusesTheRecordOnlyForTheSameNonNegativeNumber) {
  Scripted_console io;
  Number_Theory_M theory(io.console);
  EXPECT_EQ(theory.euler_phi(360), 96);
  theory.factor_record.phi = 7;          // a reused record shows through
  EXPECT_EQ(theory.euler_phi(360), 7);
  EXPECT_EQ(theory.euler_phi(-360), 96);  // a negative argument always refactors
  EXPECT_EQ(theory.euler_phi(1), 1);
  EXPECT_EQ(theory.euler_phi(0), 1);
}

TEST(Gcd, PositiveOnAbsoluteValuesAndReportsZero) {
  Scripted_console io;
  Number_Theory_M theory(io.console);
  EXPECT_EQ(theory.gcd(12, -18), 6);
  EXPECT_EQ(theory.gcd(-18, 12), 6);
  EXPECT_EQ(theory.gcd(17, 5), 1);
  EXPECT_EQ(theory.gcd(std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::min()),
            2147483648LL);
  EXPECT_EQ(io.out.str(), "");
  EXPECT_EQ(theory.gcd(0, 5), 1);
  EXPECT_EQ(theory.gcd(7, 0), 1);
  EXPECT_EQ(io.lines(), (std::vector<std::string>{
                            " ***Error in lcm; inputs:  0  5 , min value set to 1",
                            " ***Error in lcm; inputs:  7  0 , min value set to 1"}));
}
