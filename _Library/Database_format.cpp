#include "_Library/Database_format.hpp"

#include <algorithm>
#include <charconv>
#include <cstdio>

#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"

// ---- File names ----

std::string database_file_name(std::string_view folder, std::string_view kind, std::int32_t n) {
  char digits[16];
  const auto result = std::to_chars(digits, digits + sizeof digits, n);
  std::string name(folder);
  name += kind;
  name.append(digits, result.ptr);
  name += ".txt";
  return name;
}

std::string methods_file_name(std::string_view arrays_file_name) {
  return std::string(arrays_file_name) + "_methods.txt";
}

std::optional<Database_file_name> read_database_file_name(std::string_view name) {
  for (const std::string_view kind :
       {all_arrays_kind, essential_kind, symmetrical_kind, g_symmetrical_kind, log_kind}) {
    if (!name.starts_with(kind)) continue;
    name.remove_prefix(kind.size());
    std::size_t digits = 0;
    while (digits < name.size() && digits < 4 && name[digits] >= '0' && name[digits] <= '9') {
      ++digits;
    }
    Database_file_name parts{kind, 0, name.substr(digits) == ".txt_methods.txt"};
    if (digits == 0 || (!parts.methods && name.substr(digits) != ".txt")) return std::nullopt;
    for (std::size_t i = 0; i < digits; ++i) parts.order = parts.order * 10 + (name[i] - '0');
    return parts;
  }
  return std::nullopt;
}

std::string database_folder(std::string_view database_path, std::string_view folder) {
  std::string composed(trim_right(database_path));
  composed += folder;
  composed += '\\';
  return composed;
}

std::string database_folder_holding(std::string_view name, std::string_view database_path) {
  for (const std::string_view folder : {generated_folder, searched_folder}) {
    const std::string composed = database_folder(database_path, folder);
    if (path_lies_inside(name, composed)) return composed;
  }
  return {};
}

// ---- End lines ----

bool is_end_line(std::string_view line) {
  constexpr std::string_view end_lines[] = {no_arrays_line, no_symmetrical_line,
                                            no_g_symmetrical_line};
  return std::any_of(std::begin(end_lines), std::end(end_lines), [line](std::string_view end) {
    return line.find(end) != std::string_view::npos;
  });
}

// ---- Array lines and the header ----

namespace {

std::string count_fault(std::int32_t found, std::int32_t n) {
  return std::to_string(found) + (found == 1 ? " row index" : " row indices") +
         " where the order needs " + std::to_string(n);
}

// The slow path, taken only for a token that the fast loop does not accept: says what is wrong
// with it, or reads it when it is a valid index after all (a leading "+", many digits).
std::string read_token(const char* token, const char* end, std::int32_t n, std::int32_t base,
                       std::int32_t& index) {
  const char* digits = (*token == '+' && end - token > 1) ? token + 1 : token;
  std::int32_t value = 0;
  const auto result = std::from_chars(digits, end, value);
  if (result.ec != std::errc() || result.ptr != end) {
    std::string fault(1, '"');
    fault.append(token, end);
    fault += "\" is not a row index";
    return fault;
  }
  if (value < base || value - base >= n) {
    return "row index " + std::to_string(value) + " is outside " + std::to_string(base) +
           " to " + std::to_string(n - 1 + base);
  }
  index = value - base;
  return {};
}

// Reads one integer of a header line after its separators; p moves past it.
template <typename Integer>
bool read_header_item(const char*& p, const char* end, Integer& value) {
  while (p != end && is_row_separator(*p)) ++p;
  const auto result = std::from_chars(p, end, value);
  if (result.ec != std::errc()) return false;
  p = result.ptr;
  return p == end || is_row_separator(*p);
}

}  // namespace

std::string all_arrays_header(std::int32_t n, std::int64_t count) { return free_form(n, count); }

bool read_all_arrays_header(std::string_view line, std::int32_t& n, std::int64_t& count) {
  const char* p = line.data();
  const char* const end = p + line.size();
  if (!read_header_item(p, end, n) || !read_header_item(p, end, count)) return false;
  while (p != end && is_row_separator(*p)) ++p;
  return p == end;
}

void write_array_line(std::string& line, std::span<const std::uint16_t> rows, int base,
                      bool polymorph) {
  line.assign(polymorph ? "Polymorph: " : "");
  char digits[8];
  for (std::size_t c = 0; c < rows.size(); ++c) {
    if (c > 0) line += ' ';
    const auto [end, ec] = std::to_chars(digits, digits + sizeof digits, rows[c] + base);
    line.append(digits, end);
  }
}

