// make_database refuses before it writes, through the binary: each case sets up a damage or a
// hostile argument in a copy of one small database tree, runs one command and checks its exit
// status, the one line that names the problem and every byte of the tree (the working folder
// included) unchanged.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sys/stat.h>

#include "Make_Database/Search_units.hpp"
#include "tests/support/test_support.hpp"

namespace {

namespace fs = std::filesystem;

Run_result run_builder(const std::vector<std::string>& args, const fs::path& dir) {
  return run_binary(MAKE_DATABASE_BINARY, args, "", dir);
}

// Every file under dir with its bytes (a FIFO by its name only, never opened).
std::map<std::string, std::string> tree(const fs::path& dir) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(dir)) {
    const std::string name = fs::relative(entry.path(), dir).string();
    if (entry.is_regular_file()) {
      files[name] = read_file(entry.path());
    } else if (!entry.is_directory()) {
      files[name] = "(not a regular file)";
    } else {
      files[name + "/"] = "";
    }
  }
  return files;
}

// The lines of a file with one changed by edit (which may erase it) and the file written back.
void edit_lines(const fs::path& file, const std::function<void(std::vector<std::string>&)>& edit) {
  auto lines = read_lines(file);
  edit(lines);
  std::string text;
  for (const auto& line : lines) text += line + "\n";
  write_file(file, text);
}

const fs::path searched = fs::path("db") / "Searches";
const fs::path generated = fs::path("db") / "Generated";
const fs::path units_10 = searched / ".units" / "10" / "3";

// Drops the first drop array lines of a unit file and makes its header agree again, so that
// only the merge's count check can find it short.
void shorten_unit(const fs::path& file, std::size_t drop) {
  Unit_record record;
  const std::string folder = file.parent_path().string() + "/";
  ASSERT_EQ(read_unit_file(folder, 10, 2, 3, plan_digest(plan_search_units(10, 3)), record), "");
  edit_lines(file, [&](std::vector<std::string>& lines) {
    lines.erase(lines.begin() + 5, lines.begin() + 5 + static_cast<long>(drop));
    record.arrays.erase(record.arrays.begin(), record.arrays.begin() + static_cast<long>(drop));
    char checksum[40];
    std::snprintf(checksum, sizeof checksum, "Checksum: %016llx",
                  static_cast<unsigned long long>(unit_checksum(record.arrays)));
    lines[2] = "Arrays: " + std::to_string(record.arrays.size());
    lines[3] = checksum;
  });
}

// Removes the lines of the first class of an all-arrays file (its plain line and its
// Polymorph lines) and makes its header count the rest.
void drop_first_class(const fs::path& file) {
  edit_lines(file, [](std::vector<std::string>& lines) {
    std::size_t end = 2;
    while (lines[end].starts_with("Polymorph")) ++end;
    lines.erase(lines.begin() + 1, lines.begin() + static_cast<long>(end));
    char header[32];
    std::snprintf(header, sizeof header, "%5d%5zu", 10, lines.size() - 1);
    lines[0] = header;
  });
}

// Adds extra to the count of the log line that starts with key.
void add_to_log_count(const fs::path& log, const std::string& key, int extra) {
  edit_lines(log, [&](std::vector<std::string>& lines) {
    for (auto& line : lines) {
      if (!line.starts_with(key)) continue;
      const auto colon = line.rfind(' ');
      line = line.substr(0, colon + 1) + std::to_string(std::stoi(line.substr(colon + 1)) + extra);
    }
  });
}

void make_fifo(const fs::path& file) {
  fs::remove(file);
  ASSERT_EQ(::mkfifo(file.c_str(), 0644), 0);
}

struct Refusal {
  const char* name;
  std::function<void(const fs::path&)> damage;   // in the copy of the tree
  std::vector<std::string> args;
  int exit_status;
  std::string line;                              // the line that names the problem
};

class Builder_refusals : public testing::Test {
 protected:
  // Searched and generated 9-10 (complete from the search), and units 1-3 of 3 of order 10.
  static void SetUpTestSuite() {
    base_ = new Temp_dir;
    const auto build = run_builder({"--out", "db", "--searched", "9-10", "--generated", "9-10"}, base_->path());
    ASSERT_EQ(build.exit_status, 0) << build.err;
    for (const char* unit : {"1/3", "2/3", "3/3"}) {
      ASSERT_EQ(run_builder({"--out", "db", "--searched", "10", "--unit", unit}, base_->path()).exit_status, 0);
    }
  }
  static void TearDownTestSuite() { delete base_; }

