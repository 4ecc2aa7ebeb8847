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

}  // namespace

std::string read_row_indices(std::string_view text, std::int32_t n, std::int32_t base,
                             std::array<std::int32_t, MAX_ORDER_CAPACITY>& ca_perm) {
  const char* p = text.data();
  const char* const end = p + text.size();
  for (std::int32_t i = 0; i < n; ++i) {
    while (p != end && is_separator(*p)) ++p;
    if (p == end) return count_fault(i, n);
    // Fast path: up to four plain digits, the only form a well-formed line holds.
    const char* token = p;
    std::int32_t value = 0;
    while (p != end && p - token < 4 && static_cast<unsigned char>(*p - '0') < 10) {
      value = value * 10 + (*p - '0');
      ++p;
    }
    std::int32_t index = value - base;
    const bool plain = p != token && (p == end || is_separator(*p));
    if (!plain || index < 0 || index >= n) {
      while (p != end && !is_separator(*p)) ++p;
      std::string fault = read_token(token, p, n, base, index);
      if (!fault.empty()) return fault;
    }
    ca_perm[static_cast<std::size_t>(i)] = index;
  }
  return {};
}

bool read_method_flags(std::string_view line, Method_flags& flags) {
  const std::string_view text = trim_right(line);
  if (text.size() != 9 || text.front() != ' ') return false;
  const auto result = std::from_chars(text.data() + 1, text.data() + 9, flags, 16);
  return result.ec == std::errc() && result.ptr == text.data() + 9;
}
