// The two line layouts that every printed or written line uses: the free-form layout and
// fixed fields. Nobody counts blanks by hand elsewhere.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>

// Free-form line: one leading blank; an integer item is two blanks and its digits (a negative
// one a blank, the minus sign and its digits); a text item is written unchanged, after one
// blank when the item before it was an integer. Lines are never broken.
class Free_line {
 public:
  Free_line() { clear(); }
  Free_line& text(std::string_view item);
  Free_line& num(long long item);
  void clear();                                  // back to the lone leading blank
  const std::string& str() const { return line_; }
  operator std::string_view() const { return line_; }

 private:
  std::string line_;
  bool after_integer_ = false;
};

// Convenience: builds a free-form line from text and integer items in one call.
template <typename... Items>
std::string free_form(const Items&... items) {
  Free_line line;
  [[maybe_unused]] auto add = [&line](const auto& item) {
    if constexpr (std::is_integral_v<std::decay_t<decltype(item)>>) {
      line.num(static_cast<long long>(item));
    } else {
      line.text(std::string_view(item));
    }
  };
  (add(items), ...);
  return line.str();
}

// value right-aligned in width columns; width asterisks when it does not fit
std::string fixed_int(long long value, int width);
void append_fixed_int(std::string& out, long long value, int width);
// T or F right-aligned in width columns
std::string fixed_logical(bool value, int width);
// Appends the free-form integer item (two blanks and digits, or blank, minus and digits).
void append_free_int(std::string& out, long long value);

std::string_view trim_right(std::string_view text);   // without trailing blanks
std::string_view trim_left(std::string_view text);    // without leading blanks
std::string_view trim(std::string_view text);

// Reads the whole text as one number in base (10 unless given), as std::from_chars reads it (a
// minus sign only for a signed type; no plus sign, blank or other character around it); false
// for an empty text or a number the type cannot hold.
template <typename Integer>
bool parse_whole(std::string_view text, Integer& value, int base = 10) {
  const auto [end, fault] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  return !text.empty() && fault == std::errc() && end == text.data() + text.size();
}
// text cut or blank-padded to exactly width characters
std::string pad_right(std::string_view text, std::size_t width);

// A CSV field: the text as it is, or in double quotes (inner quotes doubled) when it holds a
// comma, a quote or a line break.
std::string csv_field(std::string_view text);

// Long rows composed in place: each writes at p and returns the new end, allocating nothing;
// the caller leaves 12 characters of room after p. The free-form integer item (two blanks and
// the digits, or one blank and a negative number):
char* put_free_int(char* p, std::int32_t value);
// The digits alone (a minus sign before a negative number), as a CSV field:
char* put_decimal(char* p, std::int32_t value);
