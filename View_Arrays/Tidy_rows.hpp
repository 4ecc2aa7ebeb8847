// The csv file of the program's select command as a source: a header row naming the columns,
// then one array per row with its method names, flags and rows r1..rN as columns.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Where the rows of a select csv file stand: the column of r1 and how many rows follow.
struct Tidy_columns {
  std::size_t first_row = 0;
  std::size_t count = 0;
  std::size_t method = 0;   // the column of the method names
};

// The columns the header row of a select csv file names; nothing for any other line.
std::optional<Tidy_columns> tidy_columns(std::string_view header);

// One data row: its row indices joined by blanks into rows, and its method names joined by
// ", " into tag; false when the row has fewer columns than the header.
bool read_tidy_row(std::string_view row, const Tidy_columns& columns, std::string& rows,
                   std::string& tag);
