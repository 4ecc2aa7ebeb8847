#include "View_Arrays/Heat_map.hpp"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <string_view>

#include "View_Arrays/Picture_file.hpp"
#include "View_Arrays/Pixel_font.hpp"

namespace {

// ---- The parts of the picture ----

constexpr int margin = 16;
constexpr int map_target_width = 800;   // small maps get cells this many pixels wide together
constexpr int caption_characters = 72;  // the picture is at least this many characters wide
constexpr int text_scale = 2;           // each glyph pixel is drawn as a 2 x 2 square
constexpr int text_advance = (glyph_columns + 1) * text_scale;
constexpr int text_height = 7 * text_scale;  // capitals and digits
constexpr int content_width = caption_characters * text_advance;
constexpr int line_height = glyph_rows * text_scale + 4;
constexpr int gap_below_map = 20;       // room for the origin tick under the frame
constexpr int gap_below_legend = 14;
constexpr int swatch = text_height;
constexpr int largest_side = 4095;      // keeps the picture's memory in bounds
constexpr int largest_legend_entries = 12;

constexpr Rgb white{255, 255, 255};
constexpr Rgb black{0, 0, 0};
constexpr Rgb frame_grey{160, 160, 160};
constexpr Rgb tick_grey{64, 64, 64};

int legend_top(const Heat_map_layout& layout, int side) {
  return layout.top + side * layout.cell + gap_below_map;
}

int caption_top(const Heat_map_layout& layout, int side) {
  return legend_top(layout, side) + swatch + gap_below_legend;
}

// The counts the legend shows: every one up to 10, else 0, the powers of a step (1, 2, 4, ...
// when they fit in the legend, else a coarser step) and the largest.
std::vector<int> legend_values(int top) {
  std::vector<int> values;
  if (top <= 10) {
    for (int value = 0; value <= top; ++value) values.push_back(value);
    return values;
  }
  long long step = 2;
  const auto entries = [top](long long by) {
    int count = 2;
    for (long long value = 1; value < top; value *= by) ++count;
    return count;
  };
  while (entries(step) > largest_legend_entries) step *= 2;
  values.push_back(0);
  for (long long value = 1; value < top; value *= step) values.push_back(static_cast<int>(value));
  values.push_back(top);
  return values;
}

// ---- Painting, the same for both formats ----

// Paints the whole picture through painter.fill(x, y, width, height, colour) and
// painter.text(x, y, text, scale) (y the top of the glyphs, scale 2 or 1), in pixels.
template <typename Painter>
void paint_cells(Painter& painter, const Ambiguity_map& map, const Heat_map_layout& layout,
                 int top) {
  std::vector<Rgb> palette;
  for (int count = 0; count <= top; ++count) palette.push_back(heat_colour(count, top));
  const int side = map.side();
  const int cell = layout.cell;
  for (int row = 0; row < side; ++row) {
    const std::uint32_t* counts = map.counts.data() + static_cast<std::size_t>(row) * side;
    const int y = layout.top + (side - 1 - row) * cell;
    // Runs of one colour become one rectangle; count 0 is the white already under the map.
    for (int column = 0; column < side;) {
      const int count = static_cast<int>(std::min<std::uint32_t>(counts[column], top));
      int end = column + 1;
      while (end < side && std::min<std::uint32_t>(counts[end], top) == std::uint32_t(count)) {
        ++end;
      }
      if (count != 0) {
        painter.fill(layout.left + column * cell, y, (end - column) * cell, cell, palette[count]);
      }
      column = end;
    }
  }
}

template <typename Painter>
void paint_legend(Painter& painter, const Heat_map_layout& layout, int side, int top) {
  const int y = legend_top(layout, side);
  int x = margin;
  for (const int value : legend_values(top)) {
    painter.fill(x, y, swatch, swatch, frame_grey);
    painter.fill(x + 1, y + 1, swatch - 2, swatch - 2, heat_colour(value, top));
    const std::string label = std::to_string(value);
    painter.text(x + swatch + 6, y, label, text_scale);
    x += swatch + 6 + static_cast<int>(label.size()) * text_advance + 16;
  }
}

template <typename Painter>
void paint_heat_map(Painter& painter, const Ambiguity_map& map,
                    const std::vector<std::string>& caption, const Heat_map_layout& layout) {
  const int side = map.side();
  const int extent = side * layout.cell;
  const int top = std::max(1, peak(map).value);
  painter.fill(0, 0, layout.width, layout.height, white);
  painter.fill(layout.left - 1, layout.top - 1, extent + 2, extent + 2, frame_grey);
  painter.fill(layout.left, layout.top, extent, extent, white);
  paint_cells(painter, map, layout, top);
  // Ticks outside the frame point at the origin's column and row.
  const int origin = map.order_a - 1;
  const int tick = std::max(1, layout.cell / 3);
  const int across = (layout.cell - tick) / 2;
  painter.fill(layout.left + origin * layout.cell + across, layout.top + extent + 2, tick, 6,
               tick_grey);
  painter.fill(layout.left - 8, layout.top + (side - 1 - origin) * layout.cell + across, 6, tick,
               tick_grey);
  paint_legend(painter, layout, side, top);
  int y = caption_top(layout, side);
  // A line too long for the picture is drawn at half the size, in the top half of its line.
  const int width = std::max(layout.width - 2 * margin, content_width);
  for (const std::string& line : caption) {
    const bool fits = static_cast<int>(line.size()) * text_advance <= width;
    painter.text(margin, fits ? y : y + text_height / 2, line, fits ? text_scale : 1);
    y += line_height;
  }
}

// An RGB picture in memory; whatever falls outside it is clipped.
class Canvas {
 public:
  Canvas(int width, int height)
      : width_(width), height_(height),
        pixels_(static_cast<std::size_t>(width) * height * 3, 255) {}

