// Generated orders below 28 with the exhaustive search's arrays and without them, as a user
// builds them: in one command with the searched orders, in a second command over a folder
// that holds them, and from the constructions alone.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>

#include "_Library/Costas_arrays/Costas_properties.hpp"
#include "_Library/Count_tables.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Text_layout.hpp"
#include "tests/support/test_support.hpp"

namespace {

namespace fs = std::filesystem;

Run_result run_builder(const std::vector<std::string>& args, const fs::path& dir) {
  return run_binary(MAKE_DATABASE_BINARY, args, "", dir);
}

fs::path order_file(const fs::path& folder, std::string_view kind, std::int32_t n) {
  return database_file_name(folder.string() + "/", kind, n);
}

// The method bits (flags bits 0..23) of every class of generated order n, read through the
// format module; every member of a class must carry the same bits.
std::map<Costas_perm, std::uint32_t> class_methods(const fs::path& generated, std::int32_t n) {
  const fs::path arrays = order_file(generated, all_arrays_kind, n);
  const auto lines = read_lines(arrays);
  const auto flags = read_lines(methods_file_name(arrays.string()));
  EXPECT_EQ(lines.size(), flags.size()) << arrays;
  std::map<Costas_perm, std::uint32_t> methods;
  std::vector<std::int32_t> rows(static_cast<std::size_t>(n));
  for (std::size_t i = 1; i < std::min(lines.size(), flags.size()); ++i) {
    std::string_view text = trim(lines[i]);
    take_polymorph_mark(text);
    EXPECT_EQ(read_row_indices(text, n, 1, rows), "") << arrays << " line " << i + 1;
    std::uint32_t word = 0;
    EXPECT_TRUE(read_method_flags(flags[i], word));
    const Costas_perm perm(rows.begin(), rows.end());
    const auto [it, added] = methods.emplace(class_representative(perm), word & 0xFFFFFFU);
    EXPECT_EQ(it->second, word & 0xFFFFFFU) << arrays << " line " << i + 1;
  }
  return methods;
}

// Lines that hold an array, or none for the end line.
std::int64_t array_lines(const fs::path& file) {
  const auto lines = read_lines(file);
  return lines.size() == 1 && is_end_line(lines[0]) ? 0 : static_cast<std::int64_t>(lines.size());
}

// Built once: "merged" (searched 3-12 and generated 2-12 in one command), "constructed" (the
// generated orders 2-12 alone), and "two_steps" (that folder, then searched 3-12, then
// generated 2-12 again).
class Generated_merge : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    dir_ = std::make_unique<Temp_dir>();
    merged_run_ = run_builder({"--out", "merged", "--searched", "3-12", "--generated", "2-12",
                               "--check-counts"}, dir_->path());
    constructed_run_ = run_builder({"--out", "two_steps", "--generated", "2-12", "--check-counts"},
                                   dir_->path());
    fs::copy(dir("two_steps/Generated"), dir("constructed"));
    second_runs_[0] = run_builder({"--out", "two_steps", "--searched", "3-12"}, dir_->path());
    second_runs_[1] = run_builder({"--out", "two_steps", "--generated", "2-12"}, dir_->path());
  }
  static void TearDownTestSuite() { dir_.reset(); }
  static fs::path dir(const std::string& name) { return *dir_ / name; }

  static std::unique_ptr<Temp_dir> dir_;
  static Run_result merged_run_, constructed_run_;
  static std::array<Run_result, 2> second_runs_;
};
std::unique_ptr<Temp_dir> Generated_merge::dir_;
Run_result Generated_merge::merged_run_, Generated_merge::constructed_run_;
std::array<Run_result, 2> Generated_merge::second_runs_;

TEST_F(Generated_merge, OrdersBuiltWithTheSearchMatchTheCountTables) {
  ASSERT_EQ(merged_run_.exit_status, 0) << merged_run_.err;
  const fs::path generated = dir("merged/Generated");
  for (std::int32_t n = 2; n <= 12; ++n) {
    SCOPED_TRACE("order " + std::to_string(n));
    const Order_counts table = database_counts(n);
    EXPECT_EQ(array_lines(order_file(generated, all_arrays_kind, n)) - 1, table.all);
    EXPECT_EQ(array_lines(order_file(generated, essential_kind, n)), table.essential);
    EXPECT_EQ(array_lines(order_file(generated, symmetrical_kind, n)), table.symmetrical);
    EXPECT_EQ(array_lines(order_file(generated, g_symmetrical_kind, n)), table.g_symmetrical);
  }
  EXPECT_NE(merged_run_.out.find("Count check: 21 orders match the count tables, 0 hold constructions only, 0 lack the "
                                  "arrays only the search finds (generated 29), 0 differ\n"),
            std::string::npos)
      << merged_run_.out;
  EXPECT_EQ(merged_run_.err.find("constructed arrays"), std::string::npos) << merged_run_.err;
}

