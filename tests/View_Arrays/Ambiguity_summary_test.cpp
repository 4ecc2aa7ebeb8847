// costas_view ambiguity --summary: the maxima of its CSV rows against a brute-force count over
// every shift, for auto- and cross-ambiguity, and the refusal of too many pairs.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "View_Arrays/Ambiguity_summary.hpp"
#include "tests/support/test_support.hpp"

namespace {

using Rows = std::vector<int>;

struct Peak {
  int value = 0, dx = 0, dy = 0;
};

// Tries every shift in the order the summary names a peak (lowest dy, then lowest dx) and
// counts the columns c of a with b[c + dx] == a[c] + dy directly.
Peak brute_force(const Rows& a, const Rows& b, bool skip_origin) {
  const int na = static_cast<int>(a.size());
  const int nb = static_cast<int>(b.size());
  Peak best;
  for (int dy = 1 - na; dy < nb; ++dy) {
    for (int dx = 1 - na; dx < nb; ++dx) {
      if (skip_origin && dx == 0 && dy == 0) continue;
      int count = 0;
      for (int c = 0; c < na; ++c) count += c + dx >= 0 && c + dx < nb && b[c + dx] == a[c] + dy;
      if (count > best.value) best = {count, dx, dy};
    }
  }
  return best;
}

std::string typed(const Rows& rows) {
  std::string text;
  for (const int r : rows) text += (text.empty() ? "" : ",") + std::to_string(r);
  return text;
}

std::string peak_text(const Peak& p) {
  return std::to_string(p.value) + "," + std::to_string(p.dx) + "," + std::to_string(p.dy);
}

const std::vector<Rows> arrays = {
    {0, 2, 3, 1}, {0, 1, 2, 3}, {3, 2, 1, 0}, {1, 0, 3, 2, 4},
    {0, 2, 8, 9, 12, 4, 14, 10, 15, 13, 7, 6, 3, 11, 1, 5}, {2, 0, 1, 4, 3}};

TEST(Ambiguity_summary, AutoAmbiguityRowsMatchABruteForceCount) {
  Summary_sources sources;
  for (const Rows& a : arrays) sources.sources.push_back(typed(a));
  std::ostringstream out, err;
  ASSERT_EQ(run_ambiguity_summary(sources, out, err), 0) << err.str();
  const auto lines = split_lines(out.str());
  ASSERT_EQ(lines.size(), arrays.size() + 1);
  EXPECT_EQ(lines[0], "label,order,tag,max_off_origin,dx,dy");
  for (std::size_t i = 0; i < arrays.size(); ++i) {
    EXPECT_EQ(lines[i + 1], "argument " + std::to_string(i + 1) + "," +
                                std::to_string(arrays[i].size()) + ",," +
                                peak_text(brute_force(arrays[i], arrays[i], true)));
  }
}

TEST(Ambiguity_summary, CrossAmbiguityGivesEveryPairAndRefusesTooMany) {
  Temp_dir dir;
  std::string with;
  // A file holds arrays of one order.
  const std::vector<Rows> second = {{1, 0, 3, 2, 4}, {2, 0, 1, 4, 3}, {0, 2, 4, 1, 3}};
  for (const Rows& b : second) with += typed(b) + "\n";
  write_file(dir / "with.txt", with);
  Summary_sources sources{{typed(arrays[0]), typed(arrays[1])}, "", (dir / "with.txt").string(), "", Index_base::zero};
  std::ostringstream out, err;
  ASSERT_EQ(run_ambiguity_summary(sources, out, err), 0) << err.str();
  const auto lines = split_lines(out.str());
  ASSERT_EQ(lines.size(), 1 + 2 * 3U);
  EXPECT_EQ(lines[0], "label_a,label_b,order_a,order_b,max,dx,dy");
  for (std::size_t a = 0; a < 2; ++a) {
    for (std::size_t b = 0; b < 3; ++b) {
      const std::string row = lines[1 + a * 3 + b];
      const std::string expected = "," + std::to_string(arrays[a].size()) + "," +
                                   std::to_string(second[b].size()) + "," +
                                   peak_text(brute_force(arrays[a], second[b], false));
      EXPECT_TRUE(row.ends_with(expected)) << row << " vs " << expected;
    }
  }
  // 400 x 300 pairs are more than the limit: refused before any row.
  std::string many;
  for (int i = 0; i < 400; ++i) many += "0 2 3 1\n";
  write_file(dir / "many.txt", many);
  Summary_sources too_many{{(dir / "many.txt").string()}, "1-300", (dir / "many.txt").string(), "", Index_base::zero};
  std::ostringstream refused_out, refused_err;
  EXPECT_EQ(run_ambiguity_summary(too_many, refused_out, refused_err), 2);
  EXPECT_TRUE(refused_out.str().empty());
  EXPECT_NE(refused_err.str().find("more than 100000 pairs"), std::string::npos) << refused_err.str();
}

// A select csv file is a source: its header row is passed over, its rows r1..rN read whatever
// columns stand around them (a quoted transform with a comma, coefficients after them), its
// method column is the tag.
TEST(Ambiguity_summary, ReadsTheSelectCsvFile) {
  Temp_dir dir;
  write_file(dir / "select.csv",
             "order,line,method,flags,transform,symmetrical,g_symmetrical,r1,r2,r3,r4,r5,c0,c1,c2,c3,c4\n"
             "5,2,Welch 0;Lempel 2,00000082,\"Transpose, rotate 90 CCW\",0,0,2,1,4,3,5,-99,1,2,3,4\n"
             "5,3,,,,0,1,1,2,3,4,5,0,0,0,0,0\n");
  Summary_sources sources{{(dir / "select.csv").string()}, "", "", "", Index_base::automatic};
  std::ostringstream out, err;
  ASSERT_EQ(run_ambiguity_summary(sources, out, err), 0) << err.str();
  const auto lines = split_lines(out.str());
  ASSERT_EQ(lines.size(), 3U);
  const std::string file = "select.csv";   // labels name the file without its folder
  EXPECT_EQ(lines[1], "line 2 of " + file + ",5,\"Welch 0, Lempel 2\"," +
                          peak_text(brute_force({1, 0, 3, 2, 4}, {1, 0, 3, 2, 4}, true)));
  EXPECT_EQ(lines[2], "line 3 of " + file + ",5,," +
                          peak_text(brute_force({0, 1, 2, 3, 4}, {0, 1, 2, 3, 4}, true)));
}

}  // namespace
