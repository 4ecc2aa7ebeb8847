// The database builder as a whole: arguments, the searched and generated parts, the checks
// and the options file for a database it built.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Make_Database/Builder_options.hpp"
#include "Make_Database/Costas_class_set.hpp"

class Console;

// Runs make_database with args (without the program name). Messages go to the console's
// output, progress to its error stream (a bar when terminal is true). Returns the exit status:
// 0 when every file was written completely, 1 when a file could not be written or a check
// failed, 2 for bad arguments.
int run_make_database(const std::vector<std::string>& args, Console& console, bool terminal);

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
