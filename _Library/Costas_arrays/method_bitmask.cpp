#include "_Library/Costas_arrays/method_bitmask.hpp"

#include "_Library/Text_layout.hpp"

const std::array<std::string_view, 32> method_flag_names = {
    "Search       ", "Welch 0      ", "Welch 1      ", "Welch 2      ", "Welch 3      ",
    "Taylor 0     ", "Taylor 1     ", "Lempel 2     ", "Golomb 2     ", "Lempel 3     ",
    "Golomb 3     ", "Lempel 4     ", "Golomb 4     ", "Taylor 4     ", "Golomb S4    ",
    "Golomb S5    ", "Inhom. A 1   ", "Inhom. S 1   ", "Rickard W 0  ", "Rickard L-G_1",
    "20 Reserved  ", "21 Reserved  ", "22 Reserved  ", "23 Reserved  ", "Rows Reversed",
    "Cols Reversed", "Transposed   ", "Spun         ", "Symmetrical  ", "G-Symmetrical",
    "30 Not Used  ", "31 Not Used  ",
};

const std::array<std::string_view, 8> transform_names = {
    "No rotation             ", "Transpose, rotate 90 CCW", "Transpose, rotate 90 CW ",
    "Rotate 180              ", "Transpose               ", "Rotate 90 CCW           ",
    "Rotate 90 CW            ", "Transpose, rotate 180   ",
};

// Method m is bit m; kept as a table so that the method numbering could change without
// touching the flags of the database.
const std::array<std::int32_t, method_count + 1> method_bit = {
    0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19,
};

std::string_view method_name(Method_flags flags) {
  if (flags == 0) return "Zero invalid!";
  for (std::size_t bit = 0; bit < 24; ++bit) {
    if ((flags >> bit) & 1u) return method_flag_names[bit];
  }
  return "None found!  ";
}

std::string_view transform_name(Method_flags flags) {
  return transform_names[(flags >> 24) & 7u];
}

void append_method_tag(std::string& tag, Method_flags flags) {
  bool first = true;
  for (std::size_t bit = 0; bit < method_flag_names.size(); ++bit) {
    if (((flags >> bit) & 1u) == 0) continue;
    if (!first) tag += ", ";
    tag += trim_right(method_flag_names[bit]);
    first = false;
  }
}
