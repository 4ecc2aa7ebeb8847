// Hostile answers at every prompt of the real program: lines of a million characters, NUL
// bytes, bytes outside ASCII, numbers beyond 32 bits and empty lines are refused (or cut, for paths) and
// the question is asked again; nothing wraps to a valid value, and no file is opened under a
// name other than the one shown.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/database_tree.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

const std::string million_digits(1'000'000, '7');
const std::string million_letters(1'000'000, 'x');
const std::string nul_inside("1\0" "2", 3);
const std::string fullwidth_two = "\xef\xbc\x92";
const std::string latin1_letters = "\xe9\xe8";

constexpr const char* not_whole = "###The answer was not a whole number; please try again.";
constexpr const char* bad_choice = " ###Bad character on input; please try again.";

struct Answer_case {
  const char* prompt;
  std::string keys;       // menu choices that lead to the prompt
  std::string hostile;    // one line
  std::string then;       // the answers that follow it
  std::string refusal;    // the line that answers the hostile line
  std::string after;      // a line shown after the refusal, once the good answer is taken
};

// Order 2 of the generated database: one array.
Order_files order_two() {
  return {"1 1\n1 2\n", "1 1\n 00000002\n", "1 2\n", " 00000002\n",
          "No symmetrical Costas arrays.\n", "\n", "No G-symmetrical Costas arrays.\n", "\n",
          six_log_lines};
}

// Whether after appears after the first refusal line.
bool refused_then_shown(const Lines& lines, const std::string& refusal, const std::string& after) {
  const auto at = std::find(lines.begin(), lines.end(), refusal);
  return at != lines.end() && std::find(at, lines.end(), after) != lines.end();
}

}  // namespace

TEST(Hostile_answers, NumbersPromptsRefuseAndAskAgain) {
  const Answer_case cases[] = {
      {"menu", "", million_digits, "2\n4\n", bad_choice, "2      4, Order of CAs for output"},
      {"menu, 2^32 + 2", "", "4294967298", "2\n4\n", bad_choice,
       "2      4, Order of CAs for output"},
      {"menu, NUL", "", nul_inside, "2\n4\n", bad_choice, "2      4, Order of CAs for output"},
      {"order, 2^32 + 4", "2\n", "4294967300", "4\n", not_whole,
       "2      4, Order of CAs for output"},
      {"order, a million digits", "2\n", million_digits, "4\n", not_whole,
       "2      4, Order of CAs for output"},
      {"order, NUL", "2\n", nul_inside, "12\n", not_whole, "2     12, Order of CAs for output"},
      {"method, 2^32 + 7", "4\n", "4294967303", "7\n", not_whole,
       "4      7, If previous option is T, filter by generator method 1 to 19"},
      {"symmetry, fullwidth digit", "5\n", fullwidth_two, "2\n", not_whole,
       "5      2, 1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical"},
      {"symmetry, -2^32 + 2", "5\n", "-4294967294", "2\n", not_whole,
       "5      2, 1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical"},
      {"field order, a million digits", "9\n", million_digits, "243\n",
       "Bad input, please input a number 131 or greater:", "9    243, Order of Galois field."},
      {"field order, 2^32 + 243", "9\n", "4294967539", "243\n",
       "Bad input, please input a number 131 or greater:", "9    243, Order of Galois field."},
      {"help item, letters", "12\n", million_letters, "0\n",
       "###The answer was not a whole number; please enter an item from 0 to 12.",
       "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:"},
      {"menu, empty line", "", "", "2\n4\n", bad_choice, "2      4, Order of CAs for output"},
      {"order, blanks only", "2\n", " \t ", "4\n", not_whole,
       "2      4, Order of CAs for output"},
      {"field order, empty line", "9\n", "", "243\n",
       "Bad input, please input a number 131 or greater:", "9    243, Order of Galois field."},
      {"help item, empty line", "12\n", "", "0\n",
       "###The answer was not a whole number; please enter an item from 0 to 12.",
       "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prompt);
    Temp_dir dir;
    const Run_result result =
        run_program("Y\n" + c.keys + c.hostile + "\n" + c.then + "-1\n", dir.path());
    EXPECT_TRUE(refused_then_shown(result.lines(), c.refusal, c.after));
    EXPECT_EQ(result.err, "Normal exit without processing.\n");
    EXPECT_EQ(result.exit_status, 0);
  }
}

TEST(Hostile_answers, YesNoQuestionsAskAgain) {
  const std::string agree = " Agree (Y for yes, N for no)?";
  const std::string is_this_ok = " Is this OK (Y for yes, N for no)?";
  const std::pair<std::string, std::string> cases[] = {
      {"Y\n", million_letters}, {"Y\n", std::string("\0Y", 2)}, {"Y\n", latin1_letters}};
  for (const auto& [answer, hostile] : cases) {
    Temp_dir dir;
    // At "Agree?" and at the field order's "Is this OK?" (240 is raised to 241).
    const Run_result result =
        run_program(hostile + "\nY\n9\n240\n" + hostile + "\n" + answer + "-1\n", dir.path());
    const Lines lines = result.lines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), agree), 2);
    EXPECT_EQ(std::count(lines.begin(), lines.end(), is_this_ok), 2);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "9    241, Order of Galois field."),
              lines.end());
    EXPECT_EQ(result.err, "Normal exit without processing.\n");
  }
}

