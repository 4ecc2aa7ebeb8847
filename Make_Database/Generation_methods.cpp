#include "Make_Database/Generation_methods.hpp"

#include <array>

namespace {

// Per parent method bit: the bits of remove_dot, remove_diagonal_block, remove_anti_block,
// add_dot and add_two_dots. Welch arrays lose corners as Welch 1, 2, 3 and gain them as
// Rickard W 0; Golomb and Lempel arrays lose them as Golomb 3 / Lempel 3, Golomb 4 / Lempel 4 /
// Taylor 4, then Golomb S4 and S5, and gain them as Taylor 1 and Taylor 0. Torus windows keep
// their own bit.
struct Rule {
  int parent;
  std::array<int, 5> child;
};

constexpr Rule rules[] = {
    {1, {2, 3, 3, 18, 18}},    {2, {3, 4, 4, 18, 18}},    {3, {4, 4, 4, 18, 18}},
    {4, {4, 4, 4, 18, 18}},    {5, {6, 6, 6, 5, 5}},      {6, {6, 6, 6, 5, 5}},
    {7, {9, 11, 13, 6, 5}},    {8, {10, 12, 12, 6, 5}},   {9, {14, 15, 15, 6, 5}},
    {10, {14, 15, 15, 6, 5}},  {11, {15, 15, 15, 6, 5}},  {12, {15, 15, 15, 6, 5}},
    {13, {15, 15, 15, 6, 5}},  {14, {15, 15, 15, 6, 5}},  {15, {15, 15, 15, 6, 5}},
    {16, {16, 16, 16, 16, 16}}, {17, {17, 17, 17, 17, 17}}, {18, {18, 18, 18, 18, 18}},
    {19, {19, 19, 19, 19, 19}},
};

}  // namespace

int derived_method(int parent_method, Corner_operation op) {
  for (const Rule& rule : rules) {
    if (rule.parent == parent_method) return rule.child[static_cast<std::size_t>(op)];
  }
  return parent_method;
}
