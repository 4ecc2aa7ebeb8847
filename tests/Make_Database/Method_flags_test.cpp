// The method bit of every class of a built database against the families of the flag table,
// made here again from their definitions with plain field arithmetic (no tables, none of the
// builder's code), and make_database --verify --check-methods on that database and on copies
// with one flag changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "Make_Database/Make_database_run.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Text_layout.hpp"
#include "tests/support/test_support.hpp"

namespace {

namespace fs = std::filesystem;
using Perm = std::vector<int>;

// ---- Plain arithmetic of GF(q): elements are the base-p digit vectors of 0..q-1 ----

struct Plain_field {
  int p = 0, k = 0, q = 0;
  std::vector<int> modulus;   // monic, degree k, low coefficient first (without the x^k term)

  std::vector<int> digits(int a) const {
    std::vector<int> d(static_cast<std::size_t>(k));
    for (auto& x : d) { x = a % p; a /= p; }
    return d;
  }
  int number(const std::vector<int>& d) const {
    int a = 0;
    for (auto it = d.rbegin(); it != d.rend(); ++it) a = a * p + *it;
    return a;
  }
  int add(int a, int b) const {
    int sum = 0;
    for (int i = 0, place = 1; i < k; ++i, place *= p, a /= p, b /= p) sum += (a % p + b % p) % p * place;
    return sum;
  }
  int mul(int a, int b) const {
    const auto x = digits(a), y = digits(b);
    std::vector<int> z(static_cast<std::size_t>(2 * k), 0);
    for (int i = 0; i < k; ++i)
      for (int j = 0; j < k; ++j) z[i + j] = (z[i + j] + x[i] * y[j]) % p;
    for (int d = 2 * k - 1; d >= k; --d) {   // x^k = -(modulus)
      const int c = z[d];
      z[d] = 0;
      for (int i = 0; i < k; ++i) z[d - k + i] = ((z[d - k + i] - c * modulus[i]) % p + p) % p;
    }
    z.resize(static_cast<std::size_t>(k));
    return number(z);
  }
  int power(int a, int e) const {
    int r = 1;
    for (int i = 0; i < e; ++i) r = mul(r, a);
    return r;
  }

