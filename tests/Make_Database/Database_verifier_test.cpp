// make_database --verify on a database the builder wrote, clean and with one fault at a time.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

#include "Make_Database/Count_check.hpp"
#include "Make_Database/Make_database_run.hpp"
#include "tests/support/test_support.hpp"

namespace {

namespace fs = std::filesystem;

struct Verify_run {
  int status;
  std::vector<std::string> lines;
};

Verify_run run_verify(const std::vector<std::string>& args) {
  Scripted_console console;
  const int status = run_make_database(args, console.console, false);
  return {status, console.lines()};
}

void write_lines(const fs::path& file, const std::vector<std::string>& lines) {
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  for (const auto& line : lines) out << line << '\n';
}

// Searched orders 3-8 and generated orders 2-12, built once for every test of the suite.
class Database_verifier : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    built_ = new Temp_dir;
    Scripted_console console;
    ASSERT_EQ(run_make_database({"--out", (built_->path() / "db").string(), "--searched", "3-8",
                                 "--generated", "2-12"},
                                console.console, false),
              0)
        << console.err.str();
  }
  static void TearDownTestSuite() {
    delete built_;
    built_ = nullptr;
  }
  // A fresh copy of the built database.
  fs::path copy_database() {
    const fs::path copy = work_.path() / "db";
    fs::remove_all(copy);
    fs::copy(built_->path() / "db", copy, fs::copy_options::recursive);
    return copy;
  }
  static Temp_dir* built_;
  Temp_dir work_;
};

Temp_dir* Database_verifier::built_ = nullptr;

// The problem lines of a run: every line but the summaries of the orders, of the run and of
// the count check.
std::vector<std::string> problem_lines(const std::vector<std::string>& lines) {
  std::vector<std::string> problems;
  for (const auto& line : lines) {
    if (!line.starts_with("Searched order ") && !line.starts_with("Generated order ") &&
        !line.starts_with("Verified ") && !line.starts_with("Count check: ")) {
      problems.push_back(line);
    }
  }
  return problems;
}

TEST_F(Database_verifier, CleanDatabaseVerifies) {
  const fs::path db = copy_database();
  const auto run = run_verify({"--verify", db.string()});
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(problem_lines(run.lines), std::vector<std::string>{});
  ASSERT_EQ(run.lines.size(), 18U);
  EXPECT_EQ(run.lines[3], "Searched order 6: 116 arrays, 17 essential, 5 symmetrical, 16 G-symmetrical; well");
  EXPECT_EQ(run.lines[17], "Verified 17 orders of " + db.string() + ": all well");
  // A range of its own: only those orders.
  const auto part = run_verify({"--verify", db.string(), "--generated", "6-7"});
  EXPECT_EQ(part.status, 0);
  EXPECT_EQ(part.lines.size(), 3U);
}

