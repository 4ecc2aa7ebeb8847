// Exhaustive search for every Costas array of one order: column-by-column backtracking with one
// 64-bit mask of used differences per distance and, for every later column, the mask of the rows
// it may still take, so that a dead row is told in a few instructions and a branch where some
// later column has no row left is dropped; only the members of each class whose column-0 dot
// lies farthest from its nearest corner (of the four edge dots) are searched, of those only the
// least (Search_ties), and the rest are their transforms; the work is split over threads by the
// first two columns. The same search runs on any set of its branches, so that it can be cut into
// units that run apart and are merged.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
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

// The rows of the first columns of a branch of the search (columns 0..size()-1).
using Search_prefix = std::vector<int>;

// Every live branch of order n (3..31) at depth columns (clamped to 2..n-1), in the search's
// order: the branches of the search at that depth, which together hold every array it finds.
std::vector<Search_prefix> search_branches(std::int32_t n, int depth);
// For each branch, the number of live branches of depth columns below it (its width at depth,
// depth clamped to its own depth + 1..n-1): a cheap, deterministic measure of its work.
std::vector<std::uint64_t> branch_widths(std::int32_t n, std::span<const Search_prefix> branches,
                                         int depth);
// The arrays the search finds in branches (of search_branches(n, ...)) on jobs threads,
// sorted: at most one member of each class (the same however the branches are cut; one per
// class over every branch), not the whole classes;
// class_members_sorted of the arrays of every branch is search_costas_arrays(n).
std::vector<Costas_perm> search_branch_arrays(std::int32_t n, std::span<const Search_prefix> branches,
                                              int jobs);

// Whether the search runs its copy compiled for processors with AVX2 and BMI2 (only where the
// processor has them, as it does by default there) or its copy for any processor; returns the
// setting before. The tests and the benchmark compare the two.
bool use_wide_search(bool wide);
