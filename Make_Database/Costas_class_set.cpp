#include "Make_Database/Costas_class_set.hpp"

#include <algorithm>

bool Costas_class_set::add(std::span<const std::uint16_t> a, int method) {
  return add_representative(class_representative(a), method);
}

bool Costas_class_set::add_representative(const Costas_perm& rep, int method) {
  auto [it, inserted] = classes_.try_emplace(rep, method);
  if (!inserted && method < it->second) it->second = method;
  return inserted;
}

void Costas_class_set::merge(const Costas_class_set& other) {
  for (const auto& [rep, method] : other.classes_) add_representative(rep, method);
}

void Costas_class_set::add_missing(const Costas_class_set& other, int method) {
  for (const auto& [rep, other_method] : other.classes_) classes_.try_emplace(rep, method);
}

bool Costas_class_set::contains_class_of(std::span<const std::uint16_t> a) const {
  return classes_.contains(class_representative(a));
}

std::vector<std::pair<const Costas_perm*, int>> Costas_class_set::sorted() const {
  std::vector<std::pair<const Costas_perm*, int>> out;
  out.reserve(classes_.size());
  for (const auto& [rep, method] : classes_) out.emplace_back(&rep, method);
  std::sort(out.begin(), out.end(), [](const auto& x, const auto& y) { return *x.first < *y.first; });
  return out;
}

Class_counts Costas_class_set::counts() const {
  Class_counts counts;
  for (const auto& [rep, method] : classes_) {
    const auto members = class_members(rep);
    counts.all += static_cast<std::int64_t>(members.size());
    ++counts.essential;
    if (is_symmetrical(rep)) ++counts.symmetrical;
    for (const auto& member : members) counts.g_symmetrical += is_g_symmetrical(member.perm) ? 1 : 0;
  }
  return counts;
}
