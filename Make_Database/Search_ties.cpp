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

// Only a transform that keeps the column-0 dot in place competes; whether it does is told once
// the entry 0 of its image is known. False when it shows a smaller array.
template <bool by_rows, bool reversed, bool complemented>
bool not_smaller(const Partial& p, Tie_check& check) {
  if (image_entry<by_rows, reversed, complemented>(p, 0) != p.rows[0]) return true;
  return compare_with_image<by_rows, reversed, complemented>(p, check) != Tie_order::not_least;
}

}  // namespace

Tie_check order_among_ties(std::span<const int> a, std::span<const int> column_of, int n) {
  if (a.empty()) return {};
  const Partial p{a, column_of, n};
  Tie_check check;
  // The seven transforms that are not the identity.
  const bool least = not_smaller<false, false, true>(p, check) && not_smaller<false, true, false>(p, check) &&
                     not_smaller<false, true, true>(p, check) && not_smaller<true, false, false>(p, check) &&
                     not_smaller<true, false, true>(p, check) && not_smaller<true, true, false>(p, check) &&
                     not_smaller<true, true, true>(p, check);
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
