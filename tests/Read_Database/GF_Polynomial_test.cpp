#include "Read_Database/GF_Polynomial.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "tests/support/Galois_Fields_plain.hpp"
#include "_Library/Pause_m.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"
#include "tests/support/gf_fixture.hpp"

using Lines = std::vector<std::string>;

namespace {

struct Finder_fixture : Gf_fixture {
  Finder_fixture(int n, int q, int kind, const std::string& answers = "") : Gf_fixture(answers) {
    field.array_order = n;
    field.gf_order = q;
    // 1 prime, 2 extension, anything else no kind chosen
    if (kind == 1 || kind == 2) field.gf_kind = kind == 1 ? Gf_kind::prime : Gf_kind::extension;
    EXPECT_EQ(csv.open((dir / "run_polynomials.csv").string(), Write_position::rewind), status_ok);
  }
  Pause_m pause{io.console};
  Finder_field field;
  GF_Polynomial finder{io.console, pause, gfpm, gfve, gfpm_matrix, gfve_matrix};
  Text_output csv;

  Lines csv_lines() {
    EXPECT_EQ(csv.flush(), status_ok);
    return read_lines(dir / "run_polynomials.csv");
  }
  std::size_t count_lines_starting(const std::string& start) {
    const Lines lines = io.lines();
    return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
      return l.rfind(start, 0) == 0;
    }));
  }
};

std::vector<std::int32_t> random_permutation(int n, std::mt19937& random) {
  std::vector<std::int32_t> perm(static_cast<std::size_t>(n));
  std::iota(perm.begin(), perm.end(), 0);
  std::shuffle(perm.begin(), perm.end(), random);
  return perm;
}

// P(a^(i-1)) = a^(r_i + 1) for every i, with the coefficients a^e_j (zero for -99).
void expect_substitution_prime(Galois_Fields_Prime_Modulus& field,
                               const std::vector<std::int32_t>& perm,
                               const std::vector<std::int32_t>& e) {
  const std::int32_t a = field.GFPM_pes[0];
  for (std::size_t i = 0; i < perm.size(); ++i) {
    const std::int32_t point = field.GFPM_Exp(a, static_cast<std::int32_t>(i));
    std::int32_t sum = 0;
    for (std::size_t j = 0; j < e.size(); ++j) {
      ASSERT_TRUE(e[j] == -99 || (e[j] >= 0 && e[j] <= field.GFPM_order - 2));
      if (e[j] == -99) continue;
      sum = field.GFPM_Add(sum, field.GFPM_Multiply(field.GFPM_Exp(a, e[j]),
                                                    field.GFPM_Exp(point, static_cast<std::int32_t>(j))));
    }
    ASSERT_EQ(sum, field.GFPM_Exp(a, perm[i] + 1)) << "row " << i;
  }
}

void expect_substitution_extension(Galois_Fields_Vector_Extension& field,
                                   const std::vector<std::int32_t>& perm,
                                   const std::vector<std::int32_t>& e) {
  const GFVE_element a = field.GFVE_pes[0];
  for (std::size_t i = 0; i < perm.size(); ++i) {
    const GFVE_element point = field.GFVE_Exp(a, static_cast<std::int32_t>(i));
    GFVE_element sum = field.GFVE_zero;
    for (std::size_t j = 0; j < e.size(); ++j) {
      ASSERT_TRUE(e[j] == -99 || (e[j] >= 0 && e[j] <= field.GFVE_order - 2));
      if (e[j] == -99) continue;
      sum = field.GFVE_Add(sum, field.GFVE_Multiply(field.GFVE_Exp(a, e[j]),
                                                    field.GFVE_Exp(point, static_cast<std::int32_t>(j))));
    }
    ASSERT_TRUE(field.GFVE_equal(sum, field.GFVE_Exp(a, perm[i] + 1))) << "row " << i;
  }
}

