#include "View_Arrays/Shown_input.hpp"

namespace {

// The length of the UTF-8 sequence that starts at text[i], or 0 when none starts there.
std::size_t utf8_length(std::string_view text, std::size_t i) {
  const auto lead = static_cast<unsigned char>(text[i]);
  const std::size_t length = lead >= 0xF0 && lead <= 0xF4   ? 4
                             : lead >= 0xE0 && lead <= 0xEF ? 3
                             : lead >= 0xC2 && lead <= 0xDF ? 2
                                                            : 0;
  if (length == 0 || i + length > text.size()) return 0;
  for (std::size_t k = 1; k < length; ++k) {
    if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80) return 0;
  }
  // U+0080 to U+009F are control characters too.
  if (lead == 0xC2 && static_cast<unsigned char>(text[i + 1]) < 0xA0) return 0;
  return length;
}

void append_escaped(std::string& out, unsigned char byte) {
  constexpr char digits[] = "0123456789ABCDEF";
  out += "\\x";
  out += digits[byte >> 4];
  out += digits[byte & 0x0F];
}

}  // namespace

std::string shown_input(std::string_view text, std::size_t limit) {
  const bool cut = text.size() > limit;
  const std::string_view shown = cut ? text.substr(0, limit) : text;
  std::string out;
  out.reserve(shown.size() + 24);
  for (std::size_t i = 0; i < shown.size();) {
    const auto byte = static_cast<unsigned char>(shown[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      out += shown[i++];
    } else if (const std::size_t length = byte >= 0x80 ? utf8_length(shown, i) : 0; length > 0) {
      out.append(shown.substr(i, length));
      i += length;
    } else {
      append_escaped(out, byte);
      ++i;
    }
  }
  if (cut) out += "... (" + std::to_string(text.size()) + " characters)";
  return out;
}

std::string shown_name(std::string_view name) { return shown_input(name, name.size()); }
