#include "View_Arrays/Costas_check.hpp"

#include <algorithm>
#include <vector>

std::optional<Repeated_vector> first_repeated_vector(std::span<const std::uint16_t> a) {
  const int n = static_cast<int>(a.size());
  // For the current dx, the column (plus 1) where each dy was first seen; dy + n - 1 indexes it.
  std::vector<int> seen(static_cast<std::size_t>(2 * n), 0);
  for (int dx = 1; dx < n; ++dx) {
    std::fill(seen.begin(), seen.end(), 0);
    for (int c = 0; c + dx < n; ++c) {
      const int dy = int{a[static_cast<std::size_t>(c + dx)]} - int{a[static_cast<std::size_t>(c)]};
      int& first = seen[static_cast<std::size_t>(dy + n - 1)];
      if (first != 0) return Repeated_vector{dx, dy, first - 1, c};
      first = c + 1;
    }
  }
  return std::nullopt;
}

namespace {

std::string dot(const Viewed_array& array, int column) {
  // Appended piece by piece: GCC 12 warns falsely (-Wrestrict) on "(" + std::string chains.
  std::string text(1, '(');
  text += std::to_string(column + array.base);
  text += ", ";
  text += std::to_string(array.rows[static_cast<std::size_t>(column)] + array.base);
  text += ')';
  return text;
}

}  // namespace

std::string check_line(const Viewed_array& array, const std::optional<Repeated_vector>& repeat) {
  std::string text = array.label();
  if (!array.tag.empty()) text += " [" + array.tag + "]";
  const std::string order = std::to_string(array.rows.size());
  if (!repeat) {
    text += ": Costas array of order " + order;
  } else {
    const Repeated_vector& r = *repeat;
    text += ": not a Costas array of order " + order + ": the displacement (" +
            std::to_string(r.dx) + ", " + std::to_string(r.dy) + ") repeats: dots " +
            dot(array, r.first) + " to " + dot(array, r.first + r.dx) + " and dots " +
            dot(array, r.second) + " to " + dot(array, r.second + r.dx);
  }
  text += "; symmetric about the diagonal: ";
  text += is_symmetrical(array.rows) ? "yes" : "no";
  text += "; G-symmetrical: ";
  text += is_g_symmetrical(array.rows) ? "yes" : "no";
  return text;
}