  int multiplicative_order(int a) const {
    int r = a, m = 1;
    while (r != 1) { r = mul(r, a); ++m; }
    return m;
  }
  std::vector<int> primitive_elements() const {
    std::vector<int> out;
    for (int a = 1; a < q; ++a)
      if (multiplicative_order(a) == q - 1) out.push_back(a);
    return out;
  }
};

// GF(q) for a prime power q, with a modulus under which x generates the whole group.
std::optional<Plain_field> plain_field(int q) {
  int p = 2;
  while (q % p != 0) ++p;
  int k = 0;
  for (int r = q; r > 1; r /= p) {
    if (r % p != 0) return std::nullopt;
    ++k;
  }
  Plain_field f{p, k, q, std::vector<int>(static_cast<std::size_t>(k))};
  if (k == 1) return f;   // modulus x: the element x is 0, products are plain residues
  for (int m = 0; m < q; ++m) {
    f.modulus = f.digits(m);
    if (f.modulus[0] == 0) continue;
    const int x = p;   // the digit vector (0, 1, 0, ...)
    std::set<int> seen;
    for (int r = 1, i = 0; i < q - 1; ++i, r = f.mul(r, x)) seen.insert(r);
    if (static_cast<int>(seen.size()) == q - 1) return f;
  }
  return std::nullopt;
}

// ---- Arrays, classes and corner operations ----

// No two pairs of dots at the same column distance have the same row difference; distances are
// taken from the shortest, where most permutations fail.
bool costas(const Perm& a) {
  const auto n = static_cast<int>(a.size());
  static std::vector<unsigned> seen;   // cell == stamp: that difference was seen at this distance
  static unsigned stamp = 0;
  if (seen.size() < static_cast<std::size_t>(2 * n)) seen.resize(static_cast<std::size_t>(2 * n));
  for (int d = 1; d < n; ++d) {
    ++stamp;
    for (int i = 0; i + d < n; ++i) {
      unsigned& cell = seen[static_cast<std::size_t>(a[static_cast<std::size_t>(i + d)] -
                                                     a[static_cast<std::size_t>(i)] + n)];
      if (cell == stamp) return false;
      cell = stamp;
    }
  }
  return true;
}

Perm class_key(const Perm& a) {
  const int n = static_cast<int>(a.size());
  Perm inverse(a.size());
  for (int c = 0; c < n; ++c) inverse[static_cast<std::size_t>(a[static_cast<std::size_t>(c)])] = c;
  Perm best;
  for (const Perm& base : {a, inverse}) {
    for (int t = 0; t < 4; ++t) {
      Perm b = base;
      if (t & 1) for (int& x : b) x = n - 1 - x;
      if (t & 2) std::reverse(b.begin(), b.end());
      if (best.empty() || b < best) best = b;
    }
  }
  return best;
}

// Dots as (column, row) pairs, 1-based on the Golomb grid 1..q-2.
using Dots = std::set<std::pair<int, int>>;

// The array of the dots that remain after removing some, rows and columns closed up.
Perm without(const Perm& a, const Dots& gone_zero_based) {
  Perm out;
  for (int c = 0; c < static_cast<int>(a.size()); ++c) {
    const int r = a[static_cast<std::size_t>(c)];
    if (gone_zero_based.contains({c, r})) continue;
    int row = r;
    for (const auto& [gc, gr] : gone_zero_based) row -= gr < r ? 1 : 0;
    out.push_back(row);
  }
  return out;
}

// a with dots added: each of `corners` is 0 (bottom left), 1 (top left), 2 (bottom right),
// 3 (top right) of the grown array.
Perm with_corners(const Perm& a, const std::vector<int>& corners) {
  const int n = static_cast<int>(a.size() + corners.size());
  bool left = false, bottom = false;
  for (int k : corners) { left |= (k & 2) == 0; bottom |= (k & 1) == 0; }
  Perm out(static_cast<std::size_t>(n), -1);
  for (int k : corners) out[static_cast<std::size_t>((k & 2) ? n - 1 : 0)] = (k & 1) ? n - 1 : 0;
  for (std::size_t c = 0; c < a.size(); ++c) out[c + (left ? 1 : 0)] = a[c] + (bottom ? 1 : 0);
  return out;
}

// ---- The families of the flag table at order n ----

class Reference {
 public:
  // class key -> lowest bit of the families that yield it at order n
  std::map<Perm, int> labels(int n) {
    labels_.clear();
    welch(n);
    golomb(n);
    return labels_;
  }

 private:
  void mark(const Perm& a, int bit) {
    const auto [it, added] = labels_.try_emplace(class_key(a), bit);
    if (!added) it->second = std::min(it->second, bit);
  }

  static std::vector<Perm> welch_arrays(int p) {
    std::vector<Perm> out;
    const auto f = plain_field(p);
    if (!f || f->k != 1 || p < 3) return out;
    for (int g : f->primitive_elements())
      for (int s = 0; s < p - 1; ++s) {
        Perm a;
        for (int i = 0; i < p - 1; ++i) a.push_back(f->power(g, i + s) - 1);
        out.push_back(a);
      }
    return out;
  }

