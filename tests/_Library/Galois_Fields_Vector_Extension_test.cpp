#include "_Library/Number_theory/Galois_Fields_Vector_Extension.hpp"

#include <gtest/gtest.h>

#include "tests/support/gf_fixture.hpp"

using Lines = std::vector<std::string>;

namespace {

std::vector<int> significant(const Galois_Fields_Vector_Extension& field, const GFVE_element& e) {
  std::vector<int> out;
  for (int i = 1; i <= field.GFVE_degree + 1; ++i) out.push_back(e(i));
  return out;
}

std::vector<int> generator(const Galois_Fields_Vector_Extension& field) {
  return std::vector<int>(field.GFVE_generator.begin(),
                          field.GFVE_generator.begin() + field.GFVE_degree + 1);
}

}  // namespace

TEST(GFVE_setup, GF4) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfve.GFVE_setup(4));
  EXPECT_TRUE(f.take_lines().empty());
  EXPECT_FALSE(std::filesystem::exists(f.dir / "GFVE_Log.txt"));
  EXPECT_EQ(generator(f.gfve), (std::vector<int>{1, 1, 1}));
  const GFVE_element x = element({0, 1});
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_Multiply(x, x)), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(f.gfve.GFVE_no_of_pes, 2);
  ASSERT_EQ(f.gfve.GFVE_pes.size(), 2u);
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_pes[0]), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_pes[1]), (std::vector<int>{1, 1, 0}));
}

TEST(GFVE_setup, GF8) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfve.GFVE_setup(8));
  EXPECT_EQ(generator(f.gfve), (std::vector<int>{1, 1, 0, 1}));
  ASSERT_EQ(f.gfve.GFVE_no_of_pes, 6);
  for (int w = 1; w <= 6; ++w) {
    EXPECT_EQ(f.gfve.GFVE_pes[static_cast<std::size_t>(w - 1)],
              f.gfve.GFVE_Exp(element({0, 1}), w));
  }
}

TEST(GFVE_setup, GF9) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfve.GFVE_setup(9));
  EXPECT_EQ(generator(f.gfve), (std::vector<int>{2, 1, 1}));
  const GFVE_element x = element({0, 1});
  const GFVE_element one = element({1});
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_Exp(x, 4)), (std::vector<int>{2, 0, 0}));
  const std::vector<std::vector<int>> list = {{0, 1, 0}, {2, 2, 0}, {0, 2, 0}, {1, 1, 0}};
  ASSERT_EQ(f.gfve.GFVE_pes.size(), 4u);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_pes[i]), list[i]);
  EXPECT_TRUE(f.gfve.GFVE_equal(f.gfve.GFVE_Exp(x, 8), one));
  EXPECT_TRUE(f.gfve.GFVE_equal(f.gfve.GFVE_Exp(x, 0), one));
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_Exp(x, -1)), (std::vector<int>{1, 1, 0}));
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_Divide(one, x)), (std::vector<int>{1, 1, 0}));
  // Products by repeated subtraction: 2x * x subtracts the generator twice, x * x once.
  EXPECT_EQ(significant(f.gfve, f.gfve.multiply_by_subtraction(element({0, 2}), x)),
            (std::vector<int>{2, 1, 0}));
  EXPECT_EQ(significant(f.gfve, f.gfve.multiply_by_subtraction(x, x)), (std::vector<int>{1, 2, 0}));
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_Multiply(element({0, 2}), x)), (std::vector<int>{2, 1, 0}));
  EXPECT_TRUE(f.gfve.GFVE_equal(f.gfve.GFVE_Add(element({2, 2}), element({1, 1})), f.gfve.GFVE_zero));
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_Sub(element({0, 2}), x)), (std::vector<int>{0, 1, 0}));
  EXPECT_EQ(significant(f.gfve, f.gfve.GFVE_Sub(x, element({0, 2}))), (std::vector<int>{0, 2, 0}));
  GFVE_element other = x;
  other(4) = 7;
  EXPECT_TRUE(f.gfve.GFVE_equal(x, other));
  EXPECT_TRUE(f.take_lines().empty());
}

TEST(GFVE_setup, TwelveIsImproper) {
  Gf_fixture f;
  EXPECT_FALSE(f.gfve.GFVE_setup(12));
  const Lines screen = {" ***GFVE_setup called with improper order:  12",
                        " ***Factors, muliplicity are  2 **  2 ,  3 **  1 ,",
                        "***Galois_LG called with improper order:  12",
                        "***Factors are  2 **  2 ,  3 **  1 ,"};
  EXPECT_EQ(f.take_lines(), screen);
  EXPECT_EQ(read_lines(f.dir / "GFVE_Log.txt"), (Lines{screen[2], screen[3]}));
  EXPECT_FALSE(f.gfve.GFVE_initialized);
}

