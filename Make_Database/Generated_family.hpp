// The arrays of the generated database, order by order: exponential and logarithmic Welch
// arrays (p = N+1), Golomb and Lempel arrays (q = N+2), torus windows of Golomb arrays (q = N+1,
// q <= 53), closed under the removal of corner dots and 2x2 corner blocks, the addition of
// corner dots (one, or two at opposite corners, kept when Costas), and the eight transforms;
// with every class that a family of the method flags yields. Each class carries its bit by the
// flag rule of Method_families.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

#include "Make_Database/Costas_class_set.hpp"
#include "Make_Database/Method_families.hpp"

class Generated_family {
 public:
  // Chains of removals and additions are followed over horizon orders above and below.
  explicit Generated_family(int horizon = 6) : horizon_(horizon) {}

  // Builds orders from..to (2..500) ascending and hands each labelled set to sink; a sink that
  // returns false ends the build, and build returns false.
  bool build(std::int32_t from, std::int32_t to,
             const std::function<bool(std::int32_t, const Costas_class_set&)>& sink);

  // The constructed arrays of order n before closure; with carriers_only, only the classes
  // that have a corner dot or a corner block of two dots.
  Costas_class_set seeds(std::int32_t n, bool carriers_only);

 private:
  Costas_class_set removals_into(std::int32_t n);
  const Costas_class_set& carriers(std::int32_t n);

  Method_families families_;
  int horizon_;
  std::map<std::int32_t, Costas_class_set> carriers_;
};

// True when a has a dot in a corner or a 2x2 corner block holding two dots.
bool has_removable_corner(std::span<const std::uint16_t> a);
// Adds to into every array made from a class of from by removing step (1 or 2) corner dots.
void add_corner_removals(const Costas_class_set& from, int step, bool carriers_only,
                         Costas_class_set& into);
// Adds to into every Costas array made from a class of from by adding step (1 or 2) corner dots.
void add_corner_additions(const Costas_class_set& from, int step, Costas_class_set& into);
