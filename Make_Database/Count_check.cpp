#include "Make_Database/Count_check.hpp"

#include "_Library/Count_tables.hpp"

std::string counts_text(const Class_counts& c) {
  return std::to_string(c.all) + "/" + std::to_string(c.essential) + "/" +
         std::to_string(c.symmetrical) + "/" + std::to_string(c.g_symmetrical);
}

Class_counts expected_counts(std::int32_t n) {
  const Order_counts table = database_counts(n);
  return {table.all, table.essential, table.symmetrical, table.g_symmetrical};
}

std::string built_and_table_counts(const Class_counts& counts, const Class_counts& expected) {
  return "built " + counts_text(counts) + ", count tables " + counts_text(expected) + " " +
         std::string(counts_legend);
}

std::string count_difference(std::int32_t n, const Class_counts& counts) {
  const Class_counts expected = expected_counts(n);
  if (counts == expected) return {};
  return "order " + std::to_string(n) + ": " + built_and_table_counts(counts, expected);
}

bool within_count_tables(std::int32_t n, const Class_counts& c) {
  const Class_counts t = expected_counts(n);
  return c.all <= t.all && c.essential <= t.essential && c.symmetrical <= t.symmetrical &&
         c.g_symmetrical <= t.g_symmetrical;
}

std::string identity_failure(std::int32_t n, const Class_counts& c) {
  if (n < 3 || c.all == 8 * c.essential - 4 * c.symmetrical) return {};
  return "order " + std::to_string(n) + ": " + std::to_string(c.all) +
         " arrays break all = 8 * essential - 4 * symmetrical (" + counts_text(c) + ")";
}
