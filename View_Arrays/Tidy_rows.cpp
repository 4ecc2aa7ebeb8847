#include "View_Arrays/Tidy_rows.hpp"

#include <vector>

namespace {

// The fields of one csv line, a quoted field unquoted (a doubled quote inside it is one quote).
std::vector<std::string> csv_fields(std::string_view line) {
  std::vector<std::string> fields(1);
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    const char c = line[i];
    if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
      fields.back() += '"';
      ++i;
    } else if (c == '"') {
      quoted = !quoted;
    } else if (c == ',' && !quoted) {
      fields.emplace_back();
    } else {
      fields.back() += c;
    }
  }
  return fields;
}

}  // namespace

std::optional<Tidy_columns> tidy_columns(std::string_view header) {
  if (!header.starts_with("order,line,method,flags,")) return std::nullopt;
  const std::vector<std::string> names = csv_fields(header);
  Tidy_columns columns;
  columns.method = 2;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string_view name = names[i];
    if (!name.starts_with('r') || name.substr(1) != std::to_string(columns.count + 1)) continue;
    if (columns.count == 0) columns.first_row = i;
    ++columns.count;
  }
  if (columns.count == 0) return std::nullopt;
  return columns;
}

bool read_tidy_row(std::string_view row, const Tidy_columns& columns, std::string& rows,
                   std::string& tag) {
  const std::vector<std::string> fields = csv_fields(row);
  if (fields.size() < columns.first_row + columns.count) return false;
  rows.clear();
  for (std::size_t i = 0; i < columns.count; ++i) {
    if (i != 0) rows += ' ';
    rows += fields[columns.first_row + i];
  }
  tag.clear();
  for (const char c : fields[columns.method]) tag += c == ';' ? std::string(", ") : std::string(1, c);
  return true;
}
