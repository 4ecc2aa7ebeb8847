// The order summary table above the options menu: the counts of the current order and of the
// nearest lower and higher orders at which arrays of each kind exist in the database's range.
#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Text_layout.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"

namespace {

constexpr int order_width = 5;   // the order ends at column 20
constexpr int count_width = 14;  // each count ends 14 columns after the one before
const std::string row_indent(15, ' ');

struct Search_entry {
  bool found = false;
  std::int32_t order = 0;
};

// The count of one kind: 0 all arrays, 1 symmetrical, 2 G-symmetrical.
std::int32_t kind_count(std::int32_t n, int kind) {
  const Order_counts counts = count_tables(n);
  if (kind == 0) return counts.all;
  if (kind == 1) return counts.symmetrical;
  return counts.g_symmetrical;
}

std::string count_row(std::string label, std::int32_t n) {
  const Order_counts counts = count_tables(n);
  append_fixed_int(label, n, order_width);
  for (std::int32_t count :
       {counts.all, counts.essential, counts.symmetrical, counts.g_symmetrical}) {
    append_fixed_int(label, count, count_width);
  }
  return label;
}

std::string placeholder_row() {
  std::string row = row_indent + "*****";
  for (int i = 0; i < 4; ++i) row += std::string(count_width - 5, ' ') + "*****";
  return row;
}

// For each kind, the first order with a non-zero count walking from `from` by `step` (1 or -1)
// up to `to` inclusive; an entry not found keeps the order db_max_order + 1.
std::array<Search_entry, 3> search_orders(const Options& options, std::int32_t from,
                                          std::int32_t to, int step) {
  std::array<Search_entry, 3> entries;
  for (int kind = 0; kind < 3; ++kind) {
    Search_entry& entry = entries[static_cast<std::size_t>(kind)];
    entry.order = options.db_max_order + 1;
    for (std::int32_t n = from; step < 0 ? n >= to : n <= to; n += step) {
      if (kind_count(n, kind) != 0) {
        entry = {true, n};
        break;
      }
    }
  }
  // Ascending by order; among equal orders the first one found moves up, as a selection sort.
  for (std::size_t position = 0; position < 2; ++position) {
    std::size_t smallest = position;
    for (std::size_t other = position + 1; other < 3; ++other) {
      if (entries[other].order < entries[smallest].order) smallest = other;
    }
    std::swap(entries[position], entries[smallest]);
  }
  return entries;
}

// Placeholders for the kinds not found, one row per distinct order found.
void show_search_rows(const Options& options, Status_line& status,
                      const std::array<Search_entry, 3>& entries) {
  std::int32_t last_printed = options.db_min_order - 1;
  for (const Search_entry& entry : entries) {
    if (!entry.found) {
      status.show(placeholder_row());
    } else if (entry.order != last_printed) {
      status.show(count_row(row_indent, entry.order));
      last_printed = entry.order;
    }
  }
}

}  // namespace

void order_summary_table(const Options& options, Status_line& status) {
  const std::string asterisks(79, '*');
  status.show(asterisks);
  status.show(row_indent + "Order" + std::string(11, ' ') + "All" + std::string(5, ' ') +
              "Essential" + std::string(3, ' ') + "Symmetrical" + " " + "G-Symmetrical");
  show_search_rows(options, status,
                   search_orders(options, options.ca_order - 1, options.db_min_order, -1));
  status.show(count_row("Current order: ", options.ca_order));
  show_search_rows(options, status,
                   search_orders(options, options.ca_order + 1, options.db_max_order, +1));
  status.show(asterisks);
}