// The same by the plain operations alone: powers by square and multiply, products by repeated
// subtraction of the generator, P evaluated by Horner's rule. The polynomial through N distinct
// points is unique, so only the coefficients of the plain algorithms pass.
void expect_plain_substitution_extension(Galois_Fields_Vector_Extension& field,
                                         const std::vector<std::int32_t>& perm,
                                         const std::vector<std::int32_t>& e) {
  const GFVE_plain_traits plain{{{}, &field}};
  const GFVE_element a = plain.pe(1);
  std::vector<GFVE_element> c(e.size());
  for (std::size_t j = 0; j < e.size(); ++j) {
    ASSERT_TRUE(e[j] == -99 || (e[j] >= 0 && e[j] <= field.GFVE_order - 2));
    c[j] = e[j] == -99 ? plain.zero() : plain.exp(a, e[j]);
  }
  for (std::size_t i = 0; i < perm.size(); ++i) {
    const GFVE_element point = plain.exp(a, static_cast<std::int32_t>(i));
    GFVE_element value = plain.zero();
    for (std::size_t j = c.size(); j-- > 0;) value = plain.add(plain.mul(value, point), c[j]);
    ASSERT_TRUE(plain.equal(value, plain.exp(a, perm[i] + 1))) << "row " << i;
  }
}

std::string csv_line(const std::vector<std::int32_t>& e) {
  std::string line = " ";
  for (std::size_t j = 0; j < e.size(); ++j) {
    if (j > 0) line += " ,";
    append_free_int(line, e[j]);
  }
  return line;
}

}  // namespace

TEST(GF_Polynomial, OrderOneGivesTheSingleValueOne) {
  Finder_fixture f(1, 3, 1);
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0}, f.field, &f.csv);
  EXPECT_EQ(f.csv_lines(), (Lines{"   1"}));
  Finder_fixture g(1, 4, 2);
  g.finder.get_GFPolynomial(std::vector<std::int32_t>{0}, g.field, &g.csv);
  EXPECT_EQ(g.csv_lines(), (Lines{"   1"}));
}

struct Field_case {
  int q, kind, n;
  int arrays = 12;
};

// Above this order V is too large for the plain inversion in a test: the lines are checked by
// plain substitution instead.
constexpr int largest_plain_inversion = 129;

class GF_Polynomial_substitution : public ::testing::TestWithParam<Field_case> {};

TEST_P(GF_Polynomial_substitution, EveryLineSatisfiesItsArrayAndMatchesThePlainAlgorithms) {
  const Field_case c = GetParam();
  Finder_fixture f(c.n, c.q, c.kind);
  std::mt19937 random(static_cast<unsigned>(c.q * 1000 + c.n));
  Lines expected;
  for (int array = 0; array < c.arrays; ++array) {
    const auto perm = random_permutation(c.n, random);
    f.finder.get_GFPolynomial(perm, f.field, &f.csv);
    const std::vector<std::int32_t> e = f.finder.output;
    ASSERT_EQ(e.size(), static_cast<std::size_t>(c.n));
    expected.push_back(csv_line(e));
    if (c.n > largest_plain_inversion) {
      ASSERT_EQ(c.kind, 2);
      expect_plain_substitution_extension(f.gfve, perm, e);
      continue;
    }
    if (c.kind == 1) {
      expect_substitution_prime(f.gfpm, perm, e);
    } else {
      expect_substitution_extension(f.gfve, perm, e);
    }
    if (array < 2) {
      if (c.kind == 1) {
        Plain_polynomial_finder<GFPM_plain_traits> plain(GFPM_plain_traits{&f.gfpm}, c.n);
        EXPECT_EQ(plain.solve(perm.data()), e);
      } else {
        Plain_polynomial_finder<GFVE_plain_traits> plain(GFVE_plain_traits{{{}, &f.gfve}}, c.n);
        EXPECT_EQ(plain.solve(perm.data()), e);
      }
    }
  }
  EXPECT_EQ(f.csv_lines(), expected);
  EXPECT_EQ(f.count_lines_starting(" Determinant:"), 1u);
}

INSTANTIATE_TEST_SUITE_P(Fields, GF_Polynomial_substitution,
                         ::testing::Values(Field_case{3, 1, 2}, Field_case{5, 1, 4},
                                           Field_case{31, 1, 30}, Field_case{131, 1, 129},
                                           Field_case{40009, 1, 40}, Field_case{4, 2, 3},
                                           Field_case{9, 2, 8}, Field_case{16, 2, 15},
                                           Field_case{27, 2, 24}, Field_case{64, 2, 63},
                                           Field_case{256, 2, 60}, Field_case{361, 2, 50},
                                           Field_case{512, 2, 30}, Field_case{3125, 2, 20},
                                           Field_case{6561, 2, 12},
                                           // odd extension fields at large orders, where the
                                           // packed digit sums of the products are largest
                                           Field_case{625, 2, 300, 2}, Field_case{729, 2, 300, 2}));

