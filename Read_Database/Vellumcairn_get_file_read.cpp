// Reading the lines of the arrays files and methods files: row indices and method flags.
#include <charconv>

#include "Text_layout.hpp"
#include "Vellumcairn_get_file.hpp"

namespace {

bool is_separator(char c) { return c == ' ' || c == ',' || c == '\t'; }

std::string count_fault(std::int32_t found, std::int32_t n) {
  return std::to_string(found) + (found == 1 ? " row index" : " row indices") +
         " where the order needs " + std::to_string(n);
}

}  // namespace

std::string read_row_indices(std::string_view text, std::int32_t n, std::int32_t base,
                             std::array<std::int32_t, MAX_ORDER_CAPACITY>& ca_perm) {
  const char* p = text.data();
  const char* const end = p + text.size();
  for (std::int32_t i = 0; i < n; ++i) {
    while (p != end && is_separator(*p)) ++p;
    if (p == end) return count_fault(i, n);
    const char* token = p;
    while (p != end && !is_separator(*p)) ++p;
    const char* digits = (*token == '+' && p - token > 1) ? token + 1 : token;
    std::int32_t value = 0;
    const auto result = std::from_chars(digits, p, value);
    if (result.ec != std::errc() || result.ptr != p) {
      return "\"" + std::string(token, p) + "\" is not a row index";
    }
    if (value < base || value - base >= n) {
      return "row index " + std::to_string(value) + " is outside " + std::to_string(base) +
             " to " + std::to_string(n - 1 + base);
    }
    ca_perm[static_cast<std::size_t>(i)] = value - base;
  }
  return {};
}

bool read_method_flags(std::string_view line, Method_flags& flags) {
  const std::string_view text = trim_right(line);
  if (text.size() != 9 || text.front() != ' ') return false;
  const auto result = std::from_chars(text.data() + 1, text.data() + 9, flags, 16);
  return result.ec == std::errc() && result.ptr == text.data() + 9;
}
