#include "Make_Database/Search_units.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <queue>
#include <thread>

#include "_Library/Database_format.hpp"
#include "_Library/File_locks.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

// The work measure counts branches this many at most, level by level, so that planning takes
// well under a second at any order.
constexpr std::uint64_t weighing_budget = std::uint64_t{1} << 20;
// A level of branches is taken only when it holds at most max_branches, which bounds the
// memory and the time of a plan.
constexpr std::size_t branches_per_unit = 16, max_branches = std::size_t{1} << 20;
constexpr std::string_view end_of_unit_line = "End of unit.";

std::string unit_title(std::int32_t n, std::int32_t unit, std::int32_t units) {
  return "Search unit " + std::to_string(unit) + " of " + std::to_string(units) + " of order " +
         std::to_string(n);
}

std::string hex64(std::uint64_t value) {
  char text[17];
  std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(value));
  return text;
}

// The text after prefix in line, or nothing when line does not start with it.
std::optional<std::string_view> after(std::string_view line, std::string_view prefix) {
  if (!line.starts_with(prefix)) return std::nullopt;
  return line.substr(prefix.size());
}

struct Fnv1a {
  std::uint64_t hash = 14695981039346656037ULL;
  void add(std::string_view bytes) {
    for (const char c : bytes) {
      hash ^= static_cast<unsigned char>(c);
      hash *= 1099511628211ULL;
    }
  }
};

// The header lines after the title: their keys, in order.
constexpr std::string_view plan_key = "Plan: ", arrays_key = "Arrays: ", checksum_key = "Checksum: ",
                           seconds_key = "Processor seconds: ";

// The array lines of a unit file after its header, up to its end line, into arrays; an empty
// text when they are well formed and agree with the header's count and checksum.
std::string read_unit_arrays(Text_input& file, std::int32_t n, std::vector<Costas_perm>& arrays,
                             std::size_t count, std::uint64_t checksum) {
  Fnv1a fnv;
  std::vector<std::int32_t> rows(static_cast<std::size_t>(n));
  std::string line;
  int status = status_ok;
  while ((status = file.read_line(line)) == status_ok && line != end_of_unit_line) {
    if (const auto wrong = read_row_indices(line, n, 0, rows); !wrong.empty()) {
      return "line " + std::to_string(file.line_number()) + ": " + wrong;
    }
    arrays.emplace_back(rows.begin(), rows.end());
    fnv.add(line);
    fnv.add("\n");
  }
  if (status == status_end_of_file) return "it has no end line";
  if (status != status_ok) return "line " + std::to_string(file.line_number() + 1) + ": " + read_failure_text(status);
  if (arrays.size() != count) {
    return "it holds " + std::to_string(arrays.size()) + " arrays, its header " + std::to_string(count);
  }
  if (fnv.hash != checksum) {
    return "checksum " + hex64(fnv.hash) + " of its arrays, its header " + hex64(checksum);
  }
  return {};
}

// The number of live branches one level below branches.
std::uint64_t next_level_size(std::int32_t n, const std::vector<Search_prefix>& branches, int depth) {
  std::uint64_t size = 0;
  for (const auto width : branch_widths(n, branches, depth + 1)) size += width;
  return size;
}

}  // namespace

Unit_plan plan_search_units(std::int32_t n, std::int32_t units) {
  Unit_plan plan;
  int depth = 2;
  plan.branches = search_branches(n, depth);
  const std::size_t wanted = branches_per_unit * static_cast<std::size_t>(units);
  while (plan.branches.size() < wanted && depth < n - 2 &&
         next_level_size(n, plan.branches, depth) <= max_branches) {
    plan.branches = search_branches(n, ++depth);
  }
  // Weigh each branch by its width a few columns deeper: as deep as the budget allows, the
  // next level being at most n - level times wider than the last.
  plan.weights.assign(plan.branches.size(), 1);
  std::uint64_t total = plan.branches.size();
  for (int level = depth; level < n - 1 && total * static_cast<std::uint64_t>(n - level) <= weighing_budget;) {
    plan.weights = branch_widths(n, plan.branches, ++level);
    total = 0;
    for (const auto w : plan.weights) total += w;
  }
  // Heaviest first, each to the lightest unit so far.
  std::vector<std::size_t> order(plan.branches.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return plan.weights[a] > plan.weights[b]; });
  using Load = std::pair<std::uint64_t, std::int32_t>;
  std::priority_queue<Load, std::vector<Load>, std::greater<>> lightest;
  for (std::int32_t u = 0; u < units; ++u) lightest.push({0, u});
  plan.unit_of.assign(plan.branches.size(), 0);
  plan.unit_weights.assign(static_cast<std::size_t>(units), 0);
  for (const std::size_t i : order) {
    auto [load, unit] = lightest.top();
    lightest.pop();
    plan.unit_of[i] = unit;
    plan.unit_weights[static_cast<std::size_t>(unit)] += plan.weights[i];
    lightest.push({load + plan.weights[i], unit});
  }
  return plan;
}

