// The command line of make_database.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Order_range {
  std::int32_t from = 0, to = -1;   // empty when from > to
  bool empty() const { return from > to; }
};

struct Builder_options {
  std::string out;                 // the database folder; empty when not given
  Order_range searched, generated;
  int jobs = 2;
  bool jobs_given = false;
  // --unit k/K, --merge K, --status K: the search of one order (--searched N) in K units.
  enum class Units_command { none, unit, merge, status } units_command = Units_command::none;
  std::int32_t unit = 0, units = 0;    // k (1-based) and K
  bool check_counts = false;
  bool check_methods = false;      // --verify: the method bits against the families
  bool help = false;
  bool version = false;
  std::string options_database_path;   // --write-options: database_path of the options file
  std::string verify;                  // --verify: the database folder to check; empty when not given
};

constexpr std::int32_t min_searched_order = 3, max_searched_order = 27;
constexpr std::int32_t min_generated_order = 2, max_generated_order = 500;
// The most units one order's search is cut into (the scripts of the cluster check it too); an
// order whose search has fewer branches takes at most that many.
constexpr std::int32_t max_search_units = 100000;
constexpr Order_range sample_searched{3, 12}, sample_generated{2, 60};

// Parses the arguments (without the program name) into options; returns an empty text, or a
// message that names the bad argument. --out without any range builds the sample orders.
std::string parse_builder_options(const std::vector<std::string>& args, Builder_options& options);
// The --help text.
std::string builder_help_text();
// The --version line.
std::string builder_version_text();
