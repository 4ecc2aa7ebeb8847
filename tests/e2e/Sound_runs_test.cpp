// Sessions of the real program that must never hand out less than they say: the field order
// raised before a run of a higher order, an order held only in part said so at both ends of
// the run, the CSV names of any output name, and database paths of the Unix style.
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/e2e/database_tree.hpp"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

bool has(const Lines& lines, const std::string& line) {
  return std::find(lines.begin(), lines.end(), line) != lines.end();
}

long power_mod(long base, long exponent, long p) {
  long result = 1;
  for (base %= p; exponent > 0; --exponent) result = result * base % p;
  return result;
}

// The smallest primitive residue of the prime p.
long primitive_root(long p) {
  for (long a = 2;; ++a) {
    long k = 1;
    for (long x = a; x != 1; x = x * a % p) ++k;
    if (k == p - 1) return a;
  }
}

// Generated order p - 1: the p - 1 shifts of the exponential Welch array of the prime p (rows
// g^(c + s) mod p, one-based), all in the all-arrays file; the essential set holds the first.
Order_files welch_order(long p, std::vector<std::vector<long>>& rows) {
  const long g = primitive_root(p);
  Order_files f;
  f.all = all_arrays_header(static_cast<std::int32_t>(p - 1), p - 1) + "\n";
  f.all_methods = f.all;
  for (long s = 0; s < p - 1; ++s) {
    std::vector<long> array;
    std::string line;
    for (long c = 0; c < p - 1; ++c) {
      array.push_back(power_mod(g, c + s, p));
      line += (c > 0 ? " " : "") + std::to_string(array.back());
    }
    rows.push_back(array);
    f.all += line + "\n";
    f.all_methods += " 00000002\n";
    if (s == 0) f.essential = line + "\n";
  }
  f.essential_methods = " 00000002\n";
  f.symmetrical = "No symmetrical Costas arrays.\n";
  f.g_symmetrical = "No G-symmetrical Costas arrays.\n";
  f.log = "Costas arrays of order " + std::to_string(p - 1) + "\n" +
          "Number of unique Costas arrays: 40\nNumber of essential Costas arrays: 1\n"
          "Number of symmetrical Costas arrays: 0\n       0  G-symmetrical classes\n"
          "Number of unique G-symmetrical arrays: 0\n";
  return f;
}

// Whether the coefficients a^e_j (-99 for zero) of a line give P(a^i) = a^(r_i + 1) over GF(q),
// q prime, a its smallest primitive residue, for the one-based rows r_i + 1.
bool interpolates(long q, const std::vector<long>& one_based_rows, const std::string& line) {
  std::string text = line;
  std::replace(text.begin(), text.end(), ',', ' ');
  std::istringstream in(text);
  std::vector<long> e;
  for (long v; in >> v;) e.push_back(v);
  if (e.size() != one_based_rows.size()) return false;
  const long a = primitive_root(q);
  for (std::size_t i = 0; i < e.size(); ++i) {
    long sum = 0;
    for (std::size_t j = 0; j < e.size(); ++j) {
      if (e[j] == -99) continue;
      sum = (sum + power_mod(a, e[j], q) * power_mod(a, static_cast<long>(i * j), q)) % q;
    }
    if (sum != power_mod(a, one_based_rows[i], q)) return false;
  }
  return true;
}

}  // namespace

// Order 12 with field 13, polynomials on, then order 40 typed at the order prompt: leaving the
// options raises the field to 41 and says so, and the run writes one true coefficient line per
// array. A field that is high enough is left alone without a word.
TEST(Sound_runs, LeavingTheOptionsRaisesTheFieldAboveTheOrder) {
  struct Case {
    const char* answers;   // after Agree?
    const char* raised;    // the line shown on leaving the options, or empty
    long field;            // the field order of the run
  };
  const Case cases[] = {
      {"8\n9\n13\n2\n40\n0\nY\n", "Next higher viable Galois field order is  41", 41},
      {"8\n9\n43\n2\n40\n0\nY\n", "", 43},
      {"2\n40\n8\n0\nY\n", "", 41},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.answers);
    Temp_dir dir;
    std::vector<std::vector<long>> rows;
    write_order(dir / "db" / "Generated", 40, welch_order(41, rows), true);
    set_options(dir.path(), [](Options& o) {
      o.ca_order = 12;
      o.gf_order = 13;
    });
    const Run_result run = run_program(std::string("Y\n") + c.answers, dir.path());
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const Lines lines = run.lines();
    const auto leave = std::find(lines.rbegin(), lines.rend(),
                                 "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:");
    ASSERT_NE(leave, lines.rend());
    const auto next = leave.base();
    ASSERT_NE(next, lines.end());
    EXPECT_EQ(*next, *c.raised ? std::string(c.raised) : " Output file is out.txt");
    EXPECT_EQ(std::count_if(lines.begin(), lines.end(),
                            [](const std::string& l) {
                              return l.starts_with("Next higher viable Galois field order is");
                            }),
              *c.raised ? 1 : 0);
    EXPECT_FALSE(has(lines, "You may proceed but the polynomial coefficients are INVALID."));
    EXPECT_EQ(read_lines(dir / "Vellumcairn_Options.txt").at(11).substr(0, 4),
              fixed_int(c.field, 4));
    const Lines polynomials = read_lines(dir / "out_polynomials.csv");
    ASSERT_EQ(polynomials.size(), rows.size());
    for (std::size_t k = 0; k < rows.size(); ++k) {
      EXPECT_TRUE(interpolates(c.field, rows[k], polynomials[k])) << "array " << k + 1;
    }
  }
}