  static void check(const Refusal& refusal) {
    SCOPED_TRACE(refusal.name);
    Temp_dir dir;
    fs::copy(base_->path(), dir.path(), fs::copy_options::recursive);
    if (refusal.damage) refusal.damage(dir.path());
    const auto before = tree(dir.path());
    const auto run = run_builder(refusal.args, dir.path());
    EXPECT_EQ(run.exit_status, refusal.exit_status) << run.out << run.err;
    std::vector<std::string> naming;
    for (const auto& line : split_lines(run.out + run.err)) {
      if (line.find(refusal.line) != std::string::npos) naming.push_back(line);
    }
    EXPECT_EQ(naming.size(), 1U) << "no one line holds '" << refusal.line << "':\n" << run.out << run.err;
    EXPECT_EQ(tree(dir.path()), before);
  }

  static Temp_dir* base_;
};

Temp_dir* Builder_refusals::base_ = nullptr;

const std::vector<std::string> merge_10 = {"--out", "db", "--searched", "10", "--merge", "3"};

TEST_F(Builder_refusals, ChecksFailBeforeAnythingIsWritten) {
  const Refusal refusals[] = {
      {"a short unit is not merged over a good order",
       [](const fs::path& d) { shorten_unit(d / units_10 / "unit_2.txt", 60); }, merge_10, 1,
       "Sorted_Costas_arrays_N=10.txt not written: the units hold "},
      {"a unit of another plan",
       [](const fs::path& d) {
         edit_lines(d / units_10 / "unit_3.txt", [](auto& lines) { lines[1] = "Plan: 0123456789abcdef"; });
       },
       merge_10, 1, "unit 3 of 3 of order 10 was planned by a different program version: rerun it"},
      {"merge with another K names the split that is there", {},
       {"--out", "db", "--searched", "10", "--merge", "4"}, 1,
       "Units of order 10 cut into 3 units are in db/Searches/.units/10/"},
      {"a searched order lacking a class is no source for a generated order",
       [](const fs::path& d) { drop_first_class(d / searched / "Sorted_Costas_arrays_N=10.txt"); },
       {"--out", "db", "--generated", "10"}, 1,
       "generated order 10 not written: searched order 10 is incomplete or damaged: "
       "db/Searches/Sorted_Costas_arrays_N=10.txt holds 2152/"},
      {"a FIFO as the searched source",
       [](const fs::path& d) { make_fifo(d / searched / "Sorted_Costas_arrays_N=10.txt"); },
       {"--out", "db", "--generated", "10"}, 1, "Sorted_Costas_arrays_N=10.txt: a FIFO, not a regular file"},
      {"a K beyond the branches of the order", {}, {"--out", "db", "--searched", "3", "--status", "5"}, 2,
       "order 3 cannot be cut into 5 units: its search has 2 branches to share, so at most 2 units"},
      {"a K beyond the limit", {}, {"--out", "db", "--searched", "27", "--status", "1000000"}, 2,
       "--status needs a number of units 1-100000, not '1000000'"},
      {"options path without a separator", {}, {"--write-options", "./db"}, 1,
       "--write-options ./db: it does not end with a separator"},
      {"options path too long", {}, {"--write-options", "/" + std::string(130, 'a') + "/"}, 1,
       "it has 132 characters, and the options file keeps 129 at most"},
      {"options path in the database's Generated folder", {}, {"--write-options", "./db/Generated/"}, 1,
       "it names the database's own Generated folder"},
      {"options path refused before a build", {},
       {"--out", "db2", "--searched", "3", "--write-options", "./db2"}, 1, "does not end with a separator"},
      {"a FIFO in place of the options file", [](const fs::path& d) { make_fifo(d / "Vellumcairn_Options.txt"); },
       {"--write-options", "./db/"}, 1, "cannot write Vellumcairn_Options.txt: it is a FIFO, not a regular file"},
      {"an option --verify ignores", {}, {"--verify", "db", "--jobs", "2"}, 2, "it takes no --out, --write-options, --jobs"},
  };
  for (const auto& refusal : refusals) check(refusal);
}

const std::vector<std::string> verify_generated(const char* orders) {
  return {"--verify", "db", "--generated", orders};
}

