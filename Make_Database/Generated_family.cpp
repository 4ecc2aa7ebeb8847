#include "Make_Database/Generated_family.hpp"

bool has_removable_corner(std::span<const std::uint16_t> a) {
  const auto n = static_cast<std::int32_t>(a.size());
  if (n < 2) return false;
  const std::int32_t first = a[0], second = a[1], second_last = a[a.size() - 2], last = a[a.size() - 1];
  const auto corner_row = [n](std::int32_t r) { return r == 0 || r == n - 1; };
  if (corner_row(first) || corner_row(last)) return true;
  if (n < 3) return false;
  const auto block = [n](std::int32_t x, std::int32_t y) {
    return (x <= 1 && y <= 1) || (x >= n - 2 && y >= n - 2);
  };
  return block(first, second) || block(second_last, last);
}

void add_corner_removals(const Costas_class_set& from, int step, bool carriers_only,
                         Costas_class_set& into) {
  for (const auto& [rep, method] : from.classes()) {
    for (int k = 0; k < 4; ++k) {
      const auto smaller = step == 1 ? remove_corner_dot(rep, k) : remove_corner_block(rep, k);
      if (!smaller || (carriers_only && !has_removable_corner(*smaller))) continue;
      into.add(*smaller, generation_method::search);
    }
  }
}

void add_corner_additions(const Costas_class_set& from, int step, Costas_class_set& into) {
  for (const auto& [rep, method] : from.classes()) {
    for (int k = 0; k < (step == 1 ? 4 : 2); ++k) {
      const Costas_perm larger = step == 1 ? add_corner_dot(rep, k) : add_opposite_corners(rep, k);
      if (!is_costas(larger)) continue;
      into.add(larger, generation_method::search);
    }
  }
}

Costas_class_set Generated_family::seeds(std::int32_t n, bool carriers_only) {
  Costas_class_set set;
  const auto take = [&set, carriers_only](const Costas_class_set& from) {
    for (const auto& [rep, method] : from.classes()) {
      if (!carriers_only || has_removable_corner(rep)) set.add_representative(rep, method);
    }
  };
  take(families_.welch_classes(n + 1));
  take(families_.golomb_classes(n + 2));
  take(families_.torus_window_classes(n + 1));
  return set;
}

const Costas_class_set& Generated_family::carriers(std::int32_t n) {
  auto it = carriers_.find(n);
  if (it == carriers_.end()) it = carriers_.emplace(n, seeds(n, true)).first;
  return it->second;
}

Costas_class_set Generated_family::removals_into(std::int32_t n) {
  // Carriers of every order in the window, each with what removals from above bring to it.
  std::map<std::int32_t, Costas_class_set> window;
  for (std::int32_t m = n + horizon_; m > n; --m) {
    Costas_class_set set = carriers(m);
    if (auto it = window.find(m + 1); it != window.end()) add_corner_removals(it->second, 1, true, set);
    if (auto it = window.find(m + 2); it != window.end()) add_corner_removals(it->second, 2, true, set);
    window.emplace(m, std::move(set));
  }
  Costas_class_set extras;
  add_corner_removals(window[n + 1], 1, false, extras);
  if (horizon_ >= 2) add_corner_removals(window[n + 2], 2, false, extras);
  return extras;
}

bool Generated_family::build(std::int32_t from, std::int32_t to,
                             const std::function<bool(std::int32_t, const Costas_class_set&)>& sink) {
  Costas_class_set below_1, below_2;   // the closed sets of orders n-1 and n-2
  for (std::int32_t n = std::max(2, from - horizon_); n <= to; ++n) {
    Costas_class_set closure = seeds(n, false);
    closure.merge(removals_into(n));
    add_corner_additions(below_1, 1, closure);
    add_corner_additions(below_2, 2, closure);
    // The bits come from the families alone; a class of the closure that none yields in one
    // step carries bit 0.
    Costas_class_set set = families_.labelled_classes(n);
    set.add_missing(closure, generation_method::search);
    if (n >= from && !sink(n, set)) return false;
    below_2 = std::move(below_1);
    below_1 = std::move(set);
    carriers_.erase(carriers_.begin(), carriers_.lower_bound(n + 1));
    families_.forget_below(n + 1);
  }
  return true;
}
