#include "_Library/Text_layout.hpp"

#include <array>
#include <cstring>

#include <charconv>

void Free_line::clear() {
  line_.assign(1, ' ');
  after_integer_ = false;
}

Free_line& Free_line::text(std::string_view item) {
  if (after_integer_) line_.push_back(' ');
  line_.append(item);
  after_integer_ = false;
  return *this;
}

Free_line& Free_line::num(long long item) {
  append_free_int(line_, item);
  after_integer_ = true;
  return *this;
}

void append_free_int(std::string& out, long long value) {
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  out.push_back(' ');
  if (value >= 0) out.push_back(' ');
  out.append(digits, result.ptr);
}

void append_fixed_int(std::string& out, long long value, int width) {
  char digits[24];
  auto result = std::to_chars(digits, digits + sizeof digits, value);
  const auto length = static_cast<int>(result.ptr - digits);
  if (length > width) {
    out.append(static_cast<std::size_t>(width < 0 ? 0 : width), '*');
    return;
  }
  out.append(static_cast<std::size_t>(width - length), ' ');
  out.append(digits, result.ptr);
}

std::string fixed_int(long long value, int width) {
  std::string out;
  append_fixed_int(out, value, width);
  return out;
}

std::string fixed_logical(bool value, int width) {
  if (width < 1) return {};
  std::string out(static_cast<std::size_t>(width - 1), ' ');
  out.push_back(value ? 'T' : 'F');
  return out;
}

std::string_view trim_right(std::string_view text) {
  const auto end = text.find_last_not_of(' ');
  return end == std::string_view::npos ? std::string_view{} : text.substr(0, end + 1);
}

std::string_view trim_left(std::string_view text) {
  const auto start = text.find_first_not_of(' ');
  return start == std::string_view::npos ? std::string_view{} : text.substr(start);
}

std::string_view trim(std::string_view text) { return trim_left(trim_right(text)); }

std::string pad_right(std::string_view text, std::size_t width) {
  std::string out(text.substr(0, width));
  out.resize(width, ' ');
  return out;
}

std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\n\r") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (const char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

namespace {

// The free-form items of 0..999 (two blanks and the digits), built once: row indices of every
// order the database holds are written by a copy.
struct Small_items {
  struct Item {
    std::array<char, 8> text;
    std::size_t length;
  };
  Small_items() {
    for (std::size_t v = 0; v < items.size(); ++v) {
      Item& item = items[v];
      item.text.fill(' ');
      const auto end = std::to_chars(item.text.data() + 2, item.text.data() + 8, v).ptr;
      item.length = static_cast<std::size_t>(end - item.text.data());
    }
  }
  std::array<Item, 1000> items;
};

const Small_items small_items;

}  // namespace

char* put_free_int(char* p, std::int32_t value) {
  if (value >= 0 && value < 1000) {
    const auto& item = small_items.items[static_cast<std::size_t>(value)];
    std::memcpy(p, item.text.data(), item.text.size());
    return p + item.length;
  }
  *p++ = ' ';
  if (value >= 0) *p++ = ' ';
  return std::to_chars(p, p + 11, value).ptr;
}

char* put_decimal(char* p, std::int32_t value) {
  if (value >= 0 && value < 1000) {
    const auto& item = small_items.items[static_cast<std::size_t>(value)];
    std::memcpy(p, item.text.data() + 2, item.text.size() - 2);
    return p + item.length - 2;
  }
  return std::to_chars(p, p + 11, value).ptr;
}