  void welch(int n) {
    for (const Perm& a : welch_arrays(n + 1)) mark(a, 1);                 // Welch 0
    for (const Perm& a : welch_arrays(n + 2))                              // Welch 1
      for (int k = 0; k < 4; ++k) {
        const int c = (k & 2) ? n : 0, r = (k & 1) ? n : 0;
        if (a[static_cast<std::size_t>(c)] == r) mark(without(a, {{c, r}}), 2);
      }
    for (const Perm& a : welch_arrays(n + 3))                              // Welch 2: g = 2, shift 0
      if (a[0] == 0 && a[1] == 1) mark(without(a, {{0, 0}, {1, 1}}), 3);
    for (const Perm& a : welch_arrays(n + 4)) {                            // Welch 3
      Dots square;
      for (int c = 0; c < 3; ++c) if (a[static_cast<std::size_t>(c)] < 3) square.insert({c, a[static_cast<std::size_t>(c)]});
      if (square.size() == 3) mark(without(a, square), 4);
    }
    for (const Perm& a : welch_arrays(n))                                  // Rickard W 0
      for (int k = 0; k < 4; ++k)
        if (const Perm b = with_corners(a, {k}); costas(b)) mark(b, 18);
  }

  // The Golomb array of (alpha, beta) over f as 0-based rows, and its dots (1-based).
  static Perm golomb_array(const Plain_field& f, int alpha, int beta) {
    std::vector<int> alpha_to(static_cast<std::size_t>(f.q), 1), beta_to(alpha_to);
    for (std::size_t i = 1; i < alpha_to.size(); ++i) {
      alpha_to[i] = f.mul(alpha_to[i - 1], alpha);
      beta_to[i] = f.mul(beta_to[i - 1], beta);
    }
    Perm a;
    for (int i = 1; i <= f.q - 2; ++i)
      for (int j = 1; j <= f.q - 2; ++j)
        if (f.add(alpha_to[static_cast<std::size_t>(i)], beta_to[static_cast<std::size_t>(j)]) == 1) a.push_back(j - 1);
    return a;
  }

  // Whether the Golomb array a (0-based rows) holds the 1-based dot (i, j).
  static bool has(const Perm& a, int i, int j) { return a[static_cast<std::size_t>(i - 1)] == j - 1; }

  struct Golomb {
    int alpha, beta;
    Perm array;
  };
  // Every Golomb array over GF(q), made once per field.
  const std::vector<Golomb>& golomb_arrays(const Plain_field& f) {
    auto [it, added] = golomb_.try_emplace(f.q);
    if (added) {
      const auto pes = f.primitive_elements();
      for (int alpha : pes)
        for (int beta : pes) it->second.push_back({alpha, beta, golomb_array(f, alpha, beta)});
    }
    return it->second;
  }

  void golomb(int n) {
    for (int d = 0; d <= 5; ++d) {
      const int q = n + d;
      const auto f = plain_field(q);
      if (!f || q < 4) continue;
      for (const Golomb& g : golomb_arrays(*f)) golomb_family(*f, d, g.alpha, g.beta, g.array);
      if (d == 1 && q <= 53) torus_windows(golomb_arrays(*f));
    }
  }

  void golomb_family(const Plain_field& f, int d, int alpha, int beta, const Perm& a) {
    const int e = f.q - 2;   // the last index of the grid
    const auto gone = [&a](const Dots& dots) {
      Dots zero;
      for (const auto& [i, j] : dots) zero.insert({i - 1, j - 1});
      return without(a, zero);
    };
    if (d == 0)
      for (const auto& corners : {std::vector<int>{0, 3}, std::vector<int>{1, 2}})
        if (const Perm b = with_corners(a, corners); costas(b)) mark(b, 5);   // Taylor 0
    if (d == 1)
      for (int k = 0; k < 4; ++k)
        if (const Perm b = with_corners(a, {k}); costas(b)) mark(b, 6);       // Taylor 1
    if (d == 2) mark(a, alpha == beta ? 7 : 8);                              // Lempel 2, Golomb 2
    const bool sum_1 = f.add(alpha, beta) == 1;                             // dot (1, 1)
    if (d == 3 && sum_1) mark(gone({{1, 1}}), alpha == beta ? 9 : 10);      // Lempel 3, Golomb 3
    if (d == 3 && sum_1 && alpha == beta) mark(gone({{1, 1}}), 10);
    if (d == 4) {
      if (sum_1 && has(a, 2, 2)) mark(gone({{1, 1}, {2, 2}}), 12);           // Golomb 4
      if (alpha == beta && has(a, 1, 2) && has(a, 2, 1)) mark(gone({{1, 2}, {2, 1}}), 13);
      if (sum_1 && has(a, e, 2)) mark(gone({{1, 1}, {e, 2}}), 14);           // Golomb S4
      if (sum_1 && has(a, 2, e)) mark(gone({{1, 1}, {2, e}}), 14);
    }
    if (d == 5 && sum_1 && has(a, 2, e) && has(a, e, 2)) mark(gone({{1, 1}, {2, e}, {e, 2}}), 15);
  }

