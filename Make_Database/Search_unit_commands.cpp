#include "Make_Database/Search_unit_commands.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <ctime>
#include <filesystem>
#include <ostream>

#include "Make_Database/Builder_options.hpp"
#include "Make_Database/Costas_class_set.hpp"
#include "Make_Database/Database_writer.hpp"
#include "Make_Database/Count_check.hpp"
#include "Make_Database/Search_units.hpp"
#include "_Library/Console_io.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/File_locks.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

std::string seconds_text(double seconds) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f", seconds);
  return text;
}

std::string of_order(std::int32_t units, std::int32_t n) {
  return " of " + std::to_string(units) + " of order " + std::to_string(n);
}

// "1, 4-7, 9": the units (1-based, ascending) as runs.
std::string unit_runs(const std::vector<std::int32_t>& units) {
  std::string text;
  for (std::size_t i = 0; i < units.size();) {
    std::size_t j = i;
    while (j + 1 < units.size() && units[j + 1] == units[j] + 1) ++j;
    if (!text.empty()) text += ", ";
    text += std::to_string(units[i]);
    if (j > i) text.append(1, '-').append(std::to_string(units[j]));
    i = j + 1;
  }
  return text;
}

// The threads of a command on units: --jobs when it was given, else the processors this
// process was granted.
int unit_jobs(const Builder_options& options) {
  return options.jobs_given ? options.jobs : granted_cpus();
}

// Removes the work folder of order n with everything in it (the units of every K, their locks,
// stale temporary files and the job logs of the scripts), then the folder of all units when it
// is left empty.
void remove_units(const std::string& out, std::int32_t n) {
  std::error_code error;
  const std::filesystem::path folder(order_units_folder(out, n));
  std::filesystem::remove_all(folder, error);
  std::filesystem::remove(folder.parent_path().parent_path(), error);   // only when empty
}

// Removes the file of unit k and the temporary files of its earlier runs, which were killed:
// only the holder of the unit's lock calls it.
void remove_unfinished(const std::string& folder, std::int32_t k) {
  std::error_code error;
  const std::string name = unit_file_name(folder, k);
  std::filesystem::remove(name, error);
  const std::string temporary = std::filesystem::path(name).filename().string() + ".part";
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    if (entry.path().filename().string().starts_with(temporary)) std::filesystem::remove(entry.path(), error);
  }
}

// The numbers of units, other than units, whose folders beside it hold unit files.
std::vector<std::int32_t> other_splits(const std::string& out, std::int32_t n, std::int32_t units) {
  std::vector<std::int32_t> found;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(order_units_folder(out, n), error)) {
    std::int32_t k = 0;
    if (!entry.is_directory(error) || !parse_whole(entry.path().filename().string(), k) || k == units) continue;
    for (const auto& file : std::filesystem::directory_iterator(entry.path(), error)) {
      const std::string name = file.path().filename().string();
      if (name.starts_with("unit_") && name.ends_with(".txt")) {
        found.push_back(k);
        break;
      }
    }
  }
  std::sort(found.begin(), found.end());
  return found;
}

// One line when the units of another K lie beside the K asked for; empty otherwise.
std::string other_splits_hint(const std::string& out, std::int32_t n, std::int32_t units) {
  const auto others = other_splits(out, n, units);
  if (others.empty()) return {};
  return "Units of order " + std::to_string(n) + " cut into " + unit_runs(others) + " units are in " +
         order_units_folder(out, n) + ": give that number of units";
}

// The last line of --status: what is left, at the pace of the units done.
std::string time_left_line(std::size_t missing, std::int32_t units, double seconds,
                           std::uint64_t work_done, std::uint64_t work_left) {
  if (missing == 0) return "Left: nothing; merge with --merge " + std::to_string(units);
  if (work_done == 0 || seconds <= 0) {
    return "Left: " + counted(static_cast<std::int64_t>(missing), "unit", "units") +
           "; no estimate of their time until a unit has taken measurable time";
  }
  const double left = seconds * static_cast<double>(work_left) / static_cast<double>(work_done);
  return "Left: about " + seconds_text(left) +
         " s of processor time (the missing units' share of the work at the done units' pace)";
}