TEST(GF_Polynomial, DeterminantOncePerBuildAndTwoRunsWithDifferentN) {
  Finder_fixture f(4, 5, 1);
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv);
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{1, 3, 0, 2}, f.field, &f.csv);
  EXPECT_EQ(f.count_lines_starting(" Determinant:"), 1u);
  EXPECT_EQ(f.count_lines_starting("###Order = prime:"), 1u);
  f.finder.release_GFPolynomial(f.field.gf_kind);
  EXPECT_EQ(f.finder.rebuild, 1);
  f.field.array_order = 3;
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{2, 0, 1}, f.field, &f.csv);
  EXPECT_EQ(f.count_lines_starting(" Determinant:"), 2u);
  EXPECT_EQ(f.count_lines_starting("###Order = prime:"), 1u);   // no new set-up
  expect_substitution_prime(f.gfpm, {2, 0, 1}, f.finder.output);
  EXPECT_EQ(f.csv_lines().size(), 3u);
}

TEST(GF_Polynomial, ChangedFieldOrderSetsTheFieldUpAgain) {
  Finder_fixture f(4, 5, 1);
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv);
  f.finder.release_GFPolynomial(f.field.gf_kind);
  f.field.gf_order = 7;
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv);
  EXPECT_EQ(f.gfpm.GFPM_prime, 7);
  EXPECT_EQ(f.count_lines_starting("###Order = prime:"), 2u);
  expect_substitution_prime(f.gfpm, {0, 1, 3, 2}, f.finder.output);
  f.finder.release_GFPolynomial(f.field.gf_kind);
  f.field.gf_order = 8;
  f.field.gf_kind = Gf_kind::extension;
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv);
  EXPECT_EQ(f.gfve.GFVE_order, 8);
  expect_substitution_extension(f.gfve, {0, 1, 3, 2}, f.finder.output);
}

TEST(GF_Polynomial, RunWithNoArraysEndsCleanly) {
  Finder_fixture f(4, 5, 1);
  f.finder.release_GFPolynomial(f.field.gf_kind);
  EXPECT_EQ(f.finder.rebuild, 1);
  EXPECT_TRUE(f.io.lines().empty());
  f.field.gf_kind = Gf_kind::extension;
  f.finder.release_GFPolynomial(f.field.gf_kind);
  EXPECT_TRUE(f.csv_lines().empty());
}

TEST(GF_Polynomial, NoFileOrAClosedFileSkipsTheLineOnly) {
  Finder_fixture f(4, 5, 1);
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, nullptr);
  EXPECT_EQ(f.finder.output.size(), 4u);
  EXPECT_EQ(f.csv.close(), status_ok);
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv);
  EXPECT_TRUE(read_lines(f.dir / "run_polynomials.csv").empty());
  EXPECT_EQ(f.count_lines_starting(" Determinant:"), 1u);
}

TEST(GF_Polynomial, UnknownFieldIdentifierStops) {
  Finder_fixture f(4, 5, 0);
  EXPECT_EQ(stop_code([&] { f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv); }), "");
  EXPECT_EQ(f.take_lines(), (Lines{"###ERROR: get_GFPolynomial called with Galois field identifier   0"}));
  EXPECT_EQ(stop_code([&] { f.finder.release_GFPolynomial(f.field.gf_kind); }), "");
  EXPECT_EQ(f.take_lines(), (Lines{"###ERROR: get_GFPolynomial called with Galois field identifier   0"}));
}

TEST(GF_Polynomial, FieldsThatCannotBeSetUpStop) {
  {
    Finder_fixture f(4, 9, 1);
    EXPECT_EQ(stop_code([&] { f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv); }), "");
    EXPECT_EQ(f.take_lines().back(), " ###Error in get_GFPFpolynomial; Galois Field order  9  not a prime number");
  }
  {
    Finder_fixture f(4, 12, 2);
    EXPECT_EQ(stop_code([&] { f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv); }), "");
    EXPECT_EQ(f.take_lines().back(),
              " ###Error in get_GFVEpolynomial; Galois Field order  12  not a prime number to a power");
  }
  {
    Finder_fixture f(4, 70001, 1);
    EXPECT_EQ(stop_code([&] { f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 1, 3, 2}, f.field, &f.csv); }), "");
    const Lines lines = f.take_lines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind(" ***GFPM_setup refuses order  70001", 0), 0u);
  }
}

