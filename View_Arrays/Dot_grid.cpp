#include "View_Arrays/Dot_grid.hpp"

#include <algorithm>

#include "View_Arrays/Picture_file.hpp"

namespace {

constexpr int margin = 16;
constexpr int gap = 24;              // between panels
constexpr int caption_line = 15;     // the height of a caption line
constexpr std::size_t caption_lines = 4;
constexpr int caption_height = caption_lines * caption_line + 6;
constexpr int smallest_panel = 280;  // room for a caption beside a small grid
constexpr int glyph_width = 7;       // what a character of the caption font takes at most
constexpr int sheet_width = 1600;    // what the default number of columns fills

// Text broken at blanks into lines of at most room characters (a longer word stands alone).
std::vector<std::string> wrapped(std::string_view text, std::size_t room) {
  std::vector<std::string> lines;
  std::string line;
  while (!text.empty()) {
    const auto blank = text.find(' ');
    const std::string_view word = text.substr(0, blank);
    if (!line.empty() && line.size() + 1 + word.size() > room) {
      lines.push_back(std::move(line));
      line.clear();
    }
    if (!line.empty()) line += ' ';
    line += word;
    text = blank == std::string_view::npos ? std::string_view() : text.substr(blank + 1);
  }
  if (!line.empty()) lines.push_back(std::move(line));
  return lines;
}

void append_number(std::string& text, double value) {
  const long tenths = static_cast<long>(value * 10 + 0.5);
  text += std::to_string(tenths / 10);
  if (tenths % 10 != 0) {
    text += '.';
    text += static_cast<char>('0' + tenths % 10);
  }
}

// One array: its frame, grid lines (every cell, or every tenth on a fine grid), dots, caption.
void append_panel(std::string& svg, const Viewed_array& array, int x, int y, int cell) {
  const int n = static_cast<int>(array.rows.size());
  const int side = n * cell;
  svg += "<g transform=\"translate(" + std::to_string(x) + " " + std::to_string(y) + ")\">\n";
  svg += "<rect width=\"" + std::to_string(side) + "\" height=\"" + std::to_string(side) +
         "\" fill=\"#ffffff\" stroke=\"#555555\"/>\n";
  const int step = cell >= 8 ? 1 : 10;
  std::string path;
  for (int k = step; k < n; k += step) {
    const std::string at = std::to_string(k * cell);
    path += "M0 " + at + "H" + std::to_string(side) + "M" + at + " 0V" + std::to_string(side);
  }
  if (!path.empty()) svg += "<path d=\"" + path + "\" stroke=\"#cccccc\" fill=\"none\"/>\n";
  svg += "<g fill=\"#1a1a1a\">\n";
  for (int c = 0; c < n; ++c) {
    const int row = array.rows[static_cast<std::size_t>(c)];
    const int left = c * cell;
    const int top = (n - 1 - row) * cell;
    if (cell >= 8) {
      svg += "<circle cx=\"";
      append_number(svg, left + cell / 2.0);
      svg += "\" cy=\"";
      append_number(svg, top + cell / 2.0);
      svg += "\" r=\"";
      append_number(svg, cell * 0.38);
      svg += "\"/>";
    } else {
      svg += "<rect x=\"" + std::to_string(left) + "\" y=\"" + std::to_string(top) +
             "\" width=\"" + std::to_string(cell) + "\" height=\"" + std::to_string(cell) + "\"/>";
    }
    if (c % 8 == 7 || c == n - 1) svg += '\n';
  }
  svg += "</g>\n";
  // The caption: the label, then the order and the tag, each broken at blanks into lines that
  // stay within the panel; four lines hold every label and tag the database gives.
  const std::size_t room = static_cast<std::size_t>(std::max(side, smallest_panel) / glyph_width);
  std::vector<std::string> lines = wrapped(array.label(), room);
  for (std::string& line : wrapped("order " + std::to_string(n) +
                                       (array.tag.empty() ? "" : ": " + array.tag), room)) {
    lines.push_back(std::move(line));
  }
  for (std::size_t k = 0; k < lines.size() && k < caption_lines; ++k) {
    svg += "<text x=\"0\" y=\"" +
           std::to_string(side + static_cast<int>(k + 1) * caption_line - 1) + "\">" +
           svg_text(lines[k]) + "</text>\n";
  }
  svg += "</g>\n";
}

}  // namespace

Dot_grid_layout dot_grid_layout(int order, int count, const Dot_grid_options& options) {
  Dot_grid_layout layout;
  layout.cell = options.cell > 0 ? options.cell : std::clamp(480 / std::max(order, 1), 4, 24);
  const int side = order * layout.cell;
  layout.panel_width = std::max(side, smallest_panel) + gap;
  layout.panel_height = side + caption_height + gap;
  layout.columns = options.columns > 0 ? options.columns
                                       : std::max(1, sheet_width / layout.panel_width);
  layout.columns = std::max(1, std::min(layout.columns, count));
  layout.rows = (count + layout.columns - 1) / layout.columns;
  layout.margin = margin;
  layout.width = 2 * margin + layout.columns * layout.panel_width - gap;
  layout.height = 2 * margin + std::max(layout.rows, 1) * layout.panel_height - gap;
  return layout;
}

std::string write_dot_grid_svg(const std::vector<Viewed_array>& arrays,
                               const Dot_grid_options& options, const std::string& path,
                               Dot_grid_layout& layout) {
  int order = 1;
  for (const Viewed_array& array : arrays) order = std::max(order, static_cast<int>(array.rows.size()));
  const int count = static_cast<int>(arrays.size());
  layout = dot_grid_layout(order, count, options);
  const std::string width = std::to_string(layout.width);
  const std::string height = std::to_string(layout.height);
  std::string svg = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + width +
                    "\" height=\"" + height + "\" viewBox=\"0 0 " + width + " " + height + "\">\n"
                    "<rect width=\"" + width + "\" height=\"" + height + "\" fill=\"#ffffff\"/>\n"
                    "<g font-family=\"sans-serif\" font-size=\"12\" fill=\"#000000\">\n";
  for (int k = 0; k < count; ++k) {
    append_panel(svg, arrays[static_cast<std::size_t>(k)],
                 layout.margin + (k % layout.columns) * layout.panel_width,
                 layout.margin + (k / layout.columns) * layout.panel_height, layout.cell);
  }
  svg += "</g>\n</svg>\n";
  return write_picture_file(path, svg);
}
