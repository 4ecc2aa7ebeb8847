// The search of one order in units, through the make_database binary: units merged into the
// same files as a single-process build, merges refused for missing or damaged units, complete
// units left alone, killed units redone.
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <functional>
#include <map>
#include <set>
#include <spawn.h>
#include <sys/wait.h>
#include <thread>

#include "Make_Database/Builder_options.hpp"
#include "Make_Database/Search_units.hpp"
#include "tests/support/test_support.hpp"

extern char** environ;

namespace {

namespace fs = std::filesystem;

Run_result run_builder(const std::vector<std::string>& args, const fs::path& dir) {
  return run_binary(MAKE_DATABASE_BINARY, args, "", dir);
}

Run_result builder_on(const std::string& out, int n, const std::string& option, const std::string& value,
                      const fs::path& dir) {
  return run_builder({"--out", out, "--searched", std::to_string(n), option, value, "--jobs", "2"}, dir);
}

fs::path unit_path(const fs::path& db, int n, int units, int k) {
  return db / "Searches" / ".units" / std::to_string(n) / std::to_string(units) / ("unit_" + std::to_string(k) + ".txt");
}

// Starts make_database on one unit of order n with one thread and returns its process id
// (0 when it could not be started); the caller waits for it.
pid_t start_unit(const std::string& out, int n, const std::string& unit) {
  const std::string binary = MAKE_DATABASE_BINARY;
  std::vector<std::string> args = {binary, "--out", out, "--searched", std::to_string(n), "--unit", unit, "--jobs", "1"};
  std::vector<char*> argv;
  for (auto& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  pid_t pid = 0;
  return ::posix_spawn(&pid, binary.c_str(), nullptr, nullptr, argv.data(), environ) == 0 ? pid : 0;
}

// The files of every order in db/Searches (not the unit folder), name by name.
std::map<std::string, std::string> searched_files(const fs::path& db) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::directory_iterator(db / "Searches")) {
    if (entry.is_regular_file()) files[entry.path().filename().string()] = read_file(entry.path());
  }
  return files;
}

TEST(Search_units, MergedUnitsAreByteForByteASingleProcessBuild) {
  Temp_dir dir;
  ASSERT_EQ(run_builder({"--out", "single", "--searched", "12", "--jobs", "2"}, dir.path()).exit_status, 0);
  const auto single = searched_files(dir / "single");
  ASSERT_EQ(single.size(), 5U);
  for (const int units : {1, 7, 64}) {
    SCOPED_TRACE(units);
    const std::string db = "units" + std::to_string(units);
    for (int k = 1; k <= units; ++k) {
      const auto run = builder_on(db, 12, "--unit", std::to_string(k) + "/" + std::to_string(units), dir.path());
      ASSERT_EQ(run.exit_status, 0) << run.err;
    }
    const auto status = builder_on(db, 12, "--status", std::to_string(units), dir.path());
    EXPECT_NE(status.out.find(std::to_string(units) + (units == 1 ? " unit: " : " units: ") + std::to_string(units) +
                              " done, 0 missing"),
              std::string::npos)
        << status.out;
    const auto merge = builder_on(db, 12, "--merge", std::to_string(units), dir.path());
    ASSERT_EQ(merge.exit_status, 0) << merge.err;
    EXPECT_NE(merge.out.find("Count check: order 12 matches the count tables"), std::string::npos);
    EXPECT_EQ(searched_files(dir / db), single);
    EXPECT_FALSE(fs::exists(dir / db / "Searches" / ".units"));
  }
}

TEST(Search_units, ACompleteUnitIsNotSearchedAgainAndStatusCountsWhatIsLeft) {
  Temp_dir dir;
  for (int k = 1; k <= 4; ++k) ASSERT_EQ(builder_on("db", 12, "--unit", std::to_string(k) + "/7", dir.path()).exit_status, 0);
  const fs::path file = unit_path(dir / "db", 12, 7, 3);
  const std::string bytes = read_file(file);
  const auto written = fs::last_write_time(file);
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  const auto again = builder_on("db", 12, "--unit", "3/7", dir.path());
  EXPECT_EQ(again.exit_status, 0);
  EXPECT_NE(again.out.find("Unit 3 of 7 of order 12 is already complete"), std::string::npos) << again.out;
  EXPECT_EQ(read_file(file), bytes);
  EXPECT_EQ(fs::last_write_time(file), written);

  const auto status = builder_on("db", 12, "--status", "7", dir.path());
  ASSERT_EQ(status.exit_status, 0);
  EXPECT_NE(status.out.find("Order 12 in 7 units: 4 done, 3 missing"), std::string::npos) << status.out;
  EXPECT_NE(status.out.find("Missing or damaged units: 5-7"), std::string::npos) << status.out;
  EXPECT_NE(status.out.find("Processor time spent: "), std::string::npos);
  EXPECT_NE(status.out.find("Left: "), std::string::npos);
}

