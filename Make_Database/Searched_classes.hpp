// The exhaustive search's arrays for the generated part of orders 2-27: where they come from
// (order 2 searched on the spot, orders 3-27 read back from a complete searched order in the
// output folder), and what an order built without them says about itself.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "Make_Database/Costas_class_set.hpp"

// The highest order whose count tables hold the exhaustive count.
constexpr std::int32_t max_exhaustive_order = 27;

// Whether searched_folder ("DIR/Searches/") holds a complete order n: its essential-set file,
// written last, is there.
bool searched_order_complete(const std::string& searched_folder, std::int32_t n);

// Reads the all-arrays file of searched order n in searched_folder and adds the class of every
// array to into, which starts empty (one representative per class is held, never the file); a
// file that lacks members of its classes is damaged. Returns an empty text,
// or the file, the line and what is wrong with it.
std::string read_searched_classes(const std::string& searched_folder, std::int32_t n,
                                  Costas_class_set& into);

// What a generated order n (2-27) built from its constructions alone, with counts built, says
// about itself: nothing (empty texts) when built equals the count tables' exhaustive count (the
// constructions gave every array), else how many arrays it holds against the tables and what it
// takes to complete it.
struct Constructions_only_note {
  std::string holds;   // "holds only its constructed arrays, 72 of the 12828 ..."
  std::string how;     // "To complete it: add --searched 13 ..."
  bool empty() const { return holds.empty(); }
  // The log's lines: the first starts with constructions_only_mark.
  std::vector<std::string> log_lines() const;
};
Constructions_only_note constructions_only_note(std::int32_t n, const Class_counts& built);

// "under a second", "about 9.0 seconds", "about 3.5 minutes", "about 6.2 hours",
// "about 12 days", "about 9.1 years".
std::string duration_text(double seconds);
