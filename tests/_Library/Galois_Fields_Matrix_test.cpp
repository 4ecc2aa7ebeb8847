#include "_Library/Number_theory/Galois_Fields_PM_Matrix_Utilities.hpp"
#include "_Library/Number_theory/Galois_Fields_Matrix_Utilities.hpp"

#include <gtest/gtest.h>

#include <random>

#include "tests/support/Galois_Fields_plain.hpp"
#include "tests/support/gf_fixture.hpp"

using Lines = std::vector<std::string>;
using PM = Galois_Fields_PM_Matrix_Utilities;
using VE = Galois_Fields_Matrix_Utilities;

namespace {

PM::Matrix pm_matrix(std::initializer_list<std::initializer_list<int>> rows) {
  const int r = static_cast<int>(rows.size());
  const int c = static_cast<int>(rows.begin()->size());
  PM::Matrix m(r, c);
  int i = 1;
  for (const auto& row : rows) {
    int j = 1;
    for (int v : row) m(i, j++) = v;
    ++i;
  }
  return m;
}

struct Prime_fixture : Gf_fixture {
  explicit Prime_fixture(int q) {
    EXPECT_TRUE(gfpm.GFPM_setup(q));
    take_lines();
  }
};

}  // namespace

TEST(GFPM_Minv, OneByOne) {
  Prime_fixture f(7);
  PM::Matrix a = pm_matrix({{3}});
  EXPECT_EQ(f.gfpm_matrix.GFPM_Minv(a), 3);
  EXPECT_EQ(a(1, 1), 5);
  EXPECT_EQ(f.gfpm_matrix.GFPM_Minv_rank(), 1);
  PM::Matrix zero = pm_matrix({{0}});
  EXPECT_EQ(f.gfpm_matrix.GFPM_Minv(zero), 0);
  EXPECT_EQ(f.gfpm_matrix.GFPM_Minv_rank(), 0);
  EXPECT_EQ(f.take_lines(), (Lines{" ***Singular matrix in GFPM_Minv, order  1, rank  0"}));
}

TEST(GFPM_Minv, OffDiagonalPivotSwapsOnceAndNegatesTheDeterminant) {
  Prime_fixture f(7);
  PM::Matrix a = pm_matrix({{0, 1}, {1, 0}});
  EXPECT_EQ(f.gfpm_matrix.GFPM_Minv(a), 6);
  EXPECT_EQ(a(1, 1), 0);
  EXPECT_EQ(a(1, 2), 1);
  EXPECT_EQ(a(2, 1), 1);
  EXPECT_EQ(a(2, 2), 0);
}

TEST(GFPM_Minv, PivotIsTheFirstNonzeroInScanOrder) {
  Prime_fixture f(7);
  PM::Matrix a = pm_matrix({{0, 2}, {3, 4}});
  PM::Matrix original = a;
  // det = 0*4 - 2*3 = -6 = 1 mod 7
  EXPECT_EQ(f.gfpm_matrix.GFPM_Minv(a), 1);
  PM::Matrix product(2, 2);
  f.gfpm_matrix.GFPM_matmul(original, a, product);
  EXPECT_EQ(product(1, 1), 1);
  EXPECT_EQ(product(1, 2), 0);
  EXPECT_EQ(product(2, 1), 0);
  EXPECT_EQ(product(2, 2), 1);
}

TEST(GFPM_Minv, SingularRankTwo) {
  Prime_fixture f(7);
  PM::Matrix a = pm_matrix({{1, 2, 3}, {2, 4, 6}, {0, 1, 1}});
  EXPECT_EQ(f.gfpm_matrix.GFPM_Minv(a), 0);
  EXPECT_EQ(f.gfpm_matrix.GFPM_Minv_rank(), 2);
  EXPECT_EQ(f.take_lines(), (Lines{" ***Singular matrix in GFPM_Minv, order  3, rank  2"}));
}

TEST(GFPM_Minv, NotSquareStops) {
  Prime_fixture f(7);
  PM::Matrix a(2, 3);
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_Minv(a); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{" ###Error in GFPM_Minv; matrix not square -- shape:  2  3"}));
}

