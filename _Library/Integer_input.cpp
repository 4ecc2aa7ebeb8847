#include "_Library/Integer_input.hpp"

#include <charconv>
#include <string>

#include "_Library/Console_io.hpp"

namespace {

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool ends_number(char c) { return is_blank(c) || c == ',' || c == '/'; }

}  // namespace

Parsed_integer parse_integer_answer(std::string_view line) {
  std::size_t start = 0;
  while (start < line.size() && is_blank(line[start])) ++start;
  if (start == line.size()) return {Integer_answer::bad, 0};
  std::size_t end = start;
  while (end < line.size() && !ends_number(line[end])) ++end;
  std::string_view field = line.substr(start, end - start);
  // from_chars takes a minus sign but not a plus sign; a second sign fails there.
  if (!field.empty() && field.front() == '+') {
    field.remove_prefix(1);
    if (!field.empty() && field.front() == '-') return {Integer_answer::bad, 0};
  }
  std::int32_t value = 0;
  const auto [last, error] = std::from_chars(field.data(), field.data() + field.size(), value);
  if (error != std::errc() || last != field.data() + field.size()) {
    return {Integer_answer::bad, 0};
  }
  return {Integer_answer::number, value};
}

std::optional<std::int32_t> read_integer_answer(Console& console) {
  const Parsed_integer answer = parse_integer_answer(console.read_line());
  if (answer.kind == Integer_answer::number) return answer.value;
  return std::nullopt;
}
