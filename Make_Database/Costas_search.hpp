// Exhaustive search for every Costas array of one order: column-by-column backtracking with one
// 64-bit mask of used differences per distance, the candidate rows of the next column gathered
// as one mask; only the members of each class whose column-0 dot lies farthest from its nearest
// corner (of the four edge dots) are searched, and the rest are their transforms; the work is
// split over threads by the first two columns.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "_Library/Costas_arrays/Costas_properties.hpp"

constexpr std::int32_t max_search_order = 31;   // differences of 2N-1 values fit in 64 bits

// Every Costas array of order n (1..31), sorted. progress (may be empty) is
// called on the calling thread about twice a second with the fraction of the work done, never
// decreasing, and always once more with 1.0 when the search has ended (not for an order out of
// range, which is not searched).
std::vector<Costas_perm> search_costas_arrays(std::int32_t n, int jobs,
                                              const std::function<void(double)>& progress);

// The same search, also counting the nodes it visits (partial arrays of two columns and more),
// for the benchmark; search_costas_arrays itself counts nothing.
std::vector<Costas_perm> search_costas_arrays_counting_nodes(std::int32_t n, int jobs,
                                                             std::uint64_t& nodes);