  void fill(int x, int y, int width, int height, Rgb colour) {
    const int x0 = std::max(x, 0);
    const int x1 = std::min(x + width, width_);
    for (int row = std::max(y, 0); row < std::min(y + height, height_); ++row) {
      std::uint8_t* pixel = row_data(row) + static_cast<std::size_t>(x0) * 3;
      for (int column = x0; column < x1; ++column, pixel += 3) {
        pixel[0] = colour.r;
        pixel[1] = colour.g;
        pixel[2] = colour.b;
      }
    }
  }

  void text(int x, int y, std::string_view line, int scale) {
    for (const char c : line) {
      const std::uint8_t* rows = pixel_glyph(c);
      for (int row = 0; row < glyph_rows; ++row) {
        for (int column = 0; column < glyph_columns; ++column) {
          if ((rows[row] >> (glyph_columns - 1 - column)) & 1) {
            fill(x + column * scale, y + row * scale, scale, scale, black);
          }
        }
      }
      x += (glyph_columns + 1) * scale;
    }
  }

  std::uint8_t* row_data(int row) {
    return pixels_.data() + static_cast<std::size_t>(row) * width_ * 3;
  }
  int width() const { return width_; }
  int height() const { return height_; }

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

std::string hex_colour(Rgb colour) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.r, colour.g, colour.b);
  return text;
}

// The SVG elements of the picture, in the order they are painted.
struct Svg_painter {
  std::string body;

  void fill(int x, int y, int width, int height, Rgb colour) {
    body += "<rect x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" width=\"" +
            std::to_string(width) + "\" height=\"" + std::to_string(height) + "\" fill=\"" +
            hex_colour(colour) + "\"/>\n";
  }

  // A monospace font of 10 units a scale advances about 6 units a scale a character, as the
  // glyphs of the PNG do; y + 7 * scale is the base line.
  void text(int x, int y, std::string_view line, int scale) {
    body += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y + 7 * scale) +
            "\" font-family=\"monospace\" font-size=\"" + std::to_string(10 * scale) +
            "\" fill=\"#000000\">";
    body += svg_text(line);
    body += "</text>\n";
  }
};

// ---- PNG encoding ----

// Says what is wrong with a map that cannot be drawn at all, else an empty text.
std::string map_fault(const Ambiguity_map& map) {
  const int side = map.side();
  if (map.order_a < 1 || map.order_b < 1 ||
      map.counts.size() != static_cast<std::size_t>(side) * side) {
    return "the ambiguity map holds no counts to draw";
  }
  if (side > largest_side) {
    return "a heat map is drawn for up to " + std::to_string(largest_side) + " x " +
           std::to_string(largest_side) + " shifts; this map has " + std::to_string(side) +
           " x " + std::to_string(side);
  }
  return {};
}

// The encoded bytes and libpng's complaint: plain data grown with realloc, since libpng leaves
// its calls by longjmp, which must neither skip a destructor nor meet a C++ exception.
struct Png_bytes {
  unsigned char* data;
  std::size_t size;
  std::size_t capacity;
  char message[200];
};

void png_append(png_structp png, png_bytep data, std::size_t length) {
  auto* bytes = static_cast<Png_bytes*>(png_get_io_ptr(png));
  if (bytes->size + length > bytes->capacity) {
    const std::size_t capacity = std::max(bytes->capacity * 2, bytes->size + length);
    auto* grown = static_cast<unsigned char*>(std::realloc(bytes->data, capacity));
    if (grown == nullptr) png_error(png, "out of memory");
    bytes->data = grown;
    bytes->capacity = capacity;
  }
  std::memcpy(bytes->data + bytes->size, data, length);
  bytes->size += length;
}

void png_flush_nothing(png_structp) {}

[[noreturn]] void png_failed(png_structp png, png_const_charp message) {
  auto* bytes = static_cast<Png_bytes*>(png_get_error_ptr(png));
  std::snprintf(bytes->message, sizeof bytes->message, "%s", message);
  png_longjmp(png, 1);
}

void png_warned(png_structp, png_const_charp) {}