// The plan of the units of a command, or the message that refuses its K as too large for the
// order.
std::optional<Unit_plan> plan_or_refusal(std::int32_t n, std::int32_t units, Console& console) {
  Unit_plan plan = plan_search_units(n, units);
  if (const std::size_t largest = largest_sensible_units(plan); static_cast<std::size_t>(units) > largest) {
    console.err() << "make_database: order " << n << " cannot be cut into " << units
                  << " units: its search has " << counted(static_cast<std::int64_t>(largest), "branch", "branches")
                  << " to share, so at most " << largest << " units\n";
    return std::nullopt;
  }
  return plan;
}

// The branches of unit k (1-based) in plan.
std::vector<Search_prefix> unit_branches(const Unit_plan& plan, std::int32_t k) {
  std::vector<Search_prefix> mine;
  for (std::size_t i = 0; i < plan.branches.size(); ++i) {
    if (plan.unit_of[i] == k - 1) mine.push_back(plan.branches[i]);
  }
  return mine;
}

// Takes the lock of unit k, or says why not: another run holds it, or it cannot be taken.
bool lock_unit(Exclusive_lock& lock, const std::string& folder, std::int32_t n, std::int32_t k,
               std::int32_t units, Console& console) {
  const int status = lock.acquire(unit_lock_name(folder, k));
  if (status == status_ok) return true;
  if (status == EWOULDBLOCK) {
    console.err() << "make_database: unit " << k << of_order(units, n)
                  << " is being searched by another run, which holds " << unit_lock_name(folder, k)
                  << ": this run stops and leaves its files alone\n";
  } else {
    console.err() << "make_database: cannot lock " << unit_lock_name(folder, k) << ": "
                  << iostat_message(status) << '\n';
  }
  return false;
}

// Reads units 1..K of order n into classes; each missing or damaged unit gets its line on the
// error stream. Returns how many there were.
std::int64_t read_units(const std::string& folder, std::int32_t n, std::int32_t units,
                        std::uint64_t digest, Costas_class_set& classes, Console& console) {
  std::int64_t bad = 0;
  for (std::int32_t k = 1; k <= units; ++k) {
    Unit_record record;
    if (const auto wrong = read_unit_file(folder, n, k, units, digest, record); !wrong.empty()) {
      console.err() << "make_database: unit " << k << of_order(units, n) << " " << wrong << " ("
                    << unit_file_name(folder, k) << ")\n";
      ++bad;
    }
    // add reduces each array to its class, so the arrays go in as the units hold them.
    for (const auto& a : record.arrays) classes.add(a, 0);
  }
  return bad;
}

}  // namespace

int run_search_unit(const Builder_options& options, Console& console) {
  const std::int32_t n = options.searched.from, k = options.unit, units = options.units;
  const std::clock_t start = std::clock();
  const auto plan = plan_or_refusal(n, units, console);
  if (!plan) return 2;
  const std::string folder = units_folder(options.out, n, units);
  const std::string title = "Unit " + std::to_string(k) + of_order(units, n);
  const std::uint64_t digest = plan_digest(*plan);
  Unit_record record;
  if (read_unit_file(folder, n, k, units, digest, record).empty()) {
    console.line(title + " is already complete: " + unit_file_name(folder, k));
    return 0;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    console.err() << "make_database: cannot create folder " << folder << ": " << error.message() << '\n';
    return 1;
  }
  Exclusive_lock lock;
  if (!lock_unit(lock, folder, n, k, units, console)) return 1;
  // Another run may have completed the unit while this one made its plan. A damaged file, or
  // one of another plan, is replaced, and what killed runs left is removed: while this run
  // holds the lock no other run writes there.
  if (read_unit_file(folder, n, k, units, digest, record).empty()) {
    console.line(title + " is already complete: " + unit_file_name(folder, k));
    return 0;
  }
  remove_unfinished(folder, k);
  const auto mine = unit_branches(*plan, k);
  record = Unit_record{n, k, units, digest, 0, {}};
  record.arrays = search_branch_arrays(n, mine, unit_jobs(options));
  record.processor_seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  bool name_taken = false;
  if (const std::string failure = write_unit_file(folder, record, name_taken); !failure.empty()) {
    console.err() << "make_database: " << failure << (name_taken ? "; this run leaves it alone" : "") << '\n';
    return 1;
  }
  console.line(title + ": " + counted(static_cast<std::int64_t>(mine.size()), "branch", "branches") + ", " +
               counted(static_cast<std::int64_t>(record.arrays.size()), "array", "arrays") + ", " +
               seconds_text(record.processor_seconds) + " s of processor time");
  return 0;
}

