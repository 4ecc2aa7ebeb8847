#include "Make_Database/Method_families.hpp"

#include <bit>
#include <optional>
#include <vector>

#include "Make_Database/Costas_constructions.hpp"

namespace {

// Windows off the corner occur for fields up to 53 and for none from 59 to 139; larger fields
// are not enumerated (an order there would cost minutes for windows that are not known to exist).
constexpr std::int32_t max_torus_field = 53;

constexpr std::uint32_t bit(int method) { return std::uint32_t{1} << method; }

class Marker {
 public:
  explicit Marker(Family_yields& yields) : yields_(yields) {}
  void rep(const Costas_perm& rep, int method) { yields_[rep] |= bit(method); }
  void array(std::span<const std::uint16_t> a, int method) { rep(class_representative(a), method); }
  void if_costas(const Costas_perm& a, int method) {
    if (is_costas(a)) array(a, method);
  }

 private:
  Family_yields& yields_;
};

// Every array reached from a by `steps` successive removals of a single corner dot.
void single_removals(const Costas_perm& a, int steps, std::vector<Costas_perm>& out) {
  if (steps == 0) {
    out.push_back(a);
    return;
  }
  for (int k = 0; k < 4; ++k) {
    if (auto smaller = remove_corner_dot(a, k)) single_removals(*smaller, steps - 1, out);
  }
}

// The Lempel arrays over GF(q): golomb(s, s) for every primitive exponent s.
std::vector<Costas_perm> lempel_arrays(std::int32_t q) {
  std::vector<Costas_perm> arrays;
  const Gf_field field = construction_field(q);
  if (!field.valid() || q < 4) return arrays;
  for (const std::int32_t s : field.primitive_exponents()) arrays.push_back(golomb(field, s, s));
  return arrays;
}

// Calls each(window, method) for every Costas torus window of every Golomb pattern over GF(q).
template <typename Each>
void for_each_torus_window(std::int32_t q, Each each) {
  if (q > max_torus_field || q < 4) return;
  const Gf_field field = construction_field(q);
  if (!field.valid()) return;
  // The windows of golomb(t, s) are the transposes of those of golomb(s, t).
  for (const std::int32_t s : field.primitive_exponents()) {
    for (const std::int32_t t : field.primitive_exponents()) {
      if (t < s) continue;
      for (const auto& window : costas_torus_windows(golomb(field, s, t))) {
        each(window.perm, is_symmetrical(window.perm) ? generation_method::inhom_s_1
                          : s != t                    ? generation_method::inhom_a_1
                                                      : generation_method::rickard_l_g_1);
      }
    }
  }
}

// Corner operations commute with the eight transforms, so applying one at every corner of one
// member of each class reaches every class the operation yields from the family. The Lempel
// families take their dots on the axis of symmetry only: corners 0 and 3 of a Lempel array.
void welch_families(Method_families& families, std::int32_t n, Marker& mark) {
  using namespace generation_method;
  for (std::size_t size = 0; size <= 3; ++size) {
    const auto p = static_cast<std::int32_t>(n + 1 + static_cast<std::int32_t>(size));
    for (const auto& [rep, method] : families.welch_classes(p).classes()) {
      if (size == 0) {
        mark.rep(rep, welch_0);
        continue;
      }
      for (int k = 0; k < 4; ++k) {
        if (auto smaller = remove_corner_square(rep, k, size)) {
          mark.array(*smaller, welch_0 + static_cast<int>(size));
        }
      }
    }
  }
  for (const auto& [rep, method] : families.welch_classes(n).classes()) {
    for (int k = 0; k < 4; ++k) mark.if_costas(add_corner_dot(rep, k), rickard_w_0);
  }
}

void golomb_families(Method_families& families, std::int32_t n, Marker& mark) {
  using namespace generation_method;
  for (const auto& [rep, method] : families.golomb_classes(n).classes()) {
    for (int diagonal = 0; diagonal < 2; ++diagonal) {
      mark.if_costas(add_opposite_corners(rep, diagonal), taylor_0);
    }
  }
  for (const auto& [rep, method] : families.golomb_classes(n + 1).classes()) {
    for (int k = 0; k < 4; ++k) mark.if_costas(add_corner_dot(rep, k), taylor_1);
  }
  for (const auto& [rep, method] : families.golomb_classes(n + 2).classes()) {
    mark.rep(rep, golomb_2);
    if (method == lempel_2) mark.rep(rep, lempel_2);
  }
  std::vector<Costas_perm> reached;
  for (const std::int32_t d : {3, 4, 5}) {
    for (const auto& [rep, method] : families.golomb_classes(n + d).classes()) {
      reached.clear();
      single_removals(rep, d - 2, reached);
      for (const auto& a : reached) mark.array(a, d == 3 ? golomb_3 : d == 4 ? golomb_s4 : golomb_s5);
      if (d != 4) continue;
      for (int k = 0; k < 4; ++k) {
        if (remove_corner_dot(rep, k)) {
          if (auto smaller = remove_corner_block(rep, k)) mark.array(*smaller, golomb_4);
        }
      }
    }
  }
  for (const std::int32_t d : {3, 4}) {
    for (const auto& lempel : lempel_arrays(n + d)) {
      for (const int k : {0, 3}) {
        const bool corner_dot = remove_corner_dot(lempel, k).has_value();
        if (d == 3) {
          if (auto smaller = remove_corner_dot(lempel, k)) mark.array(*smaller, lempel_3);
        } else if (auto smaller = remove_corner_block(lempel, k)) {
          mark.array(*smaller, corner_dot ? lempel_4 : taylor_4);
        }
      }
    }
  }
}

}  // namespace