TEST(Hostile_answers, PathPrompts) {
  Temp_dir dir;
  write_order(dir / "db" / "Generated", 2,
              order_two(), true);
  const std::string db = (dir / "db").string() + "/";
  const std::string long_path(132, 'x');
  const std::string nul_path = db + std::string("\0junk", 5);
  const std::string nul_name("o\0ut.txt", 8);
  const Run_result result =
      run_program("Y\n2\n2\n10\n" + million_letters + "\n" + nul_path + "\n" + db + "\n11\n" +
                      million_letters + "\n11\n" + nul_name + "\n0\nY\nY\n",
                  dir.path());
  const Lines lines = result.lines();
  const auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  // A million characters are cut to the 132 that a path holds; the folder is checked and refused.
  EXPECT_TRUE(has("###The path" + long_path + " has read error: 2 no such file or directory"));
  // A NUL byte never opens the folder named by the part before it.
  EXPECT_TRUE(has("###The path" + nul_path + (unix_paths ? "/" : "\\") +
                  " has read error: 22 invalid parameter"));
  // The Unix style keeps the separator typed; the Windows style appends its own.
  EXPECT_TRUE(has("10 " + db + (unix_paths ? "" : "\\") + ", Database folder"));
  EXPECT_TRUE(has("11 " + long_path + ", Pathname for output text"));
  // The run opens no file "o" for the name "o", NUL, "ut.txt".
  EXPECT_TRUE(has(" ### Could not open " + nul_name));
  EXPECT_TRUE(has(" I/O error: 22 invalid parameter"));
  EXPECT_FALSE(fs::exists(dir / "o"));
  EXPECT_EQ(result.exit_status, 0);
}

TEST(Hostile_answers, OutputNameOutsideAsciiIsWrittenAsTyped) {
  Temp_dir dir;
  write_order(dir / "db" / "Generated", 2,
              order_two(), true);
  const std::string name = "Ausgabe_\xc3\xa4\xc3\xb6\xc3\xbc_" + latin1_letters + ".txt";
  const std::string db = (dir / "db").string() + "/";
  const Run_result result =
      run_program("Y\n2\n2\n10\n" + db + "\n11\n" + name + "\n0\nY\n", dir.path());
  EXPECT_EQ(result.exit_status, 0);
  const std::string csv = name.substr(0, name.size() - 3) + "csv";
  EXPECT_EQ(read_lines(dir / csv), (Lines{"   0 ,  1"}));
  // The order holds one of the two arrays that the count tables list, and the run says so.
  const Lines text = read_lines(dir / name);
  ASSERT_GE(text.size(), 2u);
  EXPECT_EQ(text[text.size() - 2], "   0  1");
  EXPECT_EQ(text.back(), "The database file held 1 array of order 2; the count tables list 2.");
}

