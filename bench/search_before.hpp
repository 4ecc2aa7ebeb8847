// The exhaustive search as it stood before the children of a column were told apart in one step
// each, kept unchanged so that the benchmark can run it beside the current search: one thread,
// the nodes counted.
#pragma once

#include <cstdint>
#include <vector>

#include "_Library/Costas_arrays/Costas_properties.hpp"

// Every Costas array of order n (1..31), sorted; nodes receives the number of partial arrays of
// two columns and more that the backtracking visited.
std::vector<Costas_perm> search_before_counting_nodes(std::int32_t n, std::uint64_t& nodes);