// Each fault of a copy gives its one line, naming the file and the line, and exit status 1.
TEST_F(Database_verifier, EachDamageGivesItsLine) {
  using Lines = std::vector<std::string>;
  struct Case {
    const char* what;
    const char* file;   // under the database folder
    std::function<void(Lines&)> damage;   // of the file's lines; the file goes when it empties
    std::string expected;                 // after the database folder
  };
  const std::string g6 = "Generated/Sorted_Costas_arrays_N=6.txt";
  const Case cases[] = {
      {"a missing file", "Generated/Costas_G-Symmetrical_N=6.txt", [](Lines& l) { l.clear(); },
       "/Generated/Costas_G-Symmetrical_N=6.txt: missing"},
      {"a short line", g6.c_str(), [](Lines& l) { l[4] = "1 2 5"; },
       "/" + g6 + ", line 5: 3 row indices where the order needs 6"},
      {"a non-Costas array", g6.c_str(), [](Lines& l) { l[4] = "1 2 3 4 5 6"; },
       "/" + g6 + ", line 5: not a Costas array"},
      {"a wrong header count", g6.c_str(), [](Lines& l) { l[0] = "   6  101"; },
       "/" + g6 + ", line 1: the header counts 101 arrays, the file holds 116"},
      {"a methods file one line short", "Generated/Sorted_Costas_arrays_N=6.txt_methods.txt",
       [](Lines& l) { l.pop_back(); },
       "/" + g6 + "_methods.txt, line 117: missing: the methods file ends before its arrays file"},
      {"a non-symmetric array in the symmetrical file", "Generated/Costas_symmetrical_N=6.txt",
       [](Lines& l) { l[0] = "1 2 5 4 6 3"; },
       "/Generated/Costas_symmetrical_N=6.txt, line 1: not symmetric about the diagonal"},
      {"a log count that disagrees", "Generated/Costas_log_N=6.txt",
       [](Lines& l) { l[2] = "Number of unique Costas arrays: 99"; },
       "/Generated/Costas_log_N=6.txt, line 3: counts 99 arrays, the all-arrays file holds 116"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path db = copy_database();
    Lines lines = read_lines(db / c.file);
    c.damage(lines);
    if (lines.empty()) {
      fs::remove(db / c.file);
    } else {
      write_lines(db / c.file, lines);
    }
    const auto run = run_verify({"--verify", db.string()});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(problem_lines(run.lines), Lines{db.string() + c.expected});
    EXPECT_NE(std::find(run.lines.begin(), run.lines.end(),
                        "Verified 17 orders of " + db.string() + ": 1 with problems, 1 problem"),
              run.lines.end());
  }
}

// A second array of a class in the essential set: here a transform of its first array (the
// Polymorph line after it in the all-arrays file), with the log's count raised to match.
TEST_F(Database_verifier, DuplicatedClassInTheEssentialSet) {
  const fs::path db = copy_database();
  const fs::path essential = db / "Searches" / "Costas_essense_N=6.txt";
  std::vector<std::string> lines = read_lines(essential);
  const std::string member = read_lines(db / "Searches" / "Sorted_Costas_arrays_N=6.txt")[2];
  ASSERT_TRUE(member.starts_with("Polymorph: "));
  lines.push_back(member.substr(11));
  write_lines(essential, lines);
  const fs::path log = db / "Searches" / "Costas_log_N=6.txt";
  std::vector<std::string> log_lines = read_lines(log);
  ASSERT_EQ(log_lines[3], "Number of essential Costas arrays: 17");
  log_lines[3] = "Number of essential Costas arrays: 18";
  write_lines(log, log_lines);
  const auto run = run_verify({"--verify", db.string(), "--searched", "6"});
  EXPECT_EQ(run.status, 1);
  EXPECT_EQ(problem_lines(run.lines),
            std::vector<std::string>{essential.string() + ", line 18: a second array of the class of line 1"});
}

// The count check: searched orders match the tables; a generated order that lacks arrays is
// a problem unless its log says it holds constructions only (orders 11 and 12 are built
// without the search's arrays; the note goes from order 11's log).
TEST_F(Database_verifier, CountCheckTellsConstructionsOnlyFromDamage) {
  const fs::path db = copy_database();
  const fs::path log = db / "Generated" / "Costas_log_N=11.txt";
  std::vector<std::string> lines = read_lines(log);
  const auto noted = std::erase_if(lines, [](const std::string& line) {
    return line.starts_with("Constructions only:") || line.starts_with("To complete it:");
  });
  ASSERT_EQ(noted, 2U);
  write_lines(log, lines);
  const auto run = run_verify({"--verify", db.string(), "--searched", "8", "--generated", "11-12",
                               "--check-counts"});
  EXPECT_EQ(run.status, 1);
  const std::string order_11 = db.string() + "/Generated/Sorted_Costas_arrays_N=11.txt: the files hold ";
  const auto problems = problem_lines(run.lines);
  ASSERT_EQ(problems.size(), 1U);
  EXPECT_TRUE(problems[0].starts_with(order_11)) << problems[0];
  EXPECT_TRUE(problems[0].ends_with(" where the count tables list 4368/555/18/0 "
                                    "(all/essential/symmetrical/G-symmetrical)"));
  EXPECT_TRUE(run.lines[0].ends_with("; well; matches the count tables")) << run.lines[0];
  EXPECT_NE(run.lines[3].find("; well; constructions only: "), std::string::npos) << run.lines[3];
  EXPECT_EQ(run.lines.back(), "Count check: 1 order matches the count tables, 1 holds constructions only, "
                         "0 lack the arrays only the search finds (generated 29), 1 differs");
}

TEST_F(Database_verifier, BadArgumentsGiveStatusTwo) {
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"--verify", (work_.path() / "none").string()},
        {"--verify", work_.path().string(), "--out", "db"},
        {"--verify", work_.path().string(), "--generated", "1-3"}}) {
    Scripted_console console;
    EXPECT_EQ(run_make_database(args, console.console, false), 2) << testing::PrintToString(args);
    EXPECT_EQ(console.out.str(), "");
  }
}

}  // namespace

// Only the documented differences from the count tables pass the count check: an order built
// from its constructions alone within the tables, and generated order 29 at exactly the counts
// of its constructions.
TEST(Count_standing, OnlyTheDocumentedDifferencesPass) {
  struct Case {
    std::int32_t n;
    bool generated;
    Class_counts counts;
    bool constructions_only;
    Count_standing expected;
  };
  const Case cases[] = {
      {11, false, {4368, 555, 18, 0}, false, Count_standing::matches},
      {11, false, {4360, 554, 18, 0}, false, Count_standing::differs},
      {11, true, {4360, 554, 18, 0}, true, Count_standing::constructions_only},
      {11, true, {4376, 556, 18, 0}, true, Count_standing::differs},   // above the tables
      {29, true, {148, 21, 5, 0}, false, Count_standing::search_only_missing},
      {29, true, {140, 20, 5, 0}, false, Count_standing::differs},
      {29, false, {148, 21, 5, 0}, false, Count_standing::differs},
      {30, true, {148, 21, 5, 0}, false, Count_standing::differs},
  };
  Count_tally tally;
  for (const Case& c : cases) {
    EXPECT_EQ(count_standing(c.n, c.generated, c.counts, c.constructions_only), c.expected)
        << c.n << " " << counts_text(c.counts);
    tally.add(count_standing(c.n, c.generated, c.counts, c.constructions_only));
  }
  EXPECT_EQ(count_tally_line(tally), "Count check: 1 order matches the count tables, 1 holds constructions only, "
                                     "1 lacks the arrays only the search finds (generated 29), 5 differ");
}
