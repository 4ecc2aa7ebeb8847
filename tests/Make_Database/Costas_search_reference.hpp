// The first exhaustive search of the builder, kept unchanged as the reference that the faster
// search is checked and measured against: column-by-column backtracking with one 64-bit mask of
// used differences per distance; only the members of each class whose column-0 dot is, of the
// four edge dots, the one nearest to a corner are searched, the rest are their transforms.
#pragma once

#include <cstdint>
#include <vector>

#include "_Library/Costas_arrays/Costas_properties.hpp"
#include "Make_Database/Costas_search.hpp"

// Every Costas array of order n (1..max_search_order), sorted; nodes (may be null) receives the
// number of partial arrays of two columns and more that the backtracking visited.
std::vector<Costas_perm> reference_search_costas_arrays(std::int32_t n, int jobs,
                                                        std::uint64_t* nodes = nullptr);