TEST(GFVE_setup, OrdersAboveTheLimitAreRefusedWithOneLine) {
  Gf_fixture f;
  EXPECT_FALSE(f.gfve.GFVE_setup(3 * 3 * 3 * 3 * 3 * 3 * 3 * 3 * 3 * 3 * 3));
  EXPECT_EQ(f.take_lines().size(), 1u);
  EXPECT_TRUE(f.gfve.GFVE_setup(65536));   // q - 1 = 65535 is still within the table of squares
  EXPECT_EQ(f.gfve.GFVE_degree, 16);
}

TEST(GFVE_arithmetic, ZeroToAPower) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfve.GFVE_setup(9));
  EXPECT_TRUE(f.gfve.GFVE_equal(f.gfve.GFVE_Exp(f.gfve.GFVE_zero, 3), f.gfve.GFVE_zero));
  EXPECT_EQ(stop_code([&] { f.gfve.GFVE_Exp(f.gfve.GFVE_zero, 0); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{"####ERROR IN GFVE_Exp, 0 to power of:  0"}));
  EXPECT_EQ(read_lines(f.dir / "GFVE_Log.txt"), (Lines{"####ERROR IN GFVE_Exp, 0 to power of:  0"}));
}

TEST(GFVE_arithmetic, DivisionByZero) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfve.GFVE_setup(4));
  EXPECT_EQ(stop_code([&] { f.gfve.GFVE_Divide(f.gfve.GFVE_one, f.gfve.GFVE_zero); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{" ####Error in GFVE_Divide, zero denominator."}));
}

TEST(GFVE_arithmetic, BeforeAnySetUpOperationsWarnAndReturnDefinedValues) {
  Gf_fixture f;
  const GFVE_element x = element({0, 1});
  EXPECT_EQ(f.gfve.GFVE_Multiply(x, x), GFVE_element{});
  EXPECT_EQ(f.gfve.GFVE_Add(x, x), GFVE_element{});
  // Without a degree only entry 1 is significant, so x counts as zero here.
  EXPECT_EQ(f.gfve.GFVE_Exp(x, 3), GFVE_element{});
  const Lines lines = f.take_lines();
  EXPECT_EQ(lines.front(), " ***WARNING -- GFVE_Multiply called without initializing GFVE module");
  EXPECT_EQ(lines.back(), " ***WARNING -- GFVE_Exp called without initializing GFVE module");
}

TEST(GFVE_arithmetic, AfterAFailedSetUpOperationsStillReturn) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfve.GFVE_setup(8));
  EXPECT_FALSE(f.gfve.GFVE_setup(12));
  f.gfve.GFVE_Multiply(element({1, 1}), element({0, 1}));
  f.gfve.GFVE_Exp(element({1, 1}), 5);
  SUCCEED();
}

TEST(GFVE_arithmetic, TablesGiveTheProductsBySubtractionOnWholeFields) {
  for (int q : {4, 8, 9, 25, 27, 49, 64, 81, 121, 125, 243, 256}) {
    Gf_fixture f;
    ASSERT_TRUE(f.gfve.GFVE_setup(q)) << q;
    for (std::uint32_t a = 0; a < static_cast<std::uint32_t>(q); ++a) {
      const GFVE_element ea = f.gfve.from_index(a);
      for (std::uint32_t b = 0; b < static_cast<std::uint32_t>(q); b += (q > 64 ? 7 : 1)) {
        const GFVE_element eb = f.gfve.from_index(b);
        ASSERT_EQ(f.gfve.GFVE_Multiply(ea, eb), f.gfve.multiply_by_subtraction(ea, eb)) << q;
      }
    }
  }
}

TEST(GFVE_arithmetic, UnreducedInputsGiveTheProductsBySubtraction) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfve.GFVE_setup(9));
  const GFVE_element odd = element({5, -4, 2});
  const GFVE_element x = element({0, 1});
  EXPECT_EQ(f.gfve.GFVE_Multiply(odd, x), f.gfve.multiply_by_subtraction(odd, x));
  EXPECT_EQ(f.gfve.GFVE_Exp(odd, 5), f.gfve.GFVE_Multiply(f.gfve.GFVE_Exp(odd, 4), odd));
}