// Encodes the rows; an error of libpng comes back here by longjmp to the setjmp below, so this
// function and everything libpng calls back hold only trivially destructible objects.
bool encode_rows(png_structp png, png_infop info, Png_bytes* bytes, std::uint8_t* const* rows,
                 int width, int height) {
  if (setjmp(png_jmpbuf(png))) return false;
  png_set_write_fn(png, bytes, png_append, png_flush_nothing);
  png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
               PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
               PNG_FILTER_TYPE_DEFAULT);
  png_write_info(png, info);
  png_write_image(png, const_cast<png_bytepp>(rows));
  png_write_end(png, nullptr);
  return true;
}

// The picture as a PNG file's bytes, or libpng's complaint in failure.
std::string encode_png(Canvas& canvas, std::string& failure) {
  std::vector<std::uint8_t*> rows;
  for (int row = 0; row < canvas.height(); ++row) rows.push_back(canvas.row_data(row));
  Png_bytes bytes{nullptr, 0, 0, "libpng failed"};
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &bytes, png_failed, png_warned);
  png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
  const bool done = info != nullptr &&
                    encode_rows(png, info, &bytes, rows.data(), canvas.width(), canvas.height());
  png_destroy_write_struct(&png, &info);
  std::string encoded;
  if (done) encoded.assign(reinterpret_cast<const char*>(bytes.data), bytes.size);
  if (!done) failure = bytes.message;
  std::free(bytes.data);
  return encoded;
}

}  // namespace

Rgb heat_colour(int count, int top) {
  if (count <= 0) return white;
  top = std::max(top, 1);
  count = std::min(count, top);
  // Pale yellow through orange and red to a dark red. The position grows with log(count), so
  // that the few small counts off the origin stay apart from each other and from the origin's
  // large one.
  constexpr Rgb ramp[] = {{255, 230, 140}, {253, 174, 97}, {244, 109, 67}, {215, 48, 39},
                          {120, 0, 40}};
  constexpr int last = static_cast<int>(std::size(ramp)) - 1;
  const double t = top == 1 ? 0.0 : std::log(count) / std::log(top);
  const int from = std::min(static_cast<int>(t * last), last - 1);
  const double f = t * last - from;
  const auto mix = [f](std::uint8_t low, std::uint8_t high) {
    return static_cast<std::uint8_t>(std::lround(low + (high - low) * f));
  };
  const Rgb& low = ramp[from];
  const Rgb& high = ramp[from + 1];
  return {mix(low.r, high.r), mix(low.g, high.g), mix(low.b, high.b)};
}

Heat_map_layout heat_map_layout(const Ambiguity_map& map, int caption_lines) {
  const int side = std::max(map.side(), 1);
  Heat_map_layout layout;
  layout.cell = std::max(1, map_target_width / side);
  const int extent = side * layout.cell;
  const int content = std::max(extent, content_width);
  layout.left = margin + (content - extent) / 2;
  layout.top = margin;
  layout.width = content + 2 * margin;
  layout.height = caption_top(layout, side) + std::max(caption_lines, 0) * line_height + margin;
  return layout;
}

std::string write_heat_map_png(const Ambiguity_map& map, const std::vector<std::string>& caption,
                               const std::string& path) {
  if (std::string fault = map_fault(map); !fault.empty()) return fault;
  const Heat_map_layout layout = heat_map_layout(map, static_cast<int>(caption.size()));
  Canvas canvas(layout.width, layout.height);
  paint_heat_map(canvas, map, caption, layout);
  std::string failure;
  const std::string encoded = encode_png(canvas, failure);
  if (!failure.empty()) return "cannot write " + path + ": " + failure;
  return write_picture_file(path, encoded);
}

std::string write_heat_map_svg(const Ambiguity_map& map, const std::vector<std::string>& caption,
                               const std::string& path) {
  if (std::string fault = map_fault(map); !fault.empty()) return fault;
  if (map.side() > svg_heat_map_largest_side) {
    const std::string orders = map.order_a == map.order_b
                                   ? "order " + std::to_string(map.order_a)
                                   : "orders " + std::to_string(map.order_a) + " and " +
                                         std::to_string(map.order_b);
    return "an SVG heat map is drawn for orders up to " +
           std::to_string((svg_heat_map_largest_side + 1) / 2) + "; write a .png for " + orders;
  }
  const Heat_map_layout layout = heat_map_layout(map, static_cast<int>(caption.size()));
  Svg_painter painter;
  paint_heat_map(painter, map, caption, layout);
  const std::string size = "width=\"" + std::to_string(layout.width) + "\" height=\"" +
                           std::to_string(layout.height) + "\"";
  const std::string svg =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<svg xmlns=\"http://www.w3.org/2000/svg\" " + size + " viewBox=\"0 0 " +
      std::to_string(layout.width) + " " + std::to_string(layout.height) +
      "\" shape-rendering=\"crispEdges\" xml:space=\"preserve\">\n" + painter.body + "</svg>\n";
  return write_picture_file(path, svg);
}
