#include "Read_Database/GF_Polynomial_packed.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "_Library/Number_theory/Galois_Fields_core.hpp"

namespace {

struct Packed_case {
  std::int32_t q;
  int n;   // chosen to cross the segment boundaries where a field's segments are short
};

Gf_field extension_field(std::int32_t q) {
  Gf_field field;
  EXPECT_EQ(field.set_up(q, Gf_kind::extension), Gf_setup::ready) << q;
  return field;
}

// The digit-wise sum of two element indices, digit by digit mod p.
std::uint32_t add_digits(const Gf_field& field, std::uint32_t a, std::uint32_t b) {
  return static_cast<std::uint32_t>(field.add(static_cast<std::int32_t>(a), static_cast<std::int32_t>(b)));
}

class Packed_digit_map_fields : public ::testing::TestWithParam<Packed_case> {};

// Every term has all digits p - 1, the largest digit sums a row can have: each row of M is
// chosen so that M(r, i) g^(s_i) is the element of all digits p - 1, whose n-fold sum has every
// digit (-n) mod p.
TEST_P(Packed_digit_map_fields, LargestDigitSumsStayExact) {
  const Packed_case c = GetParam();
  const Gf_field field = extension_field(c.q);
  const Gf_tables& tables = field.tables();
  const auto cycle = static_cast<std::uint32_t>(c.q - 1);
  const std::uint32_t all_top = static_cast<std::uint32_t>(c.q - 1);   // index of digits p - 1
  std::mt19937 random(static_cast<unsigned>(c.q));
  std::vector<std::uint32_t> s(static_cast<std::size_t>(c.n));
  for (auto& e : s) e = random() % cycle;
  Packed_digit_map map;
  map.assign(c.n, tables, [&](int, int i) {
    const std::uint32_t log_entry = (static_cast<std::uint32_t>(tables.log[all_top]) + cycle - s[static_cast<std::size_t>(i)]) % cycle;
    return tables.exp[log_entry];
  });
  std::vector<std::uint32_t> result(static_cast<std::size_t>(c.n), 7);
  map.apply(s.data(), result.data());
  std::uint32_t expected = 0;
  for (int i = 0; i < c.n; ++i) expected = add_digits(field, expected, all_top);
  for (int r = 0; r < c.n; ++r) ASSERT_EQ(result[static_cast<std::size_t>(r)], expected) << "row " << r;
}

// Random entries, a tenth of them zero, against products and sums of the field core.
TEST_P(Packed_digit_map_fields, RandomProductsMatchTheFieldCore) {
  const Packed_case c = GetParam();
  const Gf_field field = extension_field(c.q);
  std::mt19937 random(static_cast<unsigned>(c.q + c.n));
  const int n = std::min(c.n, 300);
  std::vector<std::uint32_t> m(static_cast<std::size_t>(n * n)), s(static_cast<std::size_t>(n));
  for (auto& v : m) v = random() % 10 == 0 ? 0 : 1 + random() % static_cast<std::uint32_t>(c.q - 1);
  Packed_digit_map map;
  map.assign(n, field.tables(), [&](int r, int i) { return m[static_cast<std::size_t>(r * n + i)]; });
  std::vector<std::uint32_t> result(static_cast<std::size_t>(n));
  for (int round = 0; round < 2; ++round) {   // the map is reused for the next y
    for (auto& e : s) e = random() % static_cast<std::uint32_t>(c.q - 1);
    map.apply(s.data(), result.data());
    for (int r = 0; r < n; ++r) {
      std::int32_t sum = 0;
      for (int i = 0; i < n; ++i) {
        const auto entry = static_cast<std::int32_t>(m[static_cast<std::size_t>(r * n + i)]);
        sum = field.add(sum, field.multiply(entry, field.power(s[static_cast<std::size_t>(i)])));
      }
      ASSERT_EQ(result[static_cast<std::size_t>(r)], static_cast<std::uint32_t>(sum)) << "row " << r;
    }
  }
}

// Fields of every odd characteristic shape: k = 2, the fields of the finder's orders near 500,
// and the longest digit strings (3^7, 5^6, 3^10), whose digit fields are narrowest.
INSTANTIATE_TEST_SUITE_P(Fields, Packed_digit_map_fields,
                         ::testing::Values(Packed_case{9, 8}, Packed_case{25, 40},
                                           Packed_case{361, 360}, Packed_case{625, 700},
                                           Packed_case{729, 1009}, Packed_case{1331, 600},
                                           Packed_case{2187, 500}, Packed_case{15625, 497},
                                           Packed_case{59049, 49}),
                         [](const ::testing::TestParamInfo<Packed_case>& info) {
                           return "GF" + std::to_string(info.param.q) + "_N" + std::to_string(info.param.n);
                         });

}  // namespace