std::uint64_t plan_digest(const Unit_plan& plan) {
  Fnv1a fnv;
  std::string text;
  for (std::size_t i = 0; i < plan.branches.size(); ++i) {
    text.clear();
    for (const int row : plan.branches[i]) text += std::to_string(row) + ' ';
    text += '>' + std::to_string(plan.unit_of[i]) + '\n';
    fnv.add(text);
  }
  return fnv.hash;
}

std::size_t largest_sensible_units(const Unit_plan& plan) { return plan.branches.size(); }

std::uint64_t unit_checksum(const std::vector<Costas_perm>& arrays) {
  Fnv1a fnv;
  std::string line;
  for (const auto& a : arrays) {
    write_array_line(line, a, 0, false);
    line += '\n';
    fnv.add(line);
  }
  return fnv.hash;
}

std::string unit_file_name(const std::string& folder, std::int32_t unit) {
  return folder + "unit_" + std::to_string(unit) + ".txt";
}

std::string order_units_folder(const std::string& out, std::int32_t n) {
  return (std::filesystem::path(out) / searched_folder / ".units" / std::to_string(n)).string() + "/";
}

std::string units_folder(const std::string& out, std::int32_t n, std::int32_t units) {
  return order_units_folder(out, n) + std::to_string(units) + "/";
}

std::string unit_lock_name(const std::string& folder, std::int32_t unit) {
  return unit_file_name(folder, unit) + ".lock";
}

std::string write_unit_file(const std::string& folder, const Unit_record& record, bool& name_taken) {
  Staged_file file(unit_file_name(folder, record.unit), ".part." + std::to_string(this_process_id()));
  char seconds[32];
  std::snprintf(seconds, sizeof seconds, "%.3f", record.processor_seconds);
  file.line(unit_title(record.n, record.unit, record.units));
  file.line(std::string(plan_key) + hex64(record.plan));
  file.line(std::string(arrays_key) + std::to_string(record.arrays.size()));
  file.line(std::string(checksum_key) + hex64(unit_checksum(record.arrays)));
  file.line(std::string(seconds_key) + seconds);
  std::string line;
  for (const auto& a : record.arrays) {
    write_array_line(line, a, 0, false);
    file.line(line);
  }
  file.line(end_of_unit_line);
  std::string failure = file.commit(false);
  name_taken = file.name_taken();
  return failure;
}

std::string read_unit_file(const std::string& folder, std::int32_t n, std::int32_t unit,
                           std::int32_t units, std::uint64_t plan, Unit_record& record) {
  record = Unit_record{};
  const std::string name = unit_file_name(folder, unit);
  if (!file_exists(name)) return "is missing";
  if (const std::string kind = irregular_file_kind(name); !kind.empty()) {
    return "is damaged: its file is " + kind + ", not a regular file";
  }
  Text_input file;
  if (const int status = file.open(name); status != status_ok) {
    return "cannot be read: " + iostat_message(status);
  }
  std::array<std::string, 5> header;
  for (auto& h : header) {
    if (file.read_line(h) != status_ok) return "is damaged: its header is cut short";
  }
  if (header[0] != unit_title(n, unit, units)) {
    return "is damaged: its header reads '" + header[0] + "', not '" + unit_title(n, unit, units) + "'";
  }
  std::uint64_t file_plan = 0;
  if (const auto plan_text = after(header[1], plan_key);
      !plan_text || plan_text->size() != 16 || !parse_whole(*plan_text, file_plan, 16)) {
    return "is damaged: its header names no plan";
  }
  if (file_plan != plan) return "was planned by a different program version: rerun it";
  std::size_t count = 0;
  std::uint64_t checksum = 0;
  const auto count_text = after(header[2], arrays_key);
  const auto checksum_text = after(header[3], checksum_key);
  const auto seconds_text = after(header[4], seconds_key);
  if (!count_text || !parse_whole(*count_text, count) || !checksum_text ||
      checksum_text->size() != 16 || !parse_whole(*checksum_text, checksum, 16) || !seconds_text) {
    return "is damaged: its header lines are not those of a unit file";
  }
  record.processor_seconds = std::strtod(std::string(*seconds_text).c_str(), nullptr);
  if (std::string wrong = read_unit_arrays(file, n, record.arrays, count, checksum); !wrong.empty()) {
    return "is damaged: " + wrong;
  }
  record.n = n;
  record.unit = unit;
  record.units = units;
  record.plan = plan;
  return {};
}

int granted_cpus() {
  for (const char* variable : {"SLURM_CPUS_PER_TASK", "SLURM_CPUS_ON_NODE"}) {
    int cpus = 0;
    if (const char* value = std::getenv(variable); value != nullptr && parse_whole(std::string_view(value), cpus) && cpus >= 1) {
      return std::min(cpus, 256);
    }
  }
  return std::clamp(static_cast<int>(std::thread::hardware_concurrency()), 1, 256);
}
