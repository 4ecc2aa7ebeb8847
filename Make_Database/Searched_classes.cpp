#include "Make_Database/Searched_classes.hpp"

#include <cstdio>
#include <filesystem>

#include "Make_Database/Build_progress.hpp"
#include "Make_Database/Method_families.hpp"
#include "_Library/Count_tables.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

bool searched_order_complete(const std::string& searched_folder, std::int32_t n) {
  std::error_code error;
  return std::filesystem::is_regular_file(
      native_path(database_file_name(searched_folder, essential_kind, n)), error);
}

std::string read_searched_classes(const std::string& searched_folder, std::int32_t n,
                                  Costas_class_set& into) {
  const std::string name = database_file_name(searched_folder, all_arrays_kind, n);
  if (const std::string kind = irregular_file_kind(name); !kind.empty()) return name + ": " + kind + ", not a regular file";
  Text_input file;
  if (const int status = file.open(name); status != status_ok) return name + ": " + iostat_message(status);
  const auto fault = [&](const std::string& what) {
    return name + ", line " + std::to_string(file.line_number()) + ": " + what;
  };
  std::string line;
  int status = file.read_line(line);
  std::int32_t order = 0;
  std::int64_t count = 0;
  if (status != status_ok || !read_all_arrays_header(trim(line), order, count) || order != n) {
    return fault("not the header of order " + std::to_string(n));
  }
  std::vector<std::int32_t> rows(static_cast<std::size_t>(n));
  Costas_perm perm(static_cast<std::size_t>(n));
  std::int64_t arrays = 0;
  while ((status = file.read_line(line)) == status_ok) {
    std::string_view text = trim(line);
    if (text.empty() || is_end_line(text)) continue;
    take_polymorph_mark(text);
    if (const std::string what = read_row_indices(text, n, 0, rows); !what.empty()) {
      return fault(what);
    }
    for (std::size_t c = 0; c < perm.size(); ++c) perm[c] = static_cast<std::uint16_t>(rows[c]);
    if (!is_costas(perm)) return fault("not a Costas array");
    into.add(perm, generation_method::search);
    ++arrays;
  }
  if (status != status_end_of_file) return fault(read_failure_text(status));
  if (arrays != count) {
    return name + ": the header counts " + std::to_string(count) + " arrays, the file holds " +
           std::to_string(arrays);
  }
  // Every member of every class is a line of the file: a class short of members lost lines.
  if (const std::int64_t members = into.counts().all; members != arrays) {
    return name + ": the file holds " + std::to_string(arrays) + " arrays of classes of " +
           std::to_string(members) + " arrays";
  }
  return {};
}

std::string duration_text(double seconds) {
  struct Unit {
    const char* name;
    double seconds;
    double up_to;   // the unit serves below this many seconds
  };
  constexpr Unit units[] = {{"seconds", 1, 90},           {"minutes", 60, 90 * 60},
                            {"hours", 3600, 48 * 3600.0}, {"days", 86400, 365 * 86400.0},
                            {"years", 365.25 * 86400, 0}};
  if (seconds < 1) return "under a second";
  for (const Unit& unit : units) {
    if (unit.up_to != 0 && seconds >= unit.up_to) continue;
    const double value = seconds / unit.seconds;
    char text[64];
    std::snprintf(text, sizeof text, value < 10 ? "about %.1f %s" : "about %.0f %s", value,
                  unit.name);
    return text;
  }
  return {};
}

std::vector<std::string> Constructions_only_note::log_lines() const {
  if (empty()) return {};
  return {std::string(constructions_only_mark) + " this order " + holds, how};
}

Constructions_only_note constructions_only_note(std::int32_t n, const Class_counts& built) {
  const Order_counts table = count_tables(n);
  if (n > max_exhaustive_order || built.all >= table.all) return {};
  const std::string order = std::to_string(n);
  char measured[96];
  std::snprintf(measured, sizeof measured, "%.1f s at order 16 and %.1f times more per order",
                search_seconds_at_16, search_growth_per_order);
  return {"holds only its constructed arrays, " + std::to_string(built.all) + " of the " +
              std::to_string(table.all) + " that the count tables count.",
          "To complete it: add --searched " + order + " to the command, or build searched order " +
              order + " into the same folder first and then this order again; its exhaustive " +
              "search takes " + duration_text(search_processor_seconds(n)) +
              " of processor time on this machine (an estimate from the measured " + measured +
              ")."};
}
