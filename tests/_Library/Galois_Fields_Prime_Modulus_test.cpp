#include "_Library/Number_theory/Galois_Fields_Prime_Modulus.hpp"

#include <gtest/gtest.h>

#include "tests/support/gf_fixture.hpp"

using Lines = std::vector<std::string>;

TEST(GFPM_setup, GF3AcceptsTwoAtOnce) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfpm.GFPM_setup(3));
  EXPECT_EQ(f.gfpm.GFPM_no_of_pes, 1);
  EXPECT_EQ(f.gfpm.GFPM_pes, (std::vector<std::int32_t>{2}));
}

TEST(GFPM_setup, GF7LogsExactlyFourLines) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfpm.GFPM_setup(7));
  EXPECT_EQ(f.gfpm.GFPM_pes, (std::vector<std::int32_t>{3, 5}));
  const Lines log = {"###Order = prime:  7  7", "GFPM_no_of_pes:  2",
                     "New Primitive element  1 , power  1  is  3",
                     "New Primitive element  2 , power  5  is  5"};
  EXPECT_EQ(read_lines(f.dir / "GFPM_Log.txt"), log);
  const Lines screen = {log[0], " GFPM_no_of_pes:  2", log[1], log[2], log[3]};
  EXPECT_EQ(f.take_lines(), screen);
}

TEST(GFPM_setup, GF11AfterGF7ReplacesTheList) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfpm.GFPM_setup(7));
  ASSERT_TRUE(f.gfpm.GFPM_setup(11));
  EXPECT_EQ(f.gfpm.GFPM_pes, (std::vector<std::int32_t>{2, 8, 7, 6}));
  EXPECT_EQ(f.gfpm.GFPM_prime, 11);
  // Both set-ups are in the one log of the process.
  EXPECT_EQ(read_lines(f.dir / "GFPM_Log.txt").size(), 4u + 6u);
}

TEST(GFPM_setup, NineIsImproperAndArithmeticWarnsModuloThree) {
  Gf_fixture f;
  EXPECT_FALSE(f.gfpm.GFPM_setup(9));
  EXPECT_FALSE(f.gfpm.GFPM_initialized);
  const Lines screen = {" ***GFPM_setup called with improper order:  9",
                        " ***Factors, muliplicity are  3 **  2 ,",
                        "***Galois_LG called with improper order:  9", "***Factors are  3 **  2 ,"};
  EXPECT_EQ(f.take_lines(), screen);
  EXPECT_EQ(read_lines(f.dir / "GFPM_Log.txt"), (Lines{screen[2], screen[3]}));
  EXPECT_EQ(f.gfpm.GFPM_Add(2, 2), 1);
  EXPECT_EQ(f.take_lines(),
            (Lines{" ***WARNING -- GFPM_Add called without initializing GFPM module"}));
}

TEST(GFPM_setup, TwelveListsBothFactors) {
  Gf_fixture f;
  EXPECT_FALSE(f.gfpm.GFPM_setup(12));
  EXPECT_EQ(f.take_lines()[1], " ***Factors, muliplicity are  2 **  2 ,  3 **  1 ,");
}

TEST(GFPM_setup, OrdersAboveTheLimitAreRefusedWithOneLine) {
  Gf_fixture f;
  EXPECT_FALSE(f.gfpm.GFPM_setup(65537));
  const Lines lines = f.take_lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("65536"), std::string::npos);
  EXPECT_FALSE(f.gfpm.GFPM_initialized);
  EXPECT_FALSE(std::filesystem::exists(f.dir / "GFPM_Log.txt"));
}

TEST(GFPM_arithmetic, GF7Facts) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfpm.GFPM_setup(7));
  f.take_lines();
  EXPECT_EQ(f.gfpm.GFPM_Sub(2, 5), 4);
  EXPECT_EQ(f.gfpm.GFPM_Add(-3, 1), 5);
  EXPECT_EQ(f.gfpm.GFPM_Exp(3, -1), 5);
  EXPECT_EQ(f.gfpm.GFPM_Divide(1, 3), 5);
  EXPECT_EQ(f.gfpm.GFPM_Exp(4, 6), 1);
  EXPECT_EQ(f.gfpm.GFPM_Exp(4, 0), 1);
  EXPECT_EQ(f.gfpm.GFPM_Exp(0, 5), 0);
  EXPECT_EQ(f.gfpm.GFPM_Multiply(-1, 8), 6);
  EXPECT_TRUE(f.take_lines().empty());
}

