// The field core and the matrix algorithms without a console: what each set-up and each matrix
// operation reports, and the builder's fields against the program's field modules.
#include "_Library/Number_theory/Galois_Fields_core.hpp"

#include <gtest/gtest.h>

#include "tests/support/Galois_Fields_plain.hpp"
#include "tests/support/gf_fixture.hpp"

namespace {

TEST(Gf_field, SetUpOutcomesAndTheFieldTheyLeave) {
  struct Case {
    std::int32_t q;
    Gf_kind kind;
    Gf_setup outcome;
    std::int32_t p, k;
  };
  const Case cases[] = {
      {7, Gf_kind::prime, Gf_setup::ready, 7, 1},
      {9, Gf_kind::prime, Gf_setup::improper_order, 3, 2},
      {12, Gf_kind::extension, Gf_setup::improper_order, 2, 2},
      {1, Gf_kind::prime, Gf_setup::improper_order, 1, 1},
      {0, Gf_kind::extension, Gf_setup::improper_order, 0, 0},
      {8, Gf_kind::extension, Gf_setup::ready, 2, 3},
      {65537, Gf_kind::prime, Gf_setup::too_large, 2, 3},   // the field of 8 stays
      {65536, Gf_kind::extension, Gf_setup::ready, 2, 16},
  };
  Gf_field field;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.q);
    EXPECT_EQ(field.set_up(c.q, c.kind), c.outcome);
    EXPECT_EQ(field.characteristic(), c.p);
    EXPECT_EQ(field.degree(), c.k);
    EXPECT_EQ(field.valid(), c.outcome == Gf_setup::ready || c.outcome == Gf_setup::too_large);
  }
}

TEST(Gf_matrix_algorithms, FaultsAreOutcomesAndPrintNothing) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfpm.GFPM_setup(7));
  f.take_lines();
  const Gf_matrix_algorithms<GFPM_plain_traits> ops(GFPM_plain_traits{&f.gfpm});
  Gf_matrix_algorithms<GFPM_plain_traits> inverting(GFPM_plain_traits{&f.gfpm});
  Gf_matrix<std::int32_t> a(3, 4), b(5, 6), c(3, 6, 9), c2(2, 6, 9), not_square(2, 3, 4);
  EXPECT_EQ(ops.matmul(a, b, c), Matrix_outcome::incompatible_shapes);
  Gf_matrix<std::int32_t> b4(4, 6);
  EXPECT_EQ(ops.matmul(a, b4, c2), Matrix_outcome::incompatible_output);
  EXPECT_EQ(ops.matmul(a, b4, c), Matrix_outcome::done);
  EXPECT_EQ(c(1, 1), 0);
  EXPECT_EQ(c2(1, 1), 9);
  EXPECT_EQ(ops.combine(a, b, c, true), Matrix_outcome::incompatible_shapes);
  const Gf_vector<std::int32_t> x(4), x5(5);
  Gf_vector<std::int32_t> y(3), y2(2);
  EXPECT_EQ(ops.matmulv(a, x5, y), Matrix_outcome::incompatible_shapes);
  EXPECT_EQ(ops.matmulv(a, x, y2), Matrix_outcome::incompatible_output);

  const auto refused = inverting.Minv(not_square);
  EXPECT_EQ(refused.outcome, Matrix_outcome::not_square);
  EXPECT_EQ(not_square(2, 3), 4);
  Gf_matrix<std::int32_t> singular(3, 3);
  const int rows[3][3] = {{1, 2, 3}, {2, 4, 6}, {0, 1, 1}};
  for (int i = 1; i <= 3; ++i)
    for (int j = 1; j <= 3; ++j) singular(i, j) = rows[i - 1][j - 1];
  const auto inversion = inverting.Minv(singular);
  EXPECT_EQ(inversion.outcome, Matrix_outcome::singular);
  EXPECT_EQ(inversion.rank, 2);
  EXPECT_EQ(inversion.det, 0);

  EXPECT_EQ(ops.log(0, 99).value, -99);
  EXPECT_EQ(ops.log(3, 0).outcome, Matrix_outcome::npe_out_of_range);
  EXPECT_EQ(ops.log(3, 3).outcome, Matrix_outcome::npe_out_of_range);
  EXPECT_EQ(ops.log(5, 1).value, 5);   // 3^5 = 5
  EXPECT_EQ(ops.log(9, 1).outcome, Matrix_outcome::not_a_power);   // not reduced: no power
  EXPECT_EQ(ops.dot_prod({1, 2}, {1}, 1).outcome, Matrix_outcome::different_sizes);
  EXPECT_EQ(ops.dot_prod({1, 2}, {3, 4}, 0).value, 4);   // below npe 1: the residue
  EXPECT_TRUE(f.take_lines().empty());
}

}  // namespace