TEST(GFPM_Minv, RandomMatricesTimesTheirInversesAreTheIdentity) {
  for (int q : {2, 3, 11, 503, 40009}) {
    Prime_fixture f(q);
    std::mt19937 random(static_cast<unsigned>(q));
    for (int n : {1, 2, 5, 17}) {
      PM::Matrix a(n, n);
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) a(i, j) = static_cast<int>(random() % static_cast<unsigned>(q));
      PM::Matrix inverse = a;
      // The table path against the plain operations.
      Gf_matrix_algorithms<GFPM_plain_traits> slow(GFPM_plain_traits{&f.gfpm});
      PM::Matrix inverse_slow = a;
      const int det = f.gfpm_matrix.GFPM_Minv(inverse);
      EXPECT_EQ(slow.Minv(inverse_slow).det, det);
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) ASSERT_EQ(inverse(i, j), inverse_slow(i, j));
      if (det == 0) continue;
      PM::Matrix product(n, n);
      f.gfpm_matrix.GFPM_matmul(a, inverse, product);
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) EXPECT_EQ(product(i, j), i == j ? 1 : 0);
    }
  }
}

TEST(GFPM_matmul, IncompatibleShapesStopBeforeTouchingC) {
  Prime_fixture f(7);
  PM::Matrix a(3, 4), b(5, 6), c(3, 6, 9);
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_matmul(a, b, c); }), "2");
  EXPECT_EQ(f.take_lines(),
            (Lines{"###Error in GFPM_matmul, incompatible shapes:    3    4 and:\\    5    6"}));
  EXPECT_EQ(c(1, 1), 9);
  PM::Matrix b2(4, 6), c2(2, 6);
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_matmul(a, b2, c2); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{"###Error in GFPM_matmul, output incompatible with input.",
                                   "Input rows, cols are    3    6, output rows, cols are         2         6."}));
}

TEST(GFPM_matmulv, ShapeErrors) {
  Prime_fixture f(7);
  PM::Matrix a(3, 4);
  PM::Vector x(5), y(3);
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_matmulv(a, x, y); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{"###Error in GFPM_matmulv, incompatible shapes:    3    4 and    5"}));
  PM::Vector x4(4), y2(2);
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_matmulv(a, x4, y2); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{"###Error in GFPM_matmulv, output incompatible with input.",
                                   "Input rows are    3, output rows are    2."}));
}

TEST(GFPM_matadd, ShapeErrorsAndSums) {
  Prime_fixture f(7);
  PM::Matrix a = pm_matrix({{1, 2}, {3, 4}}), b = pm_matrix({{6, 6}, {6, 6}}), c(2, 2);
  f.gfpm_matrix.GFPM_matadd(a, b, c);
  EXPECT_EQ(c(1, 1), 0);
  EXPECT_EQ(c(2, 2), 3);
  f.gfpm_matrix.GFPM_matsub(a, b, c);
  EXPECT_EQ(c(1, 1), 2);
  PM::Matrix wrong(2, 3);
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_matadd(a, wrong, c); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{" ###Error in GFPM_matadd, incompatible shapes.:",
                                   " First matrix:   2  2", " Second matrix:  2  3",
                                   " Sum:            2  2"}));
  c(1, 1) = 5;
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_matsub(a, b, wrong); }), "2");
  EXPECT_EQ(f.take_lines().back(), " Difference:     2  3");
  EXPECT_EQ(c(1, 1), 5);
}

TEST(GFPM_log, ZeroOneAndBadNpe) {
  Prime_fixture f(7);
  EXPECT_EQ(f.gfpm_matrix.GFPM_log(0, 99), -99);
  EXPECT_EQ(f.gfpm_matrix.GFPM_log(1, 2), 0);
  EXPECT_EQ(f.gfpm_matrix.GFPM_log(5, 1), 5);   // 3^5 = 5
  EXPECT_EQ(f.gfpm_matrix.GFPM_log(3, 2), 5);   // 5^5 = 3
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_log(3, 3); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{"###Error in GFPM_log, called with npe:    3",
                                   "Total number of primitive elements is    2",
                                   "Execution terminated."}));
}