int lowest_method(std::uint32_t yields) {
  return yields == 0 ? generation_method::search : std::countr_zero(yields);
}

Family_yields Method_families::yields(std::int32_t n) {
  Family_yields yields;
  Marker mark(yields);
  welch_families(*this, n, mark);
  golomb_families(*this, n, mark);
  for_each_torus_window(n + 1, [&mark](const Costas_perm& window, int method) {
    mark.array(window, method);
  });
  return yields;
}

Costas_class_set Method_families::labelled_classes(std::int32_t n) {
  Costas_class_set set;
  for (const auto& [rep, bits] : yields(n)) set.add_representative(rep, lowest_method(bits));
  return set;
}

// The exponential Welch arrays of one class are (g, s), (g, s + h), (g^-1, 1 - s) and
// (g^-1, 1 - s - h) with h = (p-1)/2 (rows, columns and both reversed), so one root of each
// pair {g, g^-1} and the shifts below h reach every class.
const Costas_class_set& Method_families::welch_classes(std::int32_t p) {
  auto [it, added] = welch_.try_emplace(p);
  if (!added || p < 3) return it->second;
  for (const std::int32_t g : primitive_roots(p)) {
    const std::int32_t g_inverse = exponential_welch_row(p, g, p - 2, 0) + 1;
    if (g_inverse < g) continue;
    for (std::int32_t shift = 0; shift < (p - 1) / 2; ++shift) {
      it->second.add(exponential_welch(p, g, shift), generation_method::welch_0);
    }
  }
  return it->second;
}

// golomb(t, s) is the transpose of golomb(s, t): s <= t reaches every class.
const Costas_class_set& Method_families::golomb_classes(std::int32_t q) {
  auto [it, added] = golomb_.try_emplace(q);
  if (!added || q < 4) return it->second;
  const Gf_field field = construction_field(q);
  if (!field.valid()) return it->second;
  for (const std::int32_t s : field.primitive_exponents()) {
    for (const std::int32_t t : field.primitive_exponents()) {
      if (t < s) continue;
      it->second.add(golomb(field, s, t),
                     s == t ? generation_method::lempel_2 : generation_method::golomb_2);
    }
  }
  return it->second;
}

Costas_class_set Method_families::torus_window_classes(std::int32_t q) {
  Costas_class_set set;
  for_each_torus_window(q, [&set](const Costas_perm& window, int method) { set.add(window, method); });
  return set;
}

void Method_families::forget_below(std::int32_t q) {
  welch_.erase(welch_.begin(), welch_.lower_bound(q));
  golomb_.erase(golomb_.begin(), golomb_.lower_bound(q));
}
