// Pictures of an ambiguity map: a heat map with one square cell per shift, dx growing to the
// right and dy growing upward, the origin at the centre of an auto-ambiguity map, and caption
// lines under it. PNG (through libpng) for every order, SVG for small maps.
//
// Under the map, whose frame carries a tick at the origin's column and row, come a legend (a
// swatch for each of the counts 0 to the largest when that is at most 10, else for 0, a few
// powers of two and the largest) and the caption lines. The PNG draws its texts in a bitmap
// font of its own; the SVG has them as text in a monospace font of the same advance. A picture
// is at least 72 characters wide; a longer caption line is drawn at half the size, and cut at
// the picture's edge beyond twice that.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "View_Arrays/Ambiguity.hpp"

struct Rgb {
  std::uint8_t r = 0;
  std::uint8_t g = 0;
  std::uint8_t b = 0;
  bool operator==(const Rgb&) const = default;
};

// The colour of a count on a map whose largest count is top (top >= 1): 0 is white; 1..top run
// from a light colour to a dark one, so that 1, 2 and top are told apart. The colour follows
// log(count) / log(top), which keeps 1 and 2 apart even when top is in the hundreds.
Rgb heat_colour(int count, int top);

// Where the cells lie in the picture, in pixels (in the SVG, in user units of one pixel each):
// shift (dx, dy) covers the square of side cell whose top-left corner is
// x = left + (dx + order_a - 1) * cell, y = top + (side - 1 - (dy + order_a - 1)) * cell.
struct Heat_map_layout {
  int cell = 1;
  int left = 0;
  int top = 0;
  int width = 0;    // of the whole picture
  int height = 0;
};
Heat_map_layout heat_map_layout(const Ambiguity_map& map, int caption_lines);

// The largest side (order_a + order_b - 1) an SVG heat map is written for; its size grows with
// the square of the side.
constexpr int svg_heat_map_largest_side = 127;

// Writes the heat map with the caption lines under it to path (through path + ".part", renamed
// when complete, so a failed write leaves no half picture). Returns an empty text, or one line
// that says what failed ("cannot write map.png: Permission denied"). Maps of more than
// 4095 x 4095 shifts are refused, and so are maps larger than svg_heat_map_largest_side by the
// SVG writer.
std::string write_heat_map_png(const Ambiguity_map& map, const std::vector<std::string>& caption,
                               const std::string& path);
std::string write_heat_map_svg(const Ambiguity_map& map, const std::vector<std::string>& caption,
                               const std::string& path);