TEST(GFPM_dot_prod, LogOrResidue) {
  Prime_fixture f(7);
  const PM::Vector x = {1, 2}, y = {3, 4};   // 3 + 8 = 11 = 4 = 3^4
  EXPECT_EQ(f.gfpm_matrix.GFPM_dot_prod(x, y, 1), 4);
  EXPECT_EQ(f.gfpm_matrix.GFPM_dot_prod(x, y, 0), 4);
  EXPECT_EQ(stop_code([&] { f.gfpm_matrix.GFPM_dot_prod(x, PM::Vector{1}, 1); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{" ###Error in GFPM_dot_prod, vectors different sizes:  2  1"}));
}

TEST(GFPM_isotropy, OverGF2) {
  Prime_fixture f(2);
  EXPECT_EQ(f.gfpm_matrix.GFPM_isotropy({1, 1}), 1);
  EXPECT_EQ(f.gfpm_matrix.GFPM_isotropy({0, 0}), 0);
  EXPECT_EQ(f.gfpm_matrix.GFPM_isotropy({1, 0}), 2);
  EXPECT_EQ(f.gfpm_matrix.GFPM_isotropy({}), 0);
}

TEST(GFPM_write, MatricesAndVectors) {
  Prime_fixture f(7);
  Text_output unit;
  ASSERT_EQ(unit.open((f.dir / "unit.txt").string(), Write_position::rewind), status_ok);
  f.gfpm_matrix.GFPM_write_matrix(pm_matrix({{1, 0}, {3, 5}}), 1, &unit);
  f.gfpm_matrix.GFPM_write_matrix(pm_matrix({{1}, {3}, {0}}), 1, nullptr);
  f.gfpm_matrix.GFPM_write_vector({}, 1, &unit);
  EXPECT_EQ(unit.close(), status_ok);
  EXPECT_EQ(f.take_lines(), (Lines{"    0  -99", "    1    5", "    0    1  -99", ""}));
  EXPECT_EQ(read_lines(f.dir / "unit.txt"), (Lines{"    0  -99", "    1    5", ""}));
}

TEST(GFPM_write, SeventySevenFieldsEndTheLineAfterSeventySix) {
  Prime_fixture f(7);
  f.gfpm_matrix.GFPM_write_vector(PM::Vector(80, 1), 1, nullptr);
  const Lines lines = f.take_lines();
  ASSERT_EQ(lines.size(), 4u);
  EXPECT_EQ(lines[0], "###Error in GFPM_write_vector; line length exceeds  384 characters.");
  EXPECT_EQ(lines[1], "Current vector element is (77)");
  EXPECT_EQ(lines[2], "Line terminated.");
  EXPECT_EQ(lines[3].size(), 380u);
  PM::Matrix wide(1, 80, 1);
  f.gfpm_matrix.GFPM_write_matrix(wide, 1, nullptr);
  EXPECT_EQ(f.take_lines()[1], "Current matrix element is ( 1,77)");
}

// ---- The extension-field twin ----

namespace {

struct Extension_fixture : Gf_fixture {
  explicit Extension_fixture(int q) {
    EXPECT_TRUE(gfve.GFVE_setup(q));
    take_lines();
  }
  VE::Matrix matrix(std::initializer_list<std::initializer_list<std::uint32_t>> rows) {
    VE::Matrix m(static_cast<int>(rows.size()), static_cast<int>(rows.begin()->size()));
    int i = 1;
    for (const auto& row : rows) {
      int j = 1;
      for (std::uint32_t v : row) m(i, j++) = gfve.from_index(v);
      ++i;
    }
    return m;
  }
};

}  // namespace

TEST(GFVE_Minv, SingularLineNamesGaujor) {
  Extension_fixture f(9);
  VE::Matrix a = f.matrix({{1, 2, 3}, {2, 1, 6}, {0, 0, 0}});
  EXPECT_TRUE(f.gfve.GFVE_equal(f.gfve_matrix.GFVE_Minv(a), f.gfve.GFVE_zero));
  const Lines lines = f.take_lines();
  EXPECT_EQ(lines.back().substr(0, 36), " ***Singular matrix in GAUJOR, order");
}

TEST(GFVE_Minv, ElementsAndCompactIndicesGiveTheSameInverse) {
  for (int q : {4, 9, 16, 27, 256, 361, 625, 1331, 3125}) {
    Extension_fixture f(q);
    std::mt19937 random(static_cast<unsigned>(q));
    for (int n : {1, 3, 8}) {
      VE::Index_matrix compact(n, n);
      VE::Matrix elements(n, n);
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) {
          compact(i, j) = static_cast<std::uint32_t>(random() % static_cast<unsigned>(q));
          elements(i, j) = f.gfve.from_index(compact(i, j));
        }
      const VE::Matrix original = elements;
      const std::uint32_t det = f.gfve_matrix.GFVE_Minv(compact);
      const GFVE_element det_element = f.gfve_matrix.GFVE_Minv(elements);
      EXPECT_EQ(f.gfve.from_index(det), det_element);
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j) ASSERT_EQ(f.gfve.from_index(compact(i, j)), elements(i, j));
      if (det == 0) continue;
      VE::Matrix product(n, n);
      f.gfve_matrix.GFVE_matmul(original, elements, product);
      for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
          EXPECT_TRUE(f.gfve.GFVE_equal(product(i, j), i == j ? f.gfve.GFVE_one : f.gfve.GFVE_zero));
    }
  }
}

