// Dot grids: arrays drawn as N dots on an N x N grid, column c to the right and row r upward
// (row 0 at the bottom), one or many on a sheet that wraps into rows, each with a caption. The
// SVG grows linearly with the number of dots: grid lines are one path per array, dots one
// element each.
#pragma once

#include <string>
#include <vector>

#include "View_Arrays/Array_sources.hpp"

struct Dot_grid_options {
  int cell = 0;      // pixels per grid cell; 0 chooses by order (24 for small orders, 4 at 500)
  int columns = 0;   // arrays per row of the sheet; 0 chooses by width (about 1600 pixels)
};

// Where things lie on a sheet, in pixels (SVG user units). Array k (from 0) lies in sheet row
// k / columns and column k % columns; the top-left corner of its grid is at
// x = margin + (k % columns) * panel_width, y = margin + (k / columns) * panel_height, and the
// dot of (column c, row r) fills the cell with top-left corner (x + c * cell,
// y + (order - 1 - r) * cell).
struct Dot_grid_layout {
  int cell = 0;
  int columns = 0;
  int rows = 0;
  int margin = 0;
  int panel_width = 0;
  int panel_height = 0;
  int width = 0;
  int height = 0;
};

// The layout of count arrays of the largest order order.
Dot_grid_layout dot_grid_layout(int order, int count, const Dot_grid_options& options);

// Writes the sheet of the arrays to path (through path + ".part", renamed when complete) and
// gives the layout it drew. Returns an empty text, or one line that says what failed.
std::string write_dot_grid_svg(const std::vector<Viewed_array>& arrays,
                               const Dot_grid_options& options, const std::string& path,
                               Dot_grid_layout& layout);
