// Whole runs with the generating-polynomial option on a small database written by the test:
// one coefficient line per written array in the polynomials CSV file, each checked by
// substituting the points back into its polynomial.
#include <gtest/gtest.h>

#include <algorithm>
#include <charconv>

#include "tests/e2e/database_tree.hpp"
#include "tests/support/gf_fixture.hpp"

namespace {

using Lines = std::vector<std::string>;


// The zero-based arrays of generated_order_4, all-arrays class.
const std::vector<std::vector<int>> arrays_4 = {{0, 1, 3, 2}, {0, 2, 3, 1}, {1, 3, 2, 0}};

std::vector<int> parse_line(const std::string& line) {
  std::vector<int> values;
  std::string text = line;
  std::replace(text.begin(), text.end(), ',', ' ');
  std::istringstream in(text);
  for (int v; in >> v;) values.push_back(v);
  return values;
}

// P(a^(i-1)) = a^(r_i + 1) for the coefficients a^e_j (zero for -99), over GF(q).
void expect_substitution(int q, const std::vector<int>& perm, const std::vector<int>& e) {
  Gf_fixture f;
  ASSERT_EQ(e.size(), perm.size());
  const bool prime = Number_Theory_M(f.io.console).euler_phi(q) == q - 1;
  if (prime) {
    ASSERT_TRUE(f.gfpm.GFPM_setup(q));
    const int a = f.gfpm.GFPM_pes[0];
    for (std::size_t i = 0; i < perm.size(); ++i) {
      const int point = f.gfpm.GFPM_Exp(a, static_cast<int>(i));
      int sum = 0;
      for (std::size_t j = 0; j < e.size(); ++j) {
        if (e[j] != -99) {
          sum = f.gfpm.GFPM_Add(sum, f.gfpm.GFPM_Multiply(f.gfpm.GFPM_Exp(a, e[j]),
                                                          f.gfpm.GFPM_Exp(point, static_cast<int>(j))));
        }
      }
      EXPECT_EQ(sum, f.gfpm.GFPM_Exp(a, perm[i] + 1));
    }
  } else {
    ASSERT_TRUE(f.gfve.GFVE_setup(q));
    const GFVE_element a = f.gfve.GFVE_pes[0];
    for (std::size_t i = 0; i < perm.size(); ++i) {
      const GFVE_element point = f.gfve.GFVE_Exp(a, static_cast<int>(i));
      GFVE_element sum = f.gfve.GFVE_zero;
      for (std::size_t j = 0; j < e.size(); ++j) {
        if (e[j] != -99) {
          sum = f.gfve.GFVE_Add(sum, f.gfve.GFVE_Multiply(f.gfve.GFVE_Exp(a, e[j]),
                                                          f.gfve.GFVE_Exp(point, static_cast<int>(j))));
        }
      }
      EXPECT_TRUE(f.gfve.GFVE_equal(sum, f.gfve.GFVE_Exp(a, perm[i] + 1)));
    }
  }
}

std::size_t count_starting(const Lines& lines, const std::string& start) {
  return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
    return l.rfind(start, 0) == 0;
  }));
}

struct Polynomial_runs : ::testing::Test {
  Temp_dir dir;
  void SetUp() override { write_order(dir / "db" / "Generated", 4, generated_order_4(), true); }
};

}  // namespace

TEST_F(Polynomial_runs, PrimeAndExtensionFieldsWriteOneCheckedLinePerArray) {
  for (int q : {5, 7, 8, 9, 16, 131}) {
    SCOPED_TRACE("gf_order " + std::to_string(q));
    set_options(dir.path(), [q](Options& o) {
      o.ca_order = 4;
      o.find_gf_polynomial = true;
      o.gf_order = q;
    });
    const Session session = run_session(dir.path(), "Y\n");
    EXPECT_EQ(session.status, 0);
    EXPECT_EQ(session.err, "");
    const Lines lines = read_lines(dir / "out_polynomials.csv");
    ASSERT_EQ(lines.size(), arrays_4.size());
    for (std::size_t a = 0; a < lines.size(); ++a) {
      expect_substitution(q, arrays_4[a], parse_line(lines[a]));
    }
    EXPECT_EQ(count_starting(session.lines, " Determinant:"), 1u);
  }
}

TEST_F(Polynomial_runs, TwoRunsInOneSessionBuildTwiceAndSetTheFieldUpOnce) {
  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.find_gf_polynomial = true;
    o.gf_order = 7;
    o.output_position = "APPEND";
  });
  // Run, "N" to Done?, proceed from the menu again, run, "Y" to Done?.
  const Session session = run_session(dir.path(), "N\n0\nY\n");
  EXPECT_EQ(session.status, 0);
  EXPECT_EQ(count_starting(session.lines, " Determinant:"), 2u);
  EXPECT_EQ(count_starting(session.lines, "###Order = prime:"), 1u);
  EXPECT_EQ(read_lines(dir / "out_polynomials.csv").size(), 2 * arrays_4.size());
  EXPECT_EQ(read_lines(dir / "GFPM_Log.txt").front(), "###Order = prime:  7  7");
}

TEST_F(Polynomial_runs, ThroughTheProgramItself) {
  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.find_gf_polynomial = true;
    o.gf_order = 9;
    o.symmetry_type = 2;
  });
  const Run_result run = run_program("Y\n0\nY\n", dir.path());
  EXPECT_EQ(run.exit_status, 0);
  const Lines lines = read_lines(dir / "out_polynomials.csv");
  ASSERT_EQ(lines.size(), 1u);
  expect_substitution(9, arrays_4[0], parse_line(lines[0]));
  EXPECT_FALSE(std::filesystem::exists(dir / "GFVE_Log.txt"));   // a successful set-up writes no message
}

TEST_F(Polynomial_runs, WithoutTheOptionNoPolynomialFileAppears) {
  set_options(dir.path(), [](Options& o) { o.ca_order = 4; });
  const Session session = run_session(dir.path(), "Y\n");
  EXPECT_EQ(session.status, 0);
  EXPECT_FALSE(std::filesystem::exists(dir / "out_polynomials.csv"));
  EXPECT_EQ(count_starting(session.lines, " Determinant:"), 0u);
}