// Each damage of one unit makes the merge name that unit (and the missing one) and write nothing.
TEST(Search_units, MergeNamesEveryMissingOrDamagedUnitAndWritesNothing) {
  struct Damage {
    const char* name;
    std::function<std::string(std::string)> apply;
    const char* reason;
  };
  const Damage damages[] = {
      {"wrong checksum",
       [](std::string text) {
         const auto at = text.find("Checksum: ") + 10;
         text[at] = text[at] == '0' ? '1' : '0';
         return text;
       },
       "is damaged: checksum"},
      {"array line changed",
       [](std::string text) {
         // The last digit of the first array line, still a row within the order.
         const auto line = text.find('\n', text.find("Processor seconds")) + 1;
         const auto at = text.find('\n', line) - 1;
         text[at] = text[at] == '0' ? '1' : '0';
         return text;
       },
       "is damaged: checksum"},
      {"end cut off", [](std::string text) { return text.substr(0, text.size() / 2); }, "is damaged"},
      {"another number of units",
       [](std::string text) { return text.replace(text.find(" of 7 "), 6, " of 8 "); },
       "is damaged: its header reads 'Search unit 2 of 8 of order 12'"},
      {"another plan",
       [](std::string text) {
         const auto at = text.find("Plan: ") + 6;
         text[at] = text[at] == '0' ? '1' : '0';
         return text;
       },
       "was planned by a different program version: rerun it"},
  };
  Temp_dir dir;
  for (int k = 1; k <= 7; ++k) {
    if (k == 5) continue;
    ASSERT_EQ(builder_on("db", 12, "--unit", std::to_string(k) + "/7", dir.path()).exit_status, 0);
  }
  const fs::path unit2 = unit_path(dir / "db", 12, 7, 2);
  const std::string intact = read_file(unit2);
  for (const auto& damage : damages) {
    SCOPED_TRACE(damage.name);
    write_file(unit2, damage.apply(intact));
    const auto merge = builder_on("db", 12, "--merge", "7", dir.path());
    EXPECT_EQ(merge.exit_status, 1);
    EXPECT_NE(merge.err.find("unit 5 of 7 of order 12 is missing"), std::string::npos) << merge.err;
    EXPECT_NE(merge.err.find(std::string("unit 2 of 7 of order 12 ") + damage.reason), std::string::npos)
        << merge.err;
    EXPECT_EQ(split_lines(merge.err).size(), 3U) << merge.err;   // the two units and the verdict
    EXPECT_EQ(searched_files(dir / "db"), (std::map<std::string, std::string>{}));
    EXPECT_TRUE(fs::exists(unit_path(dir / "db", 12, 7, 1)));
  }
  // Rerunning the damaged unit replaces it; with unit 5 searched the merge succeeds.
  ASSERT_EQ(builder_on("db", 12, "--unit", "2/7", dir.path()).exit_status, 0);
  const auto without_time = [](const std::string& text) {
    const auto line = text.find("Processor seconds");
    return text.substr(0, line) + text.substr(text.find('\n', line));
  };
  EXPECT_EQ(without_time(read_file(unit2)), without_time(intact));
  ASSERT_EQ(builder_on("db", 12, "--unit", "5/7", dir.path()).exit_status, 0);
  EXPECT_EQ(builder_on("db", 12, "--merge", "7", dir.path()).exit_status, 0);
}

