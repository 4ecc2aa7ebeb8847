// Pictures of an ambiguity map: a heat map with one square cell per shift, dx growing to the
// right and dy growing upward, the origin at the centre of an auto-ambiguity map, and caption
// lines under it. PNG (through libpng) for every order, SVG for small maps.
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
// from a light colour to a dark one, so that 1, 2 and top are told apart.
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
// that says what failed.
std::string write_heat_map_png(const Ambiguity_map& map, const std::vector<std::string>& caption,
                               const std::string& path);
std::string write_heat_map_svg(const Ambiguity_map& map, const std::vector<std::string>& caption,
                               const std::string& path);