// A field order beyond 16-bit products: shown whole at the prompt, kept in the options file
// and read back at the next menu instead of bringing in the defaults.
TEST(Hostile_answers, FieldOrderOfFiftyThousand) {
  Temp_dir dir;
  const Run_result result = run_program("Y\n8\n9\n50000\nY\n0\nN\n-1\n", dir.path());
  const Lines lines = result.lines();
  const auto has = [&lines](const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
  };
  EXPECT_TRUE(has("Costas order is 129, Galois field order is 50000"));
  EXPECT_TRUE(has("Next higher viable Galois field order is 50021"));
  // After the prompt, and again after the run when the menu has read the options file back.
  EXPECT_EQ(std::count(lines.begin(), lines.end(), "9  50021, Order of Galois field."), 2);
  EXPECT_FALSE(std::any_of(lines.begin(), lines.end(), [](const std::string& line) {
    return line.starts_with(" Error reading");
  }));
  EXPECT_EQ(read_lines(dir / options_file_name).at(11),
            "50021" + std::string(31, ' ') + ",Order of Galois field.");
}

namespace {

std::uint64_t power_mod(std::uint64_t base, std::uint64_t exponent, std::uint64_t q) {
  std::uint64_t result = 1;
  for (base %= q; exponent > 0; exponent >>= 1, base = base * base % q) {
    if (exponent & 1) result = result * base % q;
  }
  return result;
}

// The first primitive element of the prime field GF(q): the smallest c whose order is q - 1.
std::uint64_t first_primitive_element(std::uint64_t q) {
  std::vector<std::uint64_t> primes;
  std::uint64_t m = q - 1;
  for (std::uint64_t d = 2; d * d <= m; ++d) {
    if (m % d != 0) continue;
    primes.push_back(d);
    while (m % d == 0) m /= d;
  }
  if (m > 1) primes.push_back(m);
  for (std::uint64_t c = 2;; ++c) {
    if (std::all_of(primes.begin(), primes.end(),
                    [&](std::uint64_t p) { return power_mod(c, (q - 1) / p, q) != 1; })) {
      return c;
    }
  }
}

}  // namespace

// A run over GF(50021), whose products do not fit in 32 bits: every coefficient line, read as
// powers of the first primitive element, gives back each array's points. The check works in
// 64 bits on its own, apart from the program's field modules.
TEST(Hostile_answers, FieldOrderOfFiftyThousandGivesTrueCoefficients) {
  Temp_dir dir;
  write_order(dir / "db" / "Generated", 4, three_essential_arrays(), true);
  set_options(dir.path(), [](Options& o) {
    o.ca_order = 4;
    o.symmetry_type = 2;
    o.find_gf_polynomial = true;
  });
  const Run_result result = run_program("Y\n9\n50000\nY\n0\nY\n", dir.path());
  ASSERT_EQ(result.exit_status, 0);
  const std::uint64_t q = 50021;
  const std::uint64_t a = first_primitive_element(q);
  const std::vector<std::vector<std::uint64_t>> arrays = {{0, 1, 3, 2}, {0, 2, 3, 1}, {1, 3, 2, 0}};
  const Lines rows = read_lines(dir / "out_polynomials.csv");
  ASSERT_EQ(rows.size(), arrays.size());
  for (std::size_t k = 0; k < arrays.size(); ++k) {
    SCOPED_TRACE(rows[k]);
    std::vector<std::int64_t> e;
    std::string text = rows[k];
    std::replace(text.begin(), text.end(), ',', ' ');
    std::istringstream in(text);
    for (std::int64_t v; in >> v;) e.push_back(v);
    ASSERT_EQ(e.size(), 4u);
    for (std::uint64_t i = 0; i < 4; ++i) {
      std::uint64_t sum = 0;
      for (std::uint64_t j = 0; j < 4; ++j) {
        if (e[j] == -99) continue;
        ASSERT_GE(e[j], 0);
        ASSERT_LT(e[j], static_cast<std::int64_t>(q - 1));
        sum = (sum + power_mod(a, static_cast<std::uint64_t>(e[j]) + i * j, q)) % q;
      }
      EXPECT_EQ(sum, power_mod(a, arrays[k][i] + 1, q)) << "point " << i;
    }
  }
}