bool take_polymorph_mark(std::string_view& line) {
  if (line.find(polymorph_mark) == std::string_view::npos) return false;
  const auto blank = line.find(' ');
  line = blank == std::string_view::npos ? std::string_view() : line.substr(blank);
  return true;
}

std::string read_row_indices(std::string_view text, std::int32_t n, std::int32_t base,
                             std::span<std::int32_t> rows) {
  const char* p = text.data();
  const char* const end = p + text.size();
  for (std::int32_t i = 0; i < n; ++i) {
    while (p != end && is_row_separator(*p)) ++p;
    if (p == end) return count_fault(i, n);
    // Fast path: up to four plain digits, the only form a well-formed line holds.
    const char* token = p;
    std::int32_t value = 0;
    if (end - p >= 4) {
      // Without a branch on the number of digits, which varies from index to index.
      const unsigned c0 = static_cast<unsigned char>(p[0] - '0');
      const unsigned c1 = static_cast<unsigned char>(p[1] - '0');
      const unsigned c2 = static_cast<unsigned char>(p[2] - '0');
      const unsigned c3 = static_cast<unsigned char>(p[3] - '0');
      const unsigned d1 = c0 < 10, d2 = d1 & (c1 < 10), d3 = d2 & (c2 < 10), d4 = d3 & (c3 < 10);
      const auto v1 = static_cast<std::int32_t>(c0);
      const std::int32_t v2 = v1 * 10 + static_cast<std::int32_t>(c1);
      const std::int32_t v3 = v2 * 10 + static_cast<std::int32_t>(c2);
      const std::int32_t values[5] = {0, v1, v2, v3, v3 * 10 + static_cast<std::int32_t>(c3)};
      const unsigned digits = d1 + d2 + d3 + d4;
      value = values[digits];
      p += digits;
    } else {
      while (p != end && p - token < 4 && static_cast<unsigned char>(*p - '0') < 10) {
        value = value * 10 + (*p - '0');
        ++p;
      }
    }
    const bool plain = p != token && (p == end || is_row_separator(*p));
    std::int32_t index = value - base;
    if (!plain || index < 0 || index >= n) {
      while (p != end && !is_row_separator(*p)) ++p;
      std::int32_t slow_index = 0;
      std::string fault = read_token(token, p, n, base, slow_index);
      if (!fault.empty()) return fault;
      index = slow_index;
    }
    rows[static_cast<std::size_t>(i)] = index;
  }
  return {};
}

// ---- Methods lines ----

std::string methods_line(std::uint32_t flags) {
  char text[16];
  std::snprintf(text, sizeof text, " %08X", static_cast<unsigned>(flags));
  return text;
}

bool read_method_flags(std::string_view line, std::uint32_t& flags) {
  const std::string_view text = trim_right(line);
  if (text.size() != 9 || text.front() != ' ') return false;
  const auto result = std::from_chars(text.data() + 1, text.data() + 9, flags, 16);
  return result.ec == std::errc() && result.ptr == text.data() + 9;
}

// ---- The log file ----

const std::array<std::string_view, 6> log_summary_keys = {
    "ays of order", "of unique Co", "essential Co", " symmetrical", "  G-symmetri", "unique G-sym",
};

std::array<std::string, 7> log_summary_lines(const Log_summary& summary, std::string_view source) {
  return {"Costas arrays of order " + std::to_string(summary.order),
          "Source: " + std::string(source),
          "Number of unique Costas arrays: " + std::to_string(summary.unique),
          "Number of essential Costas arrays: " + std::to_string(summary.essential),
          "Number of symmetrical Costas arrays: " + std::to_string(summary.symmetrical),
          fixed_int(summary.g_classes, 8) + "  G-symmetrical classes",
          "Number of unique G-symmetrical arrays: " + std::to_string(summary.unique_g)};
}

bool is_log_summary_line(std::string_view line, std::size_t k) {
  return line.find(trim_right(log_summary_keys[k])) != std::string_view::npos;
}

bool is_constructions_only_line(std::string_view line) {
  return trim_left(line).starts_with(constructions_only_mark);
}

Log_scan::Line Log_scan::take(std::string_view line) {
  if (is_constructions_only_line(line)) return Line::constructions_only;
  if (all_keys_found() || !is_log_summary_line(line, keys_found_)) return Line::other;
  ++keys_found_;
  return Line::key;
}

bool read_log_summary_count(std::string_view line, std::int64_t& count) {
  const auto digit = line.find_first_of("0123456789");
  if (digit == std::string_view::npos) return false;
  const auto result = std::from_chars(line.data() + digit, line.data() + line.size(), count);
  return result.ec == std::errc();
}