TEST(GFVE_matmul, TracesEveryCallAndNamesTheModule) {
  Extension_fixture f(4);
  VE::Matrix a(3, 4), b(5, 6), c(3, 6);
  EXPECT_EQ(stop_code([&] { f.gfve_matrix.GFVE_matmul(a, b, c); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{" shape mat1, mat2, matout:  3  4 ,  5  6 ,  3  6",
                                   "###Error in GFVE_matmul, incompatible shapes:    3    4 and:\\    5    6"}));
  VE::Vector x(4), y(2);
  EXPECT_EQ(stop_code([&] { f.gfve_matrix.GFVE_matmulv(a, x, y); }), "2");
  EXPECT_EQ(f.take_lines().back(), "Input rows are    3, output rows, cols are    2.");
}

TEST(GFVE_log, ZeroBadNpeAndUnreducedElements) {
  Extension_fixture f(9);
  EXPECT_EQ(f.gfve_matrix.GFVE_log(f.gfve.GFVE_zero, -5), -99);
  EXPECT_EQ(f.gfve_matrix.GFVE_log(f.gfve.GFVE_one, 1), 0);
  EXPECT_EQ(f.gfve_matrix.GFVE_log(element({1, 1}), 1), 7);
  EXPECT_EQ(stop_code([&] { f.gfve_matrix.GFVE_dot_prod({element({1})}, {element({1})}, 0); }), "2");
  EXPECT_EQ(f.take_lines().front(), "###Error in GFVE_log, called with npe:    0");
  EXPECT_EQ(stop_code([&] { f.gfve_matrix.GFVE_log(element({1, 1, 1}), 1); }), "");
  EXPECT_EQ(f.take_lines(),
            (Lines{"###Error in GFVE_log, element not found as power of primitive element   1",
                   "   1  1  1"}));
}

TEST(GFVE_write, MatrixTracesEachElementButAColumnDoesNot) {
  Extension_fixture f(9);
  f.gfve_matrix.GFVE_write_matrix(f.matrix({{1, 0}}), 1, nullptr);
  EXPECT_EQ(f.take_lines(), (Lines{"   1  0  0", "   0  0  0", "    0  -99"}));
  f.gfve_matrix.GFVE_write_matrix(f.matrix({{1}, {3}}), 1, nullptr);
  EXPECT_EQ(f.take_lines(), (Lines{"    0    1"}));
}

TEST(GFVE_isotropy, AndDotProduct) {
  Extension_fixture f(4);
  const GFVE_element one = f.gfve.GFVE_one;
  EXPECT_EQ(f.gfve_matrix.GFVE_isotropy({one, one}), 1);
  EXPECT_EQ(f.gfve_matrix.GFVE_isotropy({one, f.gfve.GFVE_zero}), 2);
  EXPECT_EQ(f.gfve_matrix.GFVE_dot_prod({one, one}, {one, one}, 1), -99);
}