namespace {

// The lines of the last run: after the last menu prompt, up to "Done?".
Lines last_run(const Lines& lines) {
  const auto prompt = std::find(lines.rbegin(), lines.rend(),
                                "Enter option 1-11 to change, 12 for HELP, or 0 to proceed:");
  const auto done = std::find(prompt.base(), lines.end(), " Done (Y for yes, N for no)?");
  return Lines(prompt.base(), done);
}

// Generated order 3 as a complete database holds it: all four arrays, one class, symmetrical.
Order_files complete_order_3() {
  Order_files f;
  f.all = "   3  4\n1 3 2\n2 1 3\n2 3 1\n3 1 2\n";
  f.all_methods = "   3  4\n 00000000\n 00000000\n 00000000\n 00000000\n";
  f.essential = f.symmetrical = "1 3 2\n";
  f.essential_methods = f.symmetrical_methods = " 00000000\n";
  f.g_symmetrical = "No G-symmetrical Costas arrays.\n";
  f.log = "Costas arrays of order 3\nNumber of unique Costas arrays: 4\n"
          "Number of essential Costas arrays: 1\nNumber of symmetrical Costas arrays: 1\n"
          "       0  G-symmetrical classes\nNumber of unique G-symmetrical arrays: 0\n";
  return f;
}

}  // namespace

