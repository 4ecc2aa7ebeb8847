// The ambiguity of many arrays at once, as CSV: for each array the largest auto-ambiguity off
// the origin and where, or with a second source the largest cross-ambiguity of each pair.
#pragma once

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

#include "View_Arrays/Array_sources.hpp"

// The most pairs a cross-ambiguity summary computes; a larger product is refused.
constexpr std::size_t largest_pair_count = 100000;

struct Summary_sources {
  std::vector<std::string> sources;   // the arrays of the rows
  std::string lines;                  // their line selection
  std::string with;                   // the second source, or empty for the auto-ambiguity
  std::string with_lines;
  Index_base base = Index_base::automatic;
};

// Writes the summary to out; bad input on err. Returns 0, or 2 for bad input.
int run_ambiguity_summary(const Summary_sources& sources, std::ostream& out, std::ostream& err);
