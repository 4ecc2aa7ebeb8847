#include "Make_Database/Search_ties.hpp"

#include <array>

namespace {

constexpr int unknown = -1;

// The first columns of an array, with the column of every row placed: column_of[r] is taken
// only when it names a column placed that holds r, so that a caller may leave stale entries.
struct Partial {
  std::span<const int> rows;
  std::span<const int> column_of;
  int n;
  int placed() const { return static_cast<int>(rows.size()); }
  int column(int r) const {
    const int c = column_of[static_cast<std::size_t>(r)];
    return c < placed() && rows[static_cast<std::size_t>(c)] == r ? c : unknown;
  }
};

// A transform as image[i] = value(source[index(i)]): source the columns' rows or, by_rows, the
// rows' columns (the inverse permutation: the transposes and the quarter turns), index i or,
// reversed, n-1-i, value v or, complemented, n-1-v. Entry i of the image, or unknown when the
// columns placed leave it open.
template <bool by_rows, bool reversed, bool complemented>
int image_entry(const Partial& p, int i) {
  const int index = reversed ? p.n - 1 - i : i;
  int v = unknown;
  if constexpr (by_rows) {
    v = p.column(index);
  } else {
    if (index < p.placed()) v = p.rows[static_cast<std::size_t>(index)];
  }
  return v == unknown || !complemented ? v : p.n - 1 - v;
}

// Adds to check that what is pending waits for column c or for row r (-1: none) to be placed.
void wait_for(Tie_check& check, int c, int r) {
  check.order = Tie_order::pending;
  if (check.wake_column < 0 || c < check.wake_column) check.wake_column = c;
  if (r >= 0) check.wake_rows |= 1U << r;
}

// The image under the transform against the array itself, entry by entry from column 1 (entry 0
// agrees); what stays open is added to check. An unknown entry of the image is still bounded: a
// row not yet placed lies in a column not yet placed, so the image's entry is at least the
// number k of columns placed, or, complemented, at most n-1-k.
template <bool by_rows, bool reversed, bool complemented>
Tie_order compare_with_image(const Partial& p, Tie_check& check) {
  const int k = p.placed();
  for (int i = 1; i < p.n; ++i) {
    const int index = reversed ? p.n - 1 - i : i;
    if (i >= k) {
      wait_for(check, i, by_rows ? index : -1);
      return Tie_order::pending;
    }
    const int own = p.rows[static_cast<std::size_t>(i)];
    const int image = image_entry<by_rows, reversed, complemented>(p, i);
    if (image == unknown) {
      if constexpr (!by_rows) {
        wait_for(check, index, -1);
      } else if constexpr (!complemented) {
        // Unless row index is placed first, column own placed decides it (least), so only
        // that row needs to wake a check.
        if (own < k) return Tie_order::least;
        wait_for(check, p.n, index);
      } else {
        if (own > p.n - 1 - k) return Tie_order::not_least;
        wait_for(check, p.n - 1 - own, index);
      }
      return Tie_order::pending;
    }
    if (image != own) return image < own ? Tie_order::not_least : Tie_order::least;
  }
  return Tie_order::least;   // the array is its own image
}

}  // namespace

Tie_check order_among_ties(std::span<const int> a, std::span<const int> column_of, int n) {
  if (a.empty()) return {};
  const Partial p{a, column_of, n};
  // Only a transform that keeps the column-0 dot (row r0) in place competes: the reflection of
  // the rows when r0 is the middle row, the transposes and quarter turns when row 0 or n-1 lies
  // in column r0 or n-1-r0, the reflection of the columns and the half turn when column n-1 holds
  // row r0 or n-1-r0.
  const int k = p.placed(), r0 = a[0], far = n - 1 - r0;
  const int at_r0 = r0 < k ? a[static_cast<std::size_t>(r0)] : unknown;
  const int at_far = far < k ? a[static_cast<std::size_t>(far)] : unknown;
  const int last = k == n ? a[static_cast<std::size_t>(n - 1)] : unknown;
  Tie_check check;
  const auto smaller = [](Tie_order order) { return order == Tie_order::not_least; };
  const bool least = !(far == r0 && smaller(compare_with_image<false, false, true>(p, check))) &&
                     !(last == r0 && smaller(compare_with_image<false, true, false>(p, check))) &&
                     !(last == far && smaller(compare_with_image<false, true, true>(p, check))) &&
                     !(at_r0 == 0 && smaller(compare_with_image<true, false, false>(p, check))) &&
                     !(at_far == 0 && smaller(compare_with_image<true, false, true>(p, check))) &&
                     !(at_r0 == n - 1 && smaller(compare_with_image<true, true, false>(p, check))) &&
                     !(at_far == n - 1 && smaller(compare_with_image<true, true, true>(p, check)));
  return least ? check : Tie_check{Tie_order::not_least, 0, -1};
}

Tie_check order_among_ties(std::span<const int> a, int n) {
  std::array<int, 32> column_of{};
  for (std::size_t c = 0; c < a.size(); ++c) column_of[static_cast<std::size_t>(a[c])] = static_cast<int>(c);
  return order_among_ties(a, column_of, n);
}

std::uint32_t tie_rows(int n, int r0, int c) {
  std::uint32_t rows = 0;
  if (c == r0 || c == n - 1 - r0) rows |= 1U | (1U << (n - 1));
  if (c == n - 1) rows |= (1U << r0) | (1U << (n - 1 - r0));
  return rows;
}
