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

std::string held_and_table_counts(const Class_counts& counts, const Class_counts& expected) {
  return counts_text(counts) + " where the count tables list " + counts_text(expected) + " " +
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

Count_standing count_standing(std::int32_t n, bool generated, const Class_counts& counts,
                              bool constructions_only) {
  if (counts == expected_counts(n)) return Count_standing::matches;
  if (constructions_only && within_count_tables(n, counts)) return Count_standing::constructions_only;
  if (generated && n == search_only_arrays_order && counts == search_only_order_constructed) {
    return Count_standing::search_only_missing;
  }
  return Count_standing::differs;
}

void Count_tally::add(Count_standing standing) {
  switch (standing) {
    case Count_standing::matches: ++matching; break;
    case Count_standing::constructions_only: ++constructions_only; break;
    case Count_standing::search_only_missing: ++search_only_missing; break;
    case Count_standing::differs: ++differing; break;
  }
}

std::string counted(std::int64_t count, std::string_view singular, std::string_view plural) {
  return std::to_string(count) + " " + std::string(count == 1 ? singular : plural);
}

std::string count_tally_line(const Count_tally& t) {
  return "Count check: " + counted(t.matching, "order matches", "orders match") +
         " the count tables, " + counted(t.constructions_only, "holds", "hold") +
         " constructions only, " + counted(t.search_only_missing, "lacks", "lack") +
         " the arrays only the search finds (generated " + std::to_string(search_only_arrays_order) +
         "), " + counted(t.differing, "differs", "differ");
}