TEST(GFPM_arithmetic, ZeroToANonPositivePowerStopsWithCode2AfterLogging) {
  for (int n : {0, -1}) {
    Gf_fixture f;
    ASSERT_TRUE(f.gfpm.GFPM_setup(7));
    f.take_lines();
    EXPECT_EQ(stop_code([&] { f.gfpm.GFPM_Exp(0, n); }), "2");
    const std::string line = "####ERROR IN GFPM_Exp, 0 to power of: " + std::string(n == 0 ? " 0" : "-1");
    EXPECT_EQ(f.take_lines(), (Lines{line}));
    EXPECT_EQ(read_lines(f.dir / "GFPM_Log.txt").back(), line);
  }
}

TEST(GFPM_arithmetic, DivisionByZeroStopsAfterTheConsoleLine) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfpm.GFPM_setup(7));
  f.take_lines();
  EXPECT_EQ(stop_code([&] { f.gfpm.GFPM_Divide(3, 0); }), "2");
  EXPECT_EQ(f.take_lines(), (Lines{" ####Error in GFPM_Divide, zero denominator."}));
  EXPECT_EQ(read_lines(f.dir / "GFPM_Log.txt").size(), 4u);   // nothing logged
}

TEST(GFPM_arithmetic, BeforeAnySetUpOperationsWarnAndReturnDefinedValues) {
  Gf_fixture f;
  EXPECT_EQ(f.gfpm.GFPM_Add(3, 4), 0);
  EXPECT_EQ(f.gfpm.GFPM_Multiply(3, 4), 0);
  EXPECT_EQ(f.gfpm.GFPM_Exp(3, 4), 1);
  EXPECT_EQ(f.gfpm.GFPM_2array(9), 9);
  const Lines lines = f.take_lines();
  EXPECT_EQ(lines.front(), " ***WARNING -- GFPM_Add called without initializing GFPM module");
  EXPECT_EQ(lines.back(), " ***WARNING -- GFPM_2array called without initializing GFPM module");
  EXPECT_FALSE(f.gfpm.GFPM_equal(1, 2));
}

TEST(GFPM_arithmetic, ProductsOfLargeResiduesDoNotOverflow) {
  Gf_fixture f;
  ASSERT_TRUE(f.gfpm.GFPM_setup(65521));
  EXPECT_EQ(f.gfpm.GFPM_Multiply(65520, 65520), 1);
  EXPECT_EQ(f.gfpm.GFPM_Multiply(2147483647, 2147483647),
            static_cast<std::int32_t>((2147483647LL % 65521) * (2147483647LL % 65521) % 65521));
  EXPECT_EQ(f.gfpm.GFPM_Divide(1, 65520), 65520);
}

TEST(GFPM_log_message, SecondMessageAppendsAndUnit51WhenFiftyIsTaken) {
  Gf_fixture f;
  ASSERT_EQ(f.log_units.open(50, "other.txt", Write_position::rewind), status_ok);
  f.gfpm.GFPM_message = "   first   ";
  f.gfpm.GFPM_log_message();
  EXPECT_EQ(f.gfpm.GFPM_log_unit, 51);
  f.gfpm.GFPM_message = " second";
  f.gfpm.GFPM_log_message();
  EXPECT_EQ(read_lines(f.dir / "GFPM_Log.txt"), (Lines{"first", "second"}));
  EXPECT_EQ(f.take_lines(), (Lines{"first", "second"}));
  EXPECT_EQ(read_file(f.dir / "other.txt"), "");
}

TEST(GFPM_log_message, FirstMessageOfAProcessStartsAFreshFile) {
  Gf_fixture f;
  write_file(f.dir / "GFPM_Log.txt", "old line\n");
  f.gfpm.GFPM_message = " new";
  f.gfpm.GFPM_log_message();
  EXPECT_EQ(read_file(f.dir / "GFPM_Log.txt"), "new\n");
}

TEST(GFPM_log_message, BothLogsShareTheUnitsAndMoveOn) {
  Gf_fixture f;
  EXPECT_FALSE(f.gfve.GFVE_setup(12));   // the extension-field log opens first, on unit 50
  ASSERT_TRUE(f.gfpm.GFPM_setup(7));
  EXPECT_EQ(f.gfve.GFVE_log_unit, 50);
  EXPECT_EQ(f.gfpm.GFPM_log_unit, 51);
}

TEST(GFPM_log_message, ALogThatCannotBeOpenedEndsWithoutAStopCode) {
  Gf_fixture f;
  std::filesystem::create_directory(f.dir / "GFPM_Log.txt");
  f.gfpm.GFPM_message = " text";
  EXPECT_EQ(stop_code([&] { f.gfpm.GFPM_log_message(); }), "");
  const Lines lines = f.take_lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0], " Error opening GFPM log on LUN  50");
}