TEST(GF_Polynomial, SingularPrimeMatrixAsksAndGoesOnWithoutWritingWrongCoefficients) {
  Finder_fixture f(3, 5, 1, "Y\n");
  f.finder.matrix_hook = [](Gf_matrix<std::uint32_t>& v) { v(3, 1) = v(3, 2) = v(3, 3) = 0; };
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 2, 1}, f.field, &f.csv);
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{1, 2, 0}, f.field, &f.csv);
  const Lines lines = f.take_lines();
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[lines.size() - 6], " ***Singular matrix in GFPM_Minv, order  3, rank  2");
  EXPECT_EQ(lines[lines.size() - 5], " Determinant: -99");
  EXPECT_EQ(lines[lines.size() - 4], "###Error in get_GFPMpolynomial; matrix is singular.");
  EXPECT_EQ(lines[lines.size() - 3], "You may proceed but the polynomial coefficients are INVALID.");
  EXPECT_EQ(lines[lines.size() - 2].rfind(" Proceed (Y for yes, N for no)?", 0), 0u);
  EXPECT_EQ(lines.back(), "No polynomial coefficients will be produced.");
  EXPECT_TRUE(f.csv_lines().empty());
  // The next run builds again, and a sound matrix writes its lines.
  f.finder.release_GFPolynomial(Gf_kind::prime);
  f.finder.matrix_hook = nullptr;
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 2, 1}, f.field, &f.csv);
  EXPECT_EQ(f.csv_lines().size(), 1u);
}

TEST(GF_Polynomial, SingularPrimeMatrixDeclinedStops) {
  Finder_fixture f(3, 5, 1, "N\n");
  f.finder.matrix_hook = [](Gf_matrix<std::uint32_t>& v) { v(3, 1) = v(3, 2) = v(3, 3) = 0; };
  EXPECT_EQ(stop_code([&] { f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 2, 1}, f.field, &f.csv); }), "");
  EXPECT_TRUE(f.csv_lines().empty());
}

TEST(GF_Polynomial, SingularExtensionMatrixWritesNothingAndRebuildsForTheNextArray) {
  Finder_fixture f(3, 4, 2);
  f.finder.matrix_hook = [](Gf_matrix<std::uint32_t>& v) { v(2, 1) = v(2, 2) = v(2, 3) = 0; };
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 2, 1}, f.field, &f.csv);
  const Lines lines = f.take_lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], " ***Singular matrix in GAUJOR, order  3, rank  2");
  EXPECT_EQ(lines[1], " Determinant: -99");
  EXPECT_EQ(lines[2], "###Error in get_GFVEpolynomial; matrix is singular.");
  EXPECT_EQ(lines[3], "No polynomial coefficients will be produced.");
  EXPECT_EQ(f.finder.rebuild, 1);
  f.finder.matrix_hook = nullptr;
  f.finder.get_GFPolynomial(std::vector<std::int32_t>{0, 2, 1}, f.field, &f.csv);
  EXPECT_EQ(f.take_lines().size(), 1u);   // the Determinant line of the new build
  EXPECT_EQ(f.csv_lines().size(), 1u);
}

TEST(GF_Polynomial, EachKindKeepsItsFieldSoGoingBackSetsNothingUp) {
  Finder_fixture f(4, 5, 1);
  const std::vector<std::int32_t> array{0, 1, 3, 2};
  f.finder.get_GFPolynomial(array, f.field, &f.csv);
  f.field = Finder_field{4, 8, Gf_kind::extension};
  f.finder.get_GFPolynomial(array, f.field, &f.csv);
  expect_substitution_extension(f.gfve, array, f.finder.output);
  f.field = Finder_field{4, 5, Gf_kind::prime};
  f.finder.get_GFPolynomial(array, f.field, &f.csv);
  expect_substitution_prime(f.gfpm, array, f.finder.output);
  EXPECT_EQ(f.count_lines_starting("###Order = prime:"), 1u);
  EXPECT_EQ(f.count_lines_starting(" Determinant:"), 3u);   // each change of kind builds again
  EXPECT_EQ(f.csv_lines().size(), 3u);
}
