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
// The difference between counts and the count tables of order n, or an empty text.
std::string count_difference(std::int32_t n, const Class_counts& counts);
// Whether no count exceeds the count tables' of order n, as for a part of the order's arrays.
bool within_count_tables(std::int32_t n, const Class_counts& counts);
// An empty text when all = 8 * essential - 4 * symmetrical (always true below order 3), else
// what failed.
std::string identity_failure(std::int32_t n, const Class_counts& counts);