TEST(Search_units, AUnitKilledInMidSearchLeavesNoCompleteFileAndItsRerunCompletesIt) {
  Temp_dir dir;
  const std::string out = (dir / "db").string();
  const pid_t pid = start_unit(out, 14, "1/1");
  ASSERT_GT(pid, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(200));
  ::kill(pid, SIGKILL);
  int status = 0;
  ::waitpid(pid, &status, 0);
  // However far it got, a unit file under the final name is a complete one.
  const std::string folder = (dir / "db" / "Searches" / ".units" / "14" / "1").string() + "/";
  const std::uint64_t plan = plan_digest(plan_search_units(14, 1));
  Unit_record record;
  const std::string after_kill = read_unit_file(folder, 14, 1, 1, plan, record);
  EXPECT_TRUE(after_kill.empty() || after_kill == "is missing") << after_kill;

  const auto rerun = builder_on(out, 14, "--unit", "1/1", dir.path());
  ASSERT_EQ(rerun.exit_status, 0) << rerun.err;
  EXPECT_EQ(read_unit_file(folder, 14, 1, 1, plan, record), "");
  for (const auto& entry : fs::directory_iterator(folder)) {
    EXPECT_EQ(entry.path().filename().string().find(".part"), std::string::npos) << entry.path();
  }
  const auto merge = builder_on(out, 14, "--merge", "1", dir.path());
  EXPECT_EQ(merge.exit_status, 0) << merge.err;
  EXPECT_NE(merge.out.find("Count check: order 14 matches the count tables"), std::string::npos);
}

// Two runs of one unit at once: the second, started while the first searches, says so and
// exits 1; the first completes the unit, and its file is whole.
TEST(Search_units, AUnitRunTwiceAtOnceRunsOnce) {
  Temp_dir dir;
  const std::string out = (dir / "db").string();
  const pid_t first = start_unit(out, 13, "1/2");
  ASSERT_GT(first, 0);
  const fs::path folder = dir / "db" / "Searches" / ".units" / "13" / "2";
  const fs::path lock = folder / "unit_1.txt.lock";
  for (int poll = 0; poll < hang_guard_polls && !fs::exists(lock); ++poll) {
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ASSERT_TRUE(fs::exists(lock));
  const auto second = builder_on(out, 13, "--unit", "1/2", dir.path());
  int status = 0;
  ::waitpid(first, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(second.exit_status, 1) << second.out << second.err;
  EXPECT_NE(second.err.find("make_database: unit 1 of 2 of order 13 is being searched by another run, which holds " +
                            (folder / "unit_1.txt.lock").string() + ": this run stops and leaves its files alone"),
            std::string::npos)
      << second.err;
  Unit_record record;
  EXPECT_EQ(read_unit_file(folder.string() + "/", 13, 1, 2, plan_digest(plan_search_units(13, 2)), record), "");
  EXPECT_FALSE(record.arrays.empty());
}

TEST(Search_units, UnitOptionsNeedOneSearchedOrderAndValidUnits) {
  const std::vector<std::vector<std::string>> bad = {
      {"--out", "d", "--searched", "12", "--unit", "0/3"},
      {"--out", "d", "--searched", "12", "--unit", "4/3"},
      {"--out", "d", "--searched", "12", "--unit", "3"},
      {"--out", "d", "--searched", "12", "--merge", "0"},
      {"--out", "d", "--searched", "12", "--merge", "2/3"},
      {"--out", "d", "--searched", "12", "--unit", "1/2", "--merge", "2"},
      {"--out", "d", "--searched", "11-12", "--status", "2"},
      {"--out", "d", "--unit", "1/2"},
      {"--out", "d", "--searched", "12", "--generated", "12", "--merge", "2"},
  };
  for (const auto& args : bad) {
    Builder_options options;
    EXPECT_FALSE(parse_builder_options(args, options).empty()) << testing::PrintToString(args);
  }
  Builder_options options;
  ASSERT_EQ(parse_builder_options({"--out", "d", "--searched", "12", "--unit=3/7"}, options), "");
  EXPECT_EQ(options.units_command, Builder_options::Units_command::unit);
  EXPECT_EQ(options.unit, 3);
  EXPECT_EQ(options.units, 7);
  EXPECT_FALSE(options.jobs_given);
}

// The plan covers every branch once, depends on n and K only, and its units weigh about the same.
TEST(Search_units, ThePlanGivesEveryBranchToOneUnitAndBalancesTheirWeight) {
  const Unit_plan plan = plan_search_units(13, 20);
  const Unit_plan again = plan_search_units(13, 20);
  EXPECT_EQ(plan.unit_of, again.unit_of);
  EXPECT_GE(plan.branches.size(), 16U * 20U);
  std::uint64_t total = 0, heaviest = 0;
  for (const auto w : plan.unit_weights) {
    total += w;
    heaviest = std::max(heaviest, w);
  }
  std::uint64_t sum = 0;
  for (const auto w : plan.weights) sum += w;
  EXPECT_EQ(total, sum);
  EXPECT_LE(heaviest * 20, total * 11 / 10);
  std::set<Search_prefix> distinct(plan.branches.begin(), plan.branches.end());
  EXPECT_EQ(distinct.size(), plan.branches.size());
}

}  // namespace
