// A build of the searched and generated parts of a database, order by order: the search or the
// constructions, the search's arrays joined to generated orders 2-27, the files written, and
// the checks of every order.
#pragma once

#include <cstdint>
#include <string>

#include "Make_Database/Builder_options.hpp"
#include "Make_Database/Count_check.hpp"

class Console;

// What a build has seen: a failure ends it, and an order whose check failed is not written.
struct Build_report {
  int orders = 0;
  std::int64_t arrays = 0;
  Count_tally counts;           // with --check-counts
  std::string failure;
  double seconds = 0;           // wall time of the build
};


// Builds the orders of options.searched and options.generated into options.out; the count
// check's lines go to the console's output, the progress to its error stream (a bar when
// terminal is true). A failure ends the build and is named in the report.
Build_report build_database(const Builder_options& options, Console& console, bool terminal);