int merge_search_units(const Builder_options& options, Console& console) {
  const std::int32_t n = options.searched.from, units = options.units;
  const auto plan = plan_or_refusal(n, units, console);
  if (!plan) return 2;
  const std::string folder = units_folder(options.out, n, units);
  Costas_class_set classes;
  const std::int64_t bad = read_units(folder, n, units, plan_digest(*plan), classes, console);
  if (bad > 0) {
    if (const auto hint = other_splits_hint(options.out, n, units); !hint.empty()) {
      console.err() << "make_database: " << hint << '\n';
    }
    console.err() << "make_database: order " << n << " not merged: " << bad << " of " << units
                  << (units == 1 ? " unit" : " units") << " missing or damaged\n";
    return 1;
  }
  const std::string out = (std::filesystem::path(options.out) / searched_folder).string() + "/";
  // The checks run on the classes before a file is written: a failed one leaves the order's
  // files as they were.
  const Class_counts counts = classes.counts();
  std::string failure = identity_failure(n, counts);
  if (failure.empty() && counts != expected_counts(n)) {
    failure = "the units hold " + held_and_table_counts(counts, expected_counts(n));
  }
  if (!failure.empty()) {
    console.err() << "make_database: " << database_file_name(out, all_arrays_kind, n) << " not written: "
                  << failure << '\n';
    return 1;
  }
  const auto result = write_order_files(out, n, classes, false, "exhaustive search", unit_jobs(options));
  if (!result.failure.empty()) {
    console.err() << "make_database: " << result.failure << '\n';
    return 1;
  }
  remove_units(options.out, n);
  console.line("Merged " + counted(units, "unit", "units") + " of order " + std::to_string(n) + ": " +
               counted(result.counts.all, "array", "arrays") + " into " + out);
  console.line("Count check: order " + std::to_string(n) + " matches the count tables");
  return 0;
}

int report_search_units(const Builder_options& options, Console& console) {
  const std::int32_t n = options.searched.from, units = options.units;
  const auto plan = plan_or_refusal(n, units, console);
  if (!plan) return 2;
  const std::string folder = units_folder(options.out, n, units);
  const std::uint64_t digest = plan_digest(*plan);
  std::vector<std::int32_t> missing;
  std::vector<std::string> wrong_lines;
  std::size_t arrays = 0;
  double seconds = 0;
  std::uint64_t work_done = 0, work_left = 0;
  for (std::int32_t k = 1; k <= units; ++k) {
    Unit_record record;
    const std::uint64_t work = plan->unit_weights[static_cast<std::size_t>(k) - 1];
    if (const auto wrong = read_unit_file(folder, n, k, units, digest, record); wrong.empty()) {
      arrays += record.arrays.size();
      seconds += record.processor_seconds;
      work_done += work;
    } else {
      missing.push_back(k);
      work_left += work;
      if (wrong != "is missing") wrong_lines.push_back("Unit " + std::to_string(k) + " " + wrong);
    }
  }
  const auto done = static_cast<std::int32_t>(units) - static_cast<std::int32_t>(missing.size());
  console.line("Order " + std::to_string(n) + " in " + counted(units, "unit", "units") + ": " +
               std::to_string(done) + " done, " + std::to_string(missing.size()) + " missing");
  if (!missing.empty()) console.line("Missing or damaged units: " + unit_runs(missing));
  for (const auto& line : wrong_lines) console.line(line);
  if (done == 0) {
    if (const auto hint = other_splits_hint(options.out, n, units); !hint.empty()) console.line(hint);
  }
  console.line("Arrays found so far: " + std::to_string(arrays) + " (before the 8 transforms)");
  console.line("Processor time spent: " + seconds_text(seconds) + " s");
  console.line(time_left_line(missing.size(), units, seconds, work_done, work_left));
  return 0;
}