// Order 4 of the tests' database holds 3 of the 12 arrays the count tables list, and its log
// says so in a "Constructions only:" line after the six summary lines: the run echoes that line
// with them and, without a method filter, ends with the counts of its class, on the console and
// in the output text file. Order 3, complete, shows the log's six lines and its arrays only.
TEST(Sound_runs, AnOrderHeldInPartSaysSoAndACompleteOneShowsNothingNew) {
  const std::string note = "Constructions only: this order holds only its constructed arrays, 3 "
                           "of the 12 that the count tables count.";
  Temp_dir dir;
  Order_files partial = generated_order_4();
  partial.log = six_log_lines + note + "\nTo complete it: build the searched order first.\n";
  write_order(dir / "db" / "Generated", 4, partial, true);
  write_order(dir / "db" / "Generated", 3, complete_order_3(), true);
  struct Case {
    int order;
    int symmetry;
    bool filter;
    Lines arrays;              // the console's lines after the log's six lines
    std::string count_line;    // the run's last line, or empty
  };
  const Lines order_4_all = {"Welch 0",      "   0  1  3  2", "Welch 0, Rows Reversed, Symmetrical",
                             "   0  2  3  1", "Lempel 2, Transposed", "   1  3  2  0"};
  const Lines welch_only = concat({" Filtering on method: Welch 0"},
                                  Lines(order_4_all.begin(), order_4_all.begin() + 4));
  const Case cases[] = {
      {4, 1, false, order_4_all,
       "The database file held 3 arrays of order 4; the count tables list 12."},
      {4, 2, false, {"Welch 0", "   0  1  3  2"},
       "The database file held 1 essential array of order 4; the count tables list 2."},
      {4, 4, false, {}, "The database file held 0 G-symmetrical arrays of order 4; the count "
                        "tables list 8."},
      {4, 1, true, welch_only, ""},
      {3, 1, false, {"   0  2  1", "   1  0  2", "   1  2  0", "   2  0  1"}, ""},
      {3, 3, false, {"   0  2  1"}, ""},
      {3, 4, false, {}, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("order " + std::to_string(c.order) + ", class " + std::to_string(c.symmetry));
    set_options(dir.path(), [&c](Options& o) {
      o.ca_order = c.order;
      o.symmetry_type = c.symmetry;
      o.filter_by_method = c.filter;
      o.filter_method = 1;
    });
    const Run_result run = run_program("Y\n0\nY\n", dir.path());
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const Lines log = split_lines(c.order == 4 ? six_log_lines : complete_order_3().log);
    Lines text;
    for (const auto& line : log) text.emplace_back(trim(line));
    if (c.order == 4) text.push_back(note);
    Lines console = {" Output file is out.txt"};
    for (const auto& line : text) console.push_back(" " + line);
    console = concat(console, c.arrays);
    text = concat(text, c.arrays);
    if (!c.count_line.empty()) {
      console.push_back(c.count_line);
      text.push_back(c.count_line);
    }
    EXPECT_EQ(last_run(run.lines()), console);
    // The text file holds the previews' arrays whole; these are short, so the same lines.
    EXPECT_EQ(read_lines(dir / "out.txt"), text);
  }
}

// The CSV names of an output text file: a three-letter extension is replaced as it always was;
// any other name is kept whole and followed by ".csv", "_methods.csv" and "_polynomials.csv".
TEST(Sound_runs, EveryOutputNameGivesCsvNamesBesideIt) {
  struct Case {
    const char* name;
    const char* stem;   // of the CSV names
    const char* csv;
  };
  const Case cases[] = {
      {"run1.txt", "run1", "run1.csv"}, {"out", "out", "out.csv"},
      {"run.1", "run.1", "run.1.csv"},  {"run.12", "run.12", "run.12.csv"},
      {"r", "r", "r.csv"},              {"sub.d/x", "sub.d/x", "sub.d/x.csv"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Temp_dir dir;
    write_order(dir / "db" / "Generated", 4, generated_order_4(), true);
    fs::create_directories(dir / "sub.d");
    set_options(dir.path(), [&c](Options& o) {
      o.ca_order = 4;
      o.output_pathname = c.name;
      o.find_gf_polynomial = true;
      o.gf_order = 5;
    });
    const Run_result run = run_program("Y\n0\nY\n", dir.path());
    EXPECT_EQ(run.exit_status, 0) << run.err;
    std::vector<std::string> written;
    for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
      const std::string name = fs::relative(entry.path(), dir.path()).generic_string();
      if (entry.is_regular_file() && !name.starts_with("db/") && !name.ends_with("_Log.txt") &&
          name != "Vellumcairn_Options.txt") {
        written.push_back(name);
      }
    }
    std::sort(written.begin(), written.end());
    std::vector<std::string> expected = {c.name, c.csv, c.stem + std::string("_methods.csv"),
                                         c.stem + std::string("_polynomials.csv")};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(written, expected);
    EXPECT_EQ(read_lines(dir / c.csv).size(), 3u);
    EXPECT_EQ(read_lines(dir / (c.stem + std::string("_polynomials.csv"))).size(), 3u);
  }
}

// The database folder typed at choice 10, with and without its final separator: the Unix style
// ends it in "/" and never appends a backslash; the run finds the database there.
TEST(Sound_runs, DatabasePathOfThePathStyle) {
  Temp_dir dir;
  write_order(dir / "db" / "Generated", 4, generated_order_4(), true);
  write_order(dir / "db" / "Generated", 2, generated_order_4(), true);   // the prompt's check
  const std::string db = (dir / "db").string();
  const std::pair<std::string, std::string> cases[] = {
      {db + "/", unix_paths ? db + "/" : db + "/\\"},
      {db, unix_paths ? db + "/" : db + "\\"},
      {"  " + db + "/  ", unix_paths ? db + "/" : db + "/\\"},
  };
  for (const auto& [typed, kept] : cases) {
    SCOPED_TRACE(typed);
    set_options(dir.path(), [](Options& o) {
      o.ca_order = 4;
      o.database_path = "/nowhere/";
    });
    const Run_result run = run_program("Y\n10\n" + typed + "\n0\nY\n", dir.path());
    EXPECT_EQ(run.exit_status, 0) << run.err;
    const Lines lines = run.lines();
    EXPECT_TRUE(has(lines, "10 " + kept + ", Database folder"));
    EXPECT_EQ(read_lines(dir / "Vellumcairn_Options.txt").at(12),
              kept + "  ,Path for database top-level database folder");
    EXPECT_EQ(last_run(lines).at(0), " Output file is out.txt");
    EXPECT_EQ(read_lines(dir / "out.csv").size(), 3u);
  }
}
