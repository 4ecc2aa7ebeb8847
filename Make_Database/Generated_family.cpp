#include "Make_Database/Generated_family.hpp"

#include "Make_Database/Costas_constructions.hpp"
#include "Make_Database/Generation_methods.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"

namespace {

constexpr std::int32_t max_torus_field = 53;   // windows off the corner occur only up to here

}  // namespace

bool has_removable_corner(std::int32_t n, std::int32_t first, std::int32_t second,
                          std::int32_t second_last, std::int32_t last) {
  if (n < 2) return false;
  const auto corner_row = [n](std::int32_t r) { return r == 0 || r == n - 1; };
  if (corner_row(first) || corner_row(last)) return true;
  if (n < 3) return false;
  const auto block = [n](std::int32_t x, std::int32_t y) {
    return (x <= 1 && y <= 1) || (x >= n - 2 && y >= n - 2);
  };
  return block(first, second) || block(second_last, last);
}

bool has_removable_corner(std::span<const std::uint16_t> a) {
  const auto n = static_cast<std::int32_t>(a.size());
  if (n < 2) return false;
  return has_removable_corner(n, a[0], a[1], a[a.size() - 2], a[a.size() - 1]);
}

void add_corner_removals(const Costas_class_set& from, int step, bool carriers_only,
                         Costas_class_set& into) {
  for (const auto& [rep, method] : from.classes()) {
    for (int k = 0; k < 4; ++k) {
      std::optional<Costas_perm> smaller;
      Corner_operation op = Corner_operation::remove_dot;
      if (step == 1) {
        smaller = remove_corner_dot(rep, k);
      } else {
        smaller = remove_corner_block(rep, k);
        // The block is diagonal when the corner cell itself holds a dot.
        const bool diagonal = remove_corner_dot(rep, k).has_value();
        op = diagonal ? Corner_operation::remove_diagonal_block : Corner_operation::remove_anti_block;
      }
      if (!smaller || (carriers_only && !has_removable_corner(*smaller))) continue;
      into.add(*smaller, derived_method(method, op));
    }
  }
}

void add_corner_additions(const Costas_class_set& from, int step, Costas_class_set& into) {
  for (const auto& [rep, method] : from.classes()) {
    for (int k = 0; k < (step == 1 ? 4 : 2); ++k) {
      const Costas_perm larger = step == 1 ? add_corner_dot(rep, k) : add_opposite_corners(rep, k);
      if (!is_costas(larger)) continue;
      into.add(larger, derived_method(method, step == 1 ? Corner_operation::add_dot
                                                        : Corner_operation::add_two_dots));
    }
  }
}

// The exponential Welch arrays of one class are (g, s), (g, s + h), (g^-1, 1 - s) and
// (g^-1, 1 - s - h) with h = (p-1)/2 (rows, columns and both reversed), so one root of each
// pair {g, g^-1} and the shifts below h reach every class.
void Generated_family::add_welch(std::int32_t n, bool carriers_only, Costas_class_set& into) {
  const std::int32_t p = n + 1;
  if (p < 3) return;
  number_theory_.factorize(p);
  if (!number_theory_.factor_record.is_prime) return;
  for (const std::int32_t g : primitive_roots(p)) {
    const std::int32_t g_inverse = exponential_welch_row(p, g, p - 2, 0) + 1;
    if (g_inverse < g) continue;
    for (std::int32_t shift = 0; shift < (p - 1) / 2; ++shift) {
      if (carriers_only &&
          !has_removable_corner(n, exponential_welch_row(p, g, shift, 0), exponential_welch_row(p, g, shift, 1),
                                exponential_welch_row(p, g, shift, n - 2), exponential_welch_row(p, g, shift, n - 1))) {
        continue;
      }
      into.add(exponential_welch(p, g, shift), generation_method::welch_0);
    }
  }
}

// golomb(t, s) is the transpose of golomb(s, t): s <= t reaches every class.
void Generated_family::add_golomb(std::int32_t n, bool carriers_only, Costas_class_set& into) {
  const Gf_field field = construction_field(n + 2);
  if (!field.valid() || n < 2) return;
  for (const std::int32_t s : field.primitive_exponents()) {
    for (const std::int32_t t : field.primitive_exponents()) {
      if (t < s) continue;
      if (carriers_only &&
          !has_removable_corner(n, golomb_row(field, s, t, 0), golomb_row(field, s, t, 1),
                                golomb_row(field, s, t, n - 2), golomb_row(field, s, t, n - 1))) {
        continue;
      }
      into.add(golomb(field, s, t), s == t ? generation_method::lempel_2 : generation_method::golomb_2);
    }
  }
}

void Generated_family::add_torus_windows(std::int32_t n, Costas_class_set& into) {
  const std::int32_t q = n + 1;
  if (q > max_torus_field || n < 3) return;
  const Gf_field field = construction_field(q);
  if (!field.valid()) return;
  // The windows of golomb(t, s) are the transposes of those of golomb(s, t).
  for (const std::int32_t s : field.primitive_exponents()) {
    for (const std::int32_t t : field.primitive_exponents()) {
      if (t < s) continue;
      for (const auto& window : costas_torus_windows(golomb(field, s, t))) {
        const int method = is_symmetrical(window.perm) ? generation_method::inhom_s_1
                           : s != t                    ? generation_method::inhom_a_1
                                                       : generation_method::rickard_l_g_1;
        into.add(window.perm, method);
      }
    }
  }
}

Costas_class_set Generated_family::seeds(std::int32_t n, bool carriers_only) {
  Costas_class_set set;
  add_welch(n, carriers_only, set);
  add_golomb(n, carriers_only, set);
  if (!carriers_only) add_torus_windows(n, set);
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
    Costas_class_set set = seeds(n, false);
    set.merge(removals_into(n));
    add_corner_additions(below_1, 1, set);
    add_corner_additions(below_2, 2, set);
    if (n >= from && !sink(n, set)) return false;
    below_2 = std::move(below_1);
    below_1 = std::move(set);
    carriers_.erase(carriers_.begin(), carriers_.lower_bound(n + 1));
  }
  return true;
}
