// The checks of one order of a database tree, read in a stream: the log, the essential set,
// then the all-arrays, symmetrical and G-symmetrical files with their methods files. Only one
// array per class is held (the essential set's), with a hash of each member of its class, so
// memory grows with the classes and never with the size of the files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "Make_Database/Costas_class_set.hpp"
#include "Make_Database/Method_families.hpp"

// What one order's files hold and what was wrong with them.
struct Order_verdict {
  std::int64_t problems = 0;       // problem lines, listed or not
  Class_counts counts;             // array lines of the all-arrays, essential-set, symmetrical
                                   // and G-symmetrical files
  bool constructions_only = false; // a log line carries the "Constructions only:" mark
  bool complete = false;           // the four arrays files are all there
};

// Where the checks send their lines and their progress.
struct Verifier_output {
  std::function<void(std::string_view)> line;        // one problem line
  std::function<void(std::int64_t bytes)> progress;  // bytes read so far in this order
};

// Checks every file of order n in folder (which ends with a separator): generated (rows
// 1..N, methods files) or searched (rows 0..N-1). Every problem is one line "FILE, line L:
// what" or, for a whole file, "FILE: what"; after 20 lines of one file the rest are only
// counted and one line says how many. With method_yields (the families' classes of order n),
// every array line of the generated part must carry the lowest bit among the families that
// yield its class, or bit 0 when none does.
Order_verdict verify_order(const std::string& folder, std::int32_t n, bool generated,
                           const Verifier_output& output,
                           const Family_yields* method_yields = nullptr);
