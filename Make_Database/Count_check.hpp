// The counts of a built or verified order beside the count tables: the texts that report them
// and the checks that compare them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "Make_Database/Costas_class_set.hpp"

// The four counts as "all/essential/symmetrical/G-symmetrical", numbers only.
std::string counts_text(const Class_counts& counts);
// The words that name the four numbers of counts_text, in its order.
inline constexpr std::string_view counts_legend = "(all/essential/symmetrical/G-symmetrical)";
// The counts a complete database holds for order n (database_counts of the count tables).
Class_counts expected_counts(std::int32_t n);
// "built A, count tables B (all/...)": counts beside the count tables' expected ones.
std::string built_and_table_counts(const Class_counts& counts, const Class_counts& expected);
// "A where the count tables list B (all/...)": counts read from files beside the tables'.
std::string held_and_table_counts(const Class_counts& counts, const Class_counts& expected);
// The difference between counts and the count tables of order n, or an empty text.
std::string count_difference(std::int32_t n, const Class_counts& counts);
// Whether no count exceeds the count tables' of order n, as for a part of the order's arrays.
bool within_count_tables(std::int32_t n, const Class_counts& counts);
// An empty text when all = 8 * essential - 4 * symmetrical (always true below order 3), else
// what failed.
std::string identity_failure(std::int32_t n, const Class_counts& counts);

// How an order's counts stand against the count tables. A difference is documented only for an
// order built from its constructions alone (each count within the tables') and for generated
// order search_only_arrays_order at exactly the counts its constructions give; any other
// difference is a failed check.
enum class Count_standing { matches, constructions_only, search_only_missing, differs };
// The counts of the constructions of generated order search_only_arrays_order.
inline constexpr Class_counts search_only_order_constructed{148, 21, 5, 0};
Count_standing count_standing(std::int32_t n, bool generated, const Class_counts& counts,
                              bool constructions_only);
// The words that say why generated order search_only_arrays_order holds fewer than the tables.
inline constexpr std::string_view search_only_words =
    "the tables also count the arrays only the exhaustive search finds";

// The count check over the orders of a build or a verification, and its closing line.
struct Count_tally {
  int matching = 0, constructions_only = 0, search_only_missing = 0, differing = 0;
  void add(Count_standing standing);
};
std::string count_tally_line(const Count_tally& tally);

// "1 order", "2 orders": a count and its noun, singular for one.
std::string counted(std::int64_t count, std::string_view singular, std::string_view plural);