TEST_F(Builder_refusals, TheVerifierNamesWhatTheCountsHide) {
  const Refusal refusals[] = {
      {"a symmetrical line twice, the log counting it",
       [](const fs::path& d) {
         const fs::path file = d / generated / "Costas_symmetrical_N=9.txt";
         edit_lines(file, [](auto& lines) { lines.push_back(lines[0]); });
         edit_lines(d / generated / "Costas_symmetrical_N=9.txt_methods.txt", [](auto& lines) { lines.push_back(lines[0]); });
         add_to_log_count(d / generated / "Costas_log_N=9.txt", "Number of symmetrical", 1);
       },
       verify_generated("9"), 1, "Costas_symmetrical_N=9.txt, line 11: a second array of the class of line 1"},
      {"a G-symmetrical line deleted, the log counting without it",
       [](const fs::path& d) {
         edit_lines(d / generated / "Costas_G-Symmetrical_N=10.txt", [](auto& lines) { lines.erase(lines.begin() + 2); });
         edit_lines(d / generated / "Costas_G-Symmetrical_N=10.txt_methods.txt",
                    [](auto& lines) { lines.erase(lines.begin() + 2); });
         add_to_log_count(d / generated / "Costas_log_N=10.txt", "Number of unique G-symmetrical", -1);
       },
       verify_generated("10"), 1, "Costas_G-Symmetrical_N=10.txt: lacks a G-symmetrical array of the class on line"},
      {"a FIFO among the files is one problem line",
       [](const fs::path& d) { make_fifo(d / generated / "Costas_G-Symmetrical_N=9.txt"); },
       verify_generated("9"), 1, "Costas_G-Symmetrical_N=9.txt: a FIFO, not a regular file: not read"},
      {"an order beyond those known",
       [](const fs::path& d) { write_file(d / generated / "Costas_log_N=501.txt", "x\n"); }, {"--verify", "db"}, 1,
       "Costas_log_N=501.txt: order 501 lies beyond the orders 1-500 this verifier knows: not verified"},
      {"text after the end line is one problem",
       [](const fs::path& d) {
         write_file(d / searched / "Costas_G-Symmetrical_N=9.txt", "No G-symmetrical Costas arrays.\n0 1\n");
       },
       {"--verify", "db", "--searched", "9"}, 1, "Costas_G-Symmetrical_N=9.txt, line 2: text after the end line"},
  };
  for (const auto& refusal : refusals) check(refusal);
}

// The problem line of text after an end line is the file's only one: no line of a read status.
TEST_F(Builder_refusals, TextAfterTheEndLineGivesNoSecondLine) {
  Temp_dir dir;
  fs::copy(base_->path(), dir.path(), fs::copy_options::recursive);
  write_file(dir / "db" / "Searches" / "Costas_G-Symmetrical_N=9.txt", "No G-symmetrical Costas arrays.\n0 1\n2 3\n");
  const auto run = run_builder({"--verify", "db", "--searched", "9"}, dir.path());
  EXPECT_EQ(run.exit_status, 1);
  int lines_of_file = 0;
  for (const auto& line : run.lines()) lines_of_file += line.find("Costas_G-Symmetrical_N=9.txt") != std::string::npos;
  EXPECT_EQ(lines_of_file, 1) << run.out;
  EXPECT_EQ(run.lines().back(), "Verified 1 order of db: 1 with problems, 1 problem");
}

// Units of two K live side by side, and a merge removes the order's whole work folder.
TEST_F(Builder_refusals, SplitsOfDifferentKStandSideBySide) {
  Temp_dir dir;
  fs::copy(base_->path(), dir.path(), fs::copy_options::recursive);
  const auto k3 = tree(dir / "db" / "Searches" / ".units" / "10" / "3");
  const auto other = run_builder({"--out", "db", "--searched", "10", "--unit", "1/8"}, dir.path());
  ASSERT_EQ(other.exit_status, 0) << other.err;
  EXPECT_TRUE(fs::exists(dir / "db" / "Searches" / ".units" / "10" / "8" / "unit_1.txt"));
  EXPECT_EQ(tree(dir / "db" / "Searches" / ".units" / "10" / "3"), k3);
  const auto status = run_builder({"--out", "db", "--searched", "10", "--status", "3"}, dir.path());
  EXPECT_NE(status.out.find("Order 10 in 3 units: 3 done, 0 missing"), std::string::npos) << status.out;
  const auto merge = run_builder(merge_10, dir.path());
  ASSERT_EQ(merge.exit_status, 0) << merge.err;
  EXPECT_NE(merge.out.find("Merged 3 units of order 10: 2160 arrays"), std::string::npos) << merge.out;
  EXPECT_FALSE(fs::exists(dir / "db" / "Searches" / ".units"));
}

}  // namespace