  // The Golomb pattern on the (q-1)-torus, shifted by (u, v), with the dot (u, v) added.
  void torus_windows(const std::vector<Golomb>& arrays) {
    for (const auto& [alpha, beta, a] : arrays) {
      const int m = static_cast<int>(a.size()) + 1;
      Perm w(static_cast<std::size_t>(m));
      for (int u = 0; u < m; ++u)
        for (int v = 0; v < m; ++v) {
          if (u == 0 && v == 0) continue;
          w[static_cast<std::size_t>(u)] = v;
          for (int i = 1; i < m; ++i)
            w[static_cast<std::size_t>((i + u) % m)] = (a[static_cast<std::size_t>(i - 1)] + 1 + v) % m;
          if (!costas(w)) continue;
          bool symmetric = true;
          for (int c = 0; c < m; ++c) symmetric &= w[static_cast<std::size_t>(w[static_cast<std::size_t>(c)])] == c;
          mark(w, symmetric ? 17 : alpha != beta ? 16 : 19);
        }
    }
  }

  std::map<Perm, int> labels_;
  std::map<int, std::vector<Golomb>> golomb_;
};

// ---- The database ----

struct Flagged_line {
  std::size_t line;   // 0-based in the file
  Perm array;         // 0-based rows
  std::uint32_t flags;
};

fs::path generated_file(const fs::path& db, std::string_view kind, int n) {
  return database_file_name((db / "Generated").string() + "/", kind, n);
}

std::vector<Flagged_line> essential_lines(const fs::path& db, int n) {
  const fs::path file = generated_file(db, essential_kind, n);
  const auto lines = read_lines(file);
  const auto methods = read_lines(methods_file_name(file.string()));
  std::vector<Flagged_line> out;
  std::vector<std::int32_t> rows(static_cast<std::size_t>(n));
  for (std::size_t i = 0; i < lines.size() && i < methods.size(); ++i) {
    std::string_view text = trim(lines[i]);
    if (is_end_line(text)) continue;
    take_polymorph_mark(text);
    if (!read_row_indices(text, n, 1, rows).empty()) continue;
    std::uint32_t flags = 0;
    EXPECT_TRUE(read_method_flags(methods[i], flags));
    out.push_back({i, Perm(rows.begin(), rows.end()), flags});
  }
  return out;
}

constexpr int top_order = 40;

void every_class_carries_the_lowest_family_that_yields_it(const fs::path& db) {
  Reference reference;
  std::map<int, int> classes_per_bit;
  for (int n = 2; n <= top_order; ++n) {
    SCOPED_TRACE("order " + std::to_string(n));
    const auto labels = reference.labels(n);
    std::set<Perm> held;
    for (const Flagged_line& line : essential_lines(db, n)) {
      const Perm key = class_key(line.array);
      held.insert(key);
      const auto it = labels.find(key);
      const int expected = it == labels.end() ? 0 : it->second;
      const std::uint32_t methods = line.flags & 0xFFFFFFU;
      EXPECT_EQ(methods, 1U << expected) << "essential line " << line.line + 1;
      ++classes_per_bit[expected];
    }
    for (const auto& [key, bit] : labels) EXPECT_TRUE(held.contains(key)) << "bit " << bit;
  }
  // Every family labels some class in 2-40 but Welch 3 and Lempel 4 (unused) and the symmetric
  // and Lempel torus windows, which lower bits always yield too.
  for (int bit : {0, 1, 2, 3, 5, 6, 7, 8, 9, 10, 12, 13, 14, 15, 16, 18}) {
    EXPECT_GT(classes_per_bit[bit], 0) << "bit " << bit;
  }
}

void verifier_names_each_wrong_flag_in_one_line(const fs::path& db) {
  struct Case {
    const char* what;
    int order;
    int carried;    // the bit of the class chosen (-1: any)
    int written;    // the bit written in its place
    const char* words;
  };
  const Case cases[] = {
      {"no field of order 15", 14, -1, 6,
       "say Taylor 1 (bit 6), which does not yield this class at order 14; expected "},
      {"Lempel 2 written as Golomb 2", 15, 7, 8,
       "say Golomb 2 (bit 8), but a lower bit's family yields this class too; expected Lempel 2 (bit 7)"},
      {"a class only the search yields", 10, 0, 8,
       "say Golomb 2 (bit 8), which does not yield this class at order 10; expected Search (bit 0)"},
  };
  Temp_dir work;
  {
    Scripted_console console;
    EXPECT_EQ(run_make_database({"--verify", db.string(), "--check-methods"}, console.console, false), 0);
    EXPECT_NE(console.out.str().find(": all well\n"), std::string::npos) << console.out.str();
  }
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path copy = work / "db";
    fs::remove_all(copy);
    fs::copy(db, copy, fs::copy_options::recursive);
    const auto lines = essential_lines(copy, c.order);
    const auto chosen = std::find_if(lines.begin(), lines.end(), [&c](const Flagged_line& l) {
      return c.carried < 0 || (l.flags & 0xFFFFFFU) == 1U << c.carried;
    });
    ASSERT_NE(chosen, lines.end());
    const fs::path methods = methods_file_name(generated_file(copy, essential_kind, c.order).string());
    auto text = read_lines(methods);
    text.at(chosen->line) = methods_line((chosen->flags & ~0xFFFFFFU) | 1U << c.written);
    std::string joined;
    for (const auto& line : text) joined += line + "\n";
    write_file(methods, joined);

    Scripted_console console;
    const int status = run_make_database({"--verify", copy.string(), "--check-methods"}, console.console, false);
    EXPECT_EQ(status, 1);
    std::vector<std::string> problems;
    for (const auto& line : console.lines()) {
      if (line.find("_N=") != std::string::npos && line.find(", line ") != std::string::npos) problems.push_back(line);
    }
    ASSERT_EQ(problems.size(), 1U) << console.out.str();
    EXPECT_NE(problems[0].find("Costas_essense_N=" + std::to_string(c.order) + ".txt, line " +
                               std::to_string(chosen->line + 1) + ": "),
              std::string::npos) << problems[0];
    EXPECT_NE(problems[0].find(c.words), std::string::npos) << problems[0];
  }
}

// One database (searched 3-12 merged into generated 2-40) serves both checks: building it is
// most of the time under the sanitizers.
TEST(Method_flags, EveryClassCarriesItsLowestFamilyAndTheVerifierNamesEachWrongFlag) {
  Temp_dir built;
  Scripted_console console;
  ASSERT_EQ(run_make_database({"--out", (built.path() / "db").string(), "--searched", "3-12",
                               "--generated", "2-" + std::to_string(top_order)},
                              console.console, false),
            0)
      << console.err.str();
  {
    SCOPED_TRACE("the flags against the families");
    every_class_carries_the_lowest_family_that_yields_it(built.path() / "db");
  }
  SCOPED_TRACE("the verifier");
  verifier_names_each_wrong_flag_in_one_line(built.path() / "db");
}

}  // namespace
