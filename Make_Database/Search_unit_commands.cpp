#include "Make_Database/Search_unit_commands.hpp"

#include <cstdio>
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

// Removes the unit files of order n (and stale temporary files) and the unit folder when it is
// left empty, then the folder of all units when that is empty too.
void remove_units(const std::string& folder, std::int32_t units) {
  std::error_code error;
  for (std::int32_t k = 1; k <= units; ++k) {
    std::filesystem::remove(unit_file_name(folder, k), error);
    std::filesystem::remove(unit_file_name(folder, k) + ".part", error);
  }
  const std::filesystem::path path(folder);
  std::filesystem::remove(path.parent_path(), error);   // only when empty
  std::filesystem::remove(path.parent_path().parent_path(), error);
}

}  // namespace

int run_search_unit(const Builder_options& options, Console& console) {
  const std::int32_t n = options.searched.from, k = options.unit, units = options.units;
  const std::string folder = units_folder(options.out, n);
  const std::string title = "Unit " + std::to_string(k) + of_order(units, n);
  Unit_record record;
  if (read_unit_file(folder, n, k, units, record).empty()) {
    console.line(title + " is already complete: " + unit_file_name(folder, k));
    return 0;
  }
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) {
    console.err() << "make_database: cannot create folder " << folder << ": " << error.message() << '\n';
    return 1;
  }
  const std::clock_t start = std::clock();
  const Unit_plan plan = plan_search_units(n, units);
  std::vector<Search_prefix> mine;
  for (std::size_t i = 0; i < plan.branches.size(); ++i) {
    if (plan.unit_of[i] == k - 1) mine.push_back(plan.branches[i]);
  }
  record = Unit_record{n, k, units, 0, {}};
  record.arrays = search_branch_arrays(n, mine, unit_jobs(options));
  record.processor_seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
  if (const std::string failure = write_unit_file(folder, record); !failure.empty()) {
    console.err() << "make_database: " << failure << '\n';
    return 1;
  }
  console.line(title + ": " + std::to_string(mine.size()) + " branches, " +
               std::to_string(record.arrays.size()) + " arrays, " +
               seconds_text(record.processor_seconds) + " s of processor time");
  return 0;
}

int merge_search_units(const Builder_options& options, Console& console) {
  const std::int32_t n = options.searched.from, units = options.units;
  const std::string folder = units_folder(options.out, n);
  std::vector<std::vector<Costas_perm>> parts(static_cast<std::size_t>(units));
  int bad = 0;
  for (std::int32_t k = 1; k <= units; ++k) {
    Unit_record record;
    if (const auto wrong = read_unit_file(folder, n, k, units, record); !wrong.empty()) {
      console.err() << "make_database: unit " << k << of_order(units, n) << " is " << wrong << " ("
                    << unit_file_name(folder, k) << ")\n";
      ++bad;
    }
    parts[static_cast<std::size_t>(k) - 1] = std::move(record.arrays);
  }
  if (bad > 0) {
    console.err() << "make_database: order " << n << " not merged: " << bad << " of " << units
                  << " units missing or damaged\n";
    return 1;
  }
  // add reduces each array to its class, so the arrays go in as the units hold them.
  Costas_class_set classes;
  for (const auto& part : parts) {
    for (const auto& a : part) classes.add(a, 0);
  }
  parts.clear();
  const std::filesystem::path out = std::filesystem::path(options.out) / searched_folder;
  const auto result = write_order_files(out.string() + "/", n, classes, false, "exhaustive search",
                                        unit_jobs(options));
  std::string failure = result.failure;
  if (failure.empty()) failure = identity_failure(n, result.counts);
  if (failure.empty()) failure = count_difference(n, result.counts);
  if (!failure.empty()) {
    console.err() << "make_database: " << failure << '\n';
    return 1;
  }
  remove_units(folder, units);
  console.line("Merged " + std::to_string(units) + " units of order " + std::to_string(n) + ": " +
               std::to_string(result.counts.all) + " arrays into " + out.string());
  console.line("Count check: order " + std::to_string(n) + " matches the count tables");
  return 0;
}

int report_search_units(const Builder_options& options, Console& console) {
  const std::int32_t n = options.searched.from, units = options.units;
  const std::string folder = units_folder(options.out, n);
  std::vector<std::int32_t> missing;
  std::size_t arrays = 0;
  double seconds = 0;
  std::uint64_t work_done = 0, work_left = 0;
  const Unit_plan plan = plan_search_units(n, units);
  for (std::int32_t k = 1; k <= units; ++k) {
    Unit_record record;
    const std::uint64_t work = plan.unit_weights[static_cast<std::size_t>(k) - 1];
    if (read_unit_file(folder, n, k, units, record).empty()) {
      arrays += record.arrays.size();
      seconds += record.processor_seconds;
      work_done += work;
    } else {
      missing.push_back(k);
      work_left += work;
    }
  }
  const auto done = static_cast<std::size_t>(units) - missing.size();
  console.line("Order " + std::to_string(n) + " in " + std::to_string(units) + " units: " +
               std::to_string(done) + " done, " + std::to_string(missing.size()) + " missing");
  if (!missing.empty()) console.line("Missing or damaged units: " + unit_runs(missing));
  console.line("Arrays found so far: " + std::to_string(arrays) + " (before the 8 transforms)");
  console.line("Processor time spent: " + seconds_text(seconds) + " s");
  if (missing.empty()) {
    console.line("Left: nothing; merge with --merge " + std::to_string(units));
  } else if (work_done == 0 || seconds <= 0) {
    console.line("Left: " + std::to_string(missing.size()) +
                 " units; no estimate of their time until a unit has taken measurable time");
  } else {
    const double left = seconds * static_cast<double>(work_left) / static_cast<double>(work_done);
    console.line("Left: about " + seconds_text(left) +
                 " s of processor time (the missing units' share of the work at the done units' pace)");
  }
  return 0;
}
