// Which method bit each construction of the generated database carries. Every array carries
// the bit of the first method that produced its class, in the order of the bits; derived arrays
// (corner dots removed or added) take their bit from their parent's bit and the operation, by
// the one table below, so that a change of naming is made in one place.
#pragma once

#include <cstdint>

namespace generation_method {
constexpr int search = 0;           // a class that no construction yields, found by the search
constexpr int welch_0 = 1;          // exponential Welch, every shift
constexpr int lempel_2 = 7;         // Golomb with alpha = beta
constexpr int golomb_2 = 8;
constexpr int inhom_a_1 = 16;       // torus window of an asymmetric Golomb array
constexpr int inhom_s_1 = 17;       // torus window that is symmetrical
constexpr int rickard_l_g_1 = 19;   // any other torus window
}  // namespace generation_method

enum class Corner_operation {
  remove_dot,              // a corner dot removed
  remove_diagonal_block,   // a 2x2 corner block holding the corner dot and its diagonal neighbour
  remove_anti_block,       // a 2x2 corner block holding the two dots off the corner
  add_dot,                 // a dot added outside one corner
  add_two_dots             // dots added outside two opposite corners
};

// The method bit of an array made by op from an array whose class carries parent_method.
int derived_method(int parent_method, Corner_operation op);
