// A small bitmap font for the captions of PNG pictures: the printable ASCII characters, each
// 5 pixels wide and 9 high (7 above the base line, 2 for descenders).
#pragma once

#include <cstdint>

constexpr int glyph_columns = 5;
constexpr int glyph_rows = 9;

// The 9 rows of the glyph of c from the top, one byte a row, bit 4 the leftmost pixel; a byte
// outside 32..126 shows as "?".
const std::uint8_t* pixel_glyph(char c);
