// The arrays of the generated database, order by order: exponential and logarithmic Welch
// arrays (p = N+1), Golomb and Lempel arrays (q = N+2), torus windows of Golomb arrays (q = N+1,
// q <= 53), closed under the removal of corner dots and 2x2 corner blocks, the addition of
// corner dots (one, or two at opposite corners, kept when Costas), and the eight transforms.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "Make_Database/Costas_class_set.hpp"

class Number_Theory_M;

class Generated_family {
 public:
  // Chains of removals and additions are followed over horizon orders above and below.
  explicit Generated_family(Number_Theory_M& number_theory, int horizon = 6)
      : number_theory_(number_theory), horizon_(horizon) {}

  // Builds orders from..to (2..500) ascending and hands each closed set to sink; a sink that
  // returns false ends the build, and build returns false.
  bool build(std::int32_t from, std::int32_t to,
             const std::function<bool(std::int32_t, const Costas_class_set&)>& sink);

  // The constructed arrays of order n before closure; with carriers_only, only the classes
  // that have a corner dot or a corner block of two dots.
  Costas_class_set seeds(std::int32_t n, bool carriers_only);

 private:
  Costas_class_set removals_into(std::int32_t n);
  const Costas_class_set& carriers(std::int32_t n);
  void add_welch(std::int32_t n, bool carriers_only, Costas_class_set& into);
  void add_golomb(std::int32_t n, bool carriers_only, Costas_class_set& into);
  void add_torus_windows(std::int32_t n, Costas_class_set& into);

  Number_Theory_M& number_theory_;
  int horizon_;
  std::map<std::int32_t, Costas_class_set> carriers_;
};

// True when a has a dot in a corner or a 2x2 corner block holding two dots.
bool has_removable_corner(std::span<const std::uint16_t> a);
// The same from the rows of the first two and the last two columns of an array of order n.
bool has_removable_corner(std::int32_t n, std::int32_t first, std::int32_t second,
                          std::int32_t second_last, std::int32_t last);
// Adds to into every array made from a class of from by removing step (1 or 2) corner dots.
void add_corner_removals(const Costas_class_set& from, int step, bool carriers_only,
                         Costas_class_set& into);
// Adds to into every Costas array made from a class of from by adding step (1 or 2) corner dots.
void add_corner_additions(const Costas_class_set& from, int step, Costas_class_set& into);
