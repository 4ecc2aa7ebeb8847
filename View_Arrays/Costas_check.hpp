// The check of one array: whether it is a Costas array, and when it is not, the first
// displacement vector that repeats and the two pairs of dots that share it; and its symmetries.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "View_Arrays/Array_sources.hpp"

// Two pairs of dots with the same displacement (dx, dy): the dots of columns first and
// first + dx, and of columns second and second + dx (first < second).
struct Repeated_vector {
  int dx = 0;
  int dy = 0;
  int first = 0;
  int second = 0;
};

// The first displacement vector of the permutation a that repeats, scanning the column
// distances dx = 1, 2, ... and, within one, the columns from the left; nothing for a Costas
// array. Vectors of different dx never match, so the scan finds the repeat of smallest dx.
std::optional<Repeated_vector> first_repeated_vector(std::span<const std::uint16_t> a);

// The report line of one array: its label and tag, then "Costas array of order N" or
// "not a Costas array of order N: the displacement (dx, dy) repeats: ...", then its two
// symmetries. Dots are written (column, row) in the base the array was read in.
std::string check_line(const Viewed_array& array, const std::optional<Repeated_vector>& repeat);