// The search adds its classes with bit 0; every class the constructions give keeps the bit it
// has without the search (the flag rule looks at the families alone), and the log counts the
// arrays of each bit.
TEST_F(Generated_merge, SearchBitMarksExactlyTheClassesNoConstructionYields) {
  for (std::int32_t n = 2; n <= 12; ++n) {
    SCOPED_TRACE("order " + std::to_string(n));
    const auto merged = class_methods(dir("merged/Generated"), n);
    const auto constructed = class_methods(dir("constructed"), n);
    std::size_t search_classes = 0;
    for (const auto& [rep, bits] : merged) {
      const auto it = constructed.find(rep);
      if (it == constructed.end()) {
        EXPECT_EQ(bits, 1U);
        ++search_classes;
      } else {
        EXPECT_EQ(bits, it->second);
      }
    }
    EXPECT_EQ(merged.size(), constructed.size() + search_classes);
  }
  // Order 12: 7852 arrays, 280 of them constructed, 224 of those from a family in one step.
  const auto log = read_lines(order_file(dir("merged/Generated"), log_kind, 12));
  EXPECT_NE(std::find(log.begin(), log.end(), "Search              7628"), log.end());
  EXPECT_NE(std::find(log.begin(), log.end(),
                      "Source: algebraic constructions and exhaustive search"), log.end());
}

TEST_F(Generated_merge, OrderWithoutSearchResultsSaysSo) {
  ASSERT_EQ(constructed_run_.exit_status, 0) << constructed_run_.err;
  const auto& out = constructed_run_.out;
  const auto& err = constructed_run_.err;
  // Orders 3 and 4 are complete from the constructions; 5-12 are not.
  for (std::int32_t n = 3; n <= 12; ++n) {
    SCOPED_TRACE("order " + std::to_string(n));
    const std::string order = std::to_string(n);
    const bool short_of_arrays = n >= 5;
    EXPECT_EQ(err.find("make_database: generated order " + order +
                       " holds only its constructed arrays") != std::string::npos,
              short_of_arrays);
    EXPECT_EQ(out.find("Generated order " + order + ": constructions only, built ") !=
                  std::string::npos, short_of_arrays);
    const auto log = read_lines(order_file(dir("constructed"), log_kind, n));
    EXPECT_EQ(std::any_of(log.begin(), log.end(), is_constructions_only_line), short_of_arrays);
    const auto merged_log = read_lines(order_file(dir("merged/Generated"), log_kind, n));
    EXPECT_FALSE(std::any_of(merged_log.begin(), merged_log.end(), is_constructions_only_line));
  }
  EXPECT_NE(err.find("make_database: generated order 12 holds only its constructed arrays, 280 of "
                     "the 7852 that the count tables count. To complete it: add --searched 12 "),
            std::string::npos) << err;
  EXPECT_NE(err.find("(an estimate from the measured "), std::string::npos) << err;
  EXPECT_NE(out.find("Generated order 12: constructions only, built 280/39/8/48, count tables "
                     "7852/990/17/176"), std::string::npos) << out;
  EXPECT_NE(out.find("Count check: 3 orders match the count tables, 8 hold constructions only, 0 lack "
                     "the arrays only the search finds (generated 29), 0 differ\n"), std::string::npos) << out;
}

// A generated order built over a searched order already on disk is the one built in the same
// command, byte for byte; it replaces the constructions-only files.
TEST_F(Generated_merge, SecondCommandGivesTheSameFiles) {
  ASSERT_EQ(second_runs_[0].exit_status, 0) << second_runs_[0].err;
  ASSERT_EQ(second_runs_[1].exit_status, 0) << second_runs_[1].err;
  EXPECT_EQ(second_runs_[1].err.find("constructed arrays"), std::string::npos);
  std::size_t files = 0;
  for (const auto& entry : fs::directory_iterator(dir("merged/Generated"))) {
    const fs::path other = dir("two_steps/Generated") / entry.path().filename();
    EXPECT_EQ(read_file(entry.path()), read_file(other)) << other;
    ++files;
  }
  EXPECT_EQ(files, 11U * 9U);
  EXPECT_EQ(std::distance(fs::directory_iterator(dir("two_steps/Generated")),
                          fs::directory_iterator()),
            static_cast<std::ptrdiff_t>(files));
}

// A searched order on disk that cannot be read ends the generated build with status 1 and a
// line that names the file and the fault.
TEST(Generated_merge_damage, UnreadableSearchedOrderEndsTheBuild) {
  struct Case {
    const char* what;
    std::size_t line;       // zero-based line of the all-arrays file replaced
    const char* text;
    const char* fault;
  };
  const Case cases[] = {
      {"a row twice", 3, "0 0 1 2 3", "Sorted_Costas_arrays_N=5.txt, line 4: not a Costas array"},
      {"a header count too high", 0, "    5  41",
       "Sorted_Costas_arrays_N=5.txt: the header counts 41 arrays, the file holds 40"},
      {"a row out of range", 7, "0 1 2 3 9", "line 8: row index 9 is outside 0 to 4"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Temp_dir dir;
    ASSERT_EQ(run_builder({"--out", "db", "--searched", "5"}, dir.path()).exit_status, 0);
    const fs::path file = dir / "db/Searches/Sorted_Costas_arrays_N=5.txt";
    auto lines = read_lines(file);
    lines.at(c.line) = c.text;
    std::string text;
    for (const auto& line : lines) text += line + "\n";
    write_file(file, text);
    const auto run = run_builder({"--out", "db", "--generated", "5"}, dir.path());
    EXPECT_EQ(run.exit_status, 1);
    EXPECT_NE(run.err.find("make_database: generated order 5 not written: searched order 5 cannot be read: "),
              std::string::npos)
        << run.err;
    EXPECT_NE(run.err.find(c.fault), std::string::npos) << run.err;
    EXPECT_FALSE(fs::exists(dir / "db/Generated/Costas_essense_N=5.txt"));
  }
}

}  // namespace
