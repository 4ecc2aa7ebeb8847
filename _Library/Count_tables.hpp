// The count tables: how many Costas arrays of each kind the database holds for every order
// from 2 to 500 (exhaustive counts to order 27, constructed ones above).
#pragma once

#include <cstdint>

constexpr std::int32_t first_counted_order = 2;
constexpr std::int32_t last_counted_order = 500;

struct Order_counts {
  std::int32_t all, essential, symmetrical, g_symmetrical;
};
// The counts of order n (2..500); zero counts for any other n.
Order_counts count_tables(std::int32_t n);
// The counts a complete database holds for order n: the count tables, except that both arrays
// of order 2 are G-symmetrical where the tables record one. Checks of a built or copied database
// compare with these; the program shows and exports the tables as they are.
Order_counts database_counts(std::int32_t n);
// Of database_counts(n), the count of one symmetry class: 1 all arrays, 2 the essential set,
// 3 the symmetrical, 4 the G-symmetrical ones; -1 for any other class.
std::int64_t database_count(std::int32_t n, std::int32_t symmetry_type);
// The one generated order whose row of the count tables also counts arrays that only the
// exhaustive search finds, so that the constructions alone hold fewer than the row.
constexpr std::int32_t search_only_arrays_order = 29;
