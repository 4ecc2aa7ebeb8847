// Pictures read back for the tests: PNG files through libpng, and SVG files rendered to PNG by
// rsvg-convert, so that a test looks at the pixels a viewer would show.
#pragma once

#include <png.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rgb;   // 3 bytes per pixel, row by row from the top

  // The red, green and blue of pixel (x, y).
  std::array<int, 3> at(int x, int y) const {
    const std::size_t i = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                           static_cast<std::size_t>(x)) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
  }
  // Dark: what a dot of a dot grid shows; light: an empty cell.
  bool dark(int x, int y) const {
    const auto c = at(x, y);
    return c[0] + c[1] + c[2] < 3 * 80;
  }
};

// The pixels of a PNG file as 8-bit RGB (alpha composed onto white); nothing when unreadable.
inline std::optional<Picture> read_png(const std::filesystem::path& file) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (png_image_begin_read_from_file(&image, file.c_str()) == 0) return std::nullopt;
  image.format = PNG_FORMAT_RGB;
  Picture picture;
  picture.width = static_cast<int>(image.width);
  picture.height = static_cast<int>(image.height);
  picture.rgb.resize(PNG_IMAGE_SIZE(image));
  png_color white{255, 255, 255};
  if (png_image_finish_read(&image, &white, picture.rgb.data(), 0, nullptr) == 0) {
    png_image_free(&image);
    return std::nullopt;
  }
  return picture;
}

// Whether rsvg-convert (Debian package librsvg2-bin) can be run here.
inline bool have_rsvg_convert() {
  return std::system("command -v rsvg-convert >/dev/null 2>&1") == 0;
}

// The SVG file rendered at one pixel per user unit on a white background; nothing on failure.
inline std::optional<Picture> render_svg(const std::filesystem::path& svg) {
  const std::filesystem::path png = svg.string() + ".rendered.png";
  const std::string command = "rsvg-convert --background-color=white -o '" + png.string() +
                              "' '" + svg.string() + "'";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  return read_png(png);
}
