// The search's tie-break among the members of a class it would otherwise find more than once:
// the transforms that keep a member's column-0 dot where it is (the other edge dots at the same
// distance from their nearest corner) carry it to other members the search also visits, and only
// the least of them (as a sequence of rows) needs to be found. Told from the first columns alone,
// as soon as the columns and rows placed decide it, so that a branch is dropped early.
#pragma once

#include <cstdint>
#include <span>

// Of a partial array a (its first columns 0..size()-1, rows 0..n-1 each at most once) and every
// completion of it: not_least when some transform known to keep the column-0 dot carries every
// completion to a smaller array, least when none of them can, pending while the columns placed
// leave it open. Every completion of a prefix that is not_least is not_least (so a branch may be
// dropped at any column), and a whole array (size() == n) is never pending. Whether a transform
// keeps the column-0 dot is known once the dot its image takes to column 0 is placed; only a
// row of tie_rows placed in its column makes a new one known.
// While pending, what may decide it against the prefix (not_least) or make a check worth it: a
// row of wake_rows placed in any column, or any row placed in column wake_column (n: none); any
// other placement leaves it pending or decides it least, never not_least.
enum class Tie_order { least, pending, not_least };
struct Tie_check {
  Tie_order order = Tie_order::least;
  std::uint32_t wake_rows = 0;
  int wake_column = -1;
};
Tie_check order_among_ties(std::span<const int> a, int n);
// The same, with the column of each row placed at hand: column_of (32 entries, each 0..31) gives
// it for every row placed and may hold anything for the others.
Tie_check order_among_ties(std::span<const int> a, std::span<const int> column_of, int n);

// The rows that, placed in column c of an array of order n with its column-0 dot in row r0, may
// show a transform that keeps that dot: rows 0 and n-1 in columns r0 and n-1-r0, rows r0 and
// n-1-r0 in column n-1.
std::uint32_t tie_rows(int n, int r0, int c);
