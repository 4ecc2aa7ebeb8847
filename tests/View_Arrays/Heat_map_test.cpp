#include "View_Arrays/Heat_map.hpp"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <optional>
#include <tuple>
#include <utility>

#include "View_Arrays/Ambiguity.hpp"
#include "tests/View_Arrays/picture_reading.hpp"
#include "tests/support/test_support.hpp"

namespace fs = std::filesystem;

namespace {

using Array = std::vector<std::uint16_t>;

// The Welch Costas array of the prime p and its primitive root g: a[c] = (g^(c+1) mod p) - 1
// for c = 0..p-2, of order p - 1.
Array welch(int p, int g) {
  Array a;
  for (long long c = 0, power = g; c < p - 1; ++c, power = power * g % p) {
    a.push_back(static_cast<std::uint16_t>(power - 1));
  }
  return a;
}

Array identity(int n) {
  Array a;
  for (int c = 0; c < n; ++c) a.push_back(static_cast<std::uint16_t>(c));
  return a;
}

// Moves every dot of a by (dx, dy) and counts those that land on a dot of b.
int brute_count(const Array& a, const Array& b, int dx, int dy) {
  int coincidences = 0;
  for (int c = 0; c < static_cast<int>(a.size()); ++c) {
    const int column = c + dx;
    const int row = a[c] + dy;
    if (column >= 0 && column < static_cast<int>(b.size()) && b[column] == row) ++coincidences;
  }
  return coincidences;
}

// The first largest count in the order dy, then dx, both ascending.
Ambiguity_peak brute_peak(const Array& a, const Array& b, bool skip_origin) {
  Ambiguity_peak best;
  const int low = 1 - static_cast<int>(a.size());
  const int high = static_cast<int>(b.size()) - 1;
  for (int dy = low; dy <= high; ++dy) {
    for (int dx = low; dx <= high; ++dx) {
      if (skip_origin && dx == 0 && dy == 0) continue;
      const int value = brute_count(a, b, dx, dy);
      if (value > best.value) best = {value, dx, dy};
    }
  }
  return best;
}

struct Pair {
  const char* name;
  Array a;
  Array b;
};

std::vector<Pair> pairs() {
  return {{"Welch 6 with itself", welch(7, 3), welch(7, 3)},
          {"Welch 12 with itself", welch(13, 2), welch(13, 2)},
          {"Welch 6 against Welch 10", welch(7, 3), welch(11, 2)},
          {"identity 5 against Welch 12", identity(5), welch(13, 2)},
          {"identity 5 with itself", identity(5), identity(5)},
          {"order 1 against Welch 6", Array{0}, welch(7, 3)},
          {"Welch 10 against order 3", welch(11, 2), Array{1, 2, 0}}};
}

// Checks the size of the picture and the centre of every cell against the brute-force count.
void expect_cells(const Picture& picture, const Pair& pair, int caption_lines) {
  const Ambiguity_map map = ambiguity(pair.a, pair.b);
  const Heat_map_layout layout = heat_map_layout(map, caption_lines);
  ASSERT_EQ(picture.width, layout.width);
  ASSERT_EQ(picture.height, layout.height);
  const int top = brute_peak(pair.a, pair.b, false).value;
  const int order_a = static_cast<int>(pair.a.size());
  const int side = map.side();
  int wrong = 0;
  for (int dy = 1 - order_a; dy < side - order_a + 1; ++dy) {
    for (int dx = 1 - order_a; dx < side - order_a + 1; ++dx) {
      const int x = layout.left + (dx + order_a - 1) * layout.cell + layout.cell / 2;
      const int y = layout.top + (side - 1 - (dy + order_a - 1)) * layout.cell + layout.cell / 2;
      const Rgb expected = heat_colour(brute_count(pair.a, pair.b, dx, dy), top);
      if (picture.at(x, y) != std::array<int, 3>{expected.r, expected.g, expected.b} &&
          ++wrong <= 3) {
        ADD_FAILURE() << pair.name << ": wrong colour at (dx, dy) = (" << dx << ", " << dy << ")";
      }
    }
  }
  EXPECT_EQ(wrong, 0) << pair.name;
}

using Writer = std::string (*)(const Ambiguity_map&, const std::vector<std::string>&,
                               const std::string&);

// Draws every pair with write (an SVG as rsvg-convert renders it) and checks the cells, and
// that the caption lines under the legend are drawn dark; the last line is too long for the
// full size.
void expect_pictures_of_pairs(Writer write, const std::string& extension) {
  Temp_dir dir;
  const std::vector<std::string> caption = {"Auto-ambiguity of line 3 (order 12) <&>",
                                            std::string(100, 'W')};
  for (const Pair& pair : pairs()) {
    const fs::path file = dir / ("map" + extension);
    ASSERT_EQ(write(ambiguity(pair.a, pair.b), caption, file), "") << pair.name;
    EXPECT_FALSE(fs::exists(file.string() + ".part"));
    const std::optional<Picture> picture =
        extension == ".svg" ? render_svg(file) : read_png(file);
    ASSERT_TRUE(picture) << pair.name;
    expect_cells(*picture, pair, 2);
    // Dark pixels of the caption lines (22 pixels high above a margin of 16) from x0 to x1.
    const auto dark = [&picture](int line, int x0, int x1) {
      int count = 0;
      const int y0 = picture->height - 16 - (2 - line) * 22;
      for (int y = y0; y < y0 + 22; ++y) {
        for (int x = x0; x < x1; ++x) count += picture->dark(x, y);
      }
      return count;
    };
    EXPECT_GT(dark(0, 16, 16 + 39 * 12), 100) << pair.name;
    // 100 characters at full size would reach the edge; at half size they end at 616.
    EXPECT_GT(dark(1, 16, 616), 100) << pair.name;
    EXPECT_EQ(dark(1, 640, picture->width), 0) << pair.name;
  }
}

}  // namespace

TEST(Ambiguity, EveryShiftCountsTheDotsThatLandOnDotsAndThePeaksMatch) {
  for (const Pair& pair : pairs()) {
    SCOPED_TRACE(pair.name);
    const Ambiguity_map map = ambiguity(pair.a, pair.b);
    const int order_a = static_cast<int>(pair.a.size());
    ASSERT_EQ(map.side(), order_a + static_cast<int>(pair.b.size()) - 1);
    ASSERT_EQ(map.counts.size(), static_cast<std::size_t>(map.side()) * map.side());
    // One shift beyond the map on each side counts 0.
    for (int dy = -order_a; dy <= map.side() - order_a + 1; ++dy) {
      for (int dx = -order_a; dx <= map.side() - order_a + 1; ++dx) {
        ASSERT_EQ(map.count(dx, dy), brute_count(pair.a, pair.b, dx, dy)) << dx << ", " << dy;
      }
    }
    for (const bool skip_origin : {false, true}) {
      const Ambiguity_peak expected = brute_peak(pair.a, pair.b, skip_origin);
      const Ambiguity_peak found = skip_origin ? peak_off_origin(map) : peak(map);
      EXPECT_EQ(std::tie(found.value, found.dx, found.dy),
                std::tie(expected.value, expected.dx, expected.dy))
          << (skip_origin ? "off the origin" : "everywhere");
    }
  }
}

TEST(Ambiguity, CostasAutoAmbiguityIsTheOrderAtTheOriginAndAtMostOneElsewhere) {
  for (const auto& [p, g] : {std::pair{5, 2}, {7, 3}, {11, 2}, {13, 2}, {17, 3}, {23, 5}}) {
    const Ambiguity_map map = ambiguity(welch(p, g), welch(p, g));
    EXPECT_EQ(map.count(0, 0), p - 1) << p;
    EXPECT_EQ(peak(map).value, p - 1) << p;
    EXPECT_EQ(peak_off_origin(map).value, 1) << p;
  }
  // A permutation that is not a Costas array repeats a displacement.
  EXPECT_EQ(peak_off_origin(ambiguity(identity(6), identity(6))).value, 5);
}

TEST(Heat_colour, ZeroIsWhiteAndTheCountsDarkenApartUpToTheTop) {
  for (const int top : {2, 3, 12, 500}) {
    EXPECT_EQ(heat_colour(0, top), (Rgb{255, 255, 255}));
    // Each count up to 12 (and the top) is darker than the one before: 0, 1, 2 and top differ.
    int previous = 3 * 255 + 1;
    for (int count = 0; count <= top; count = count < 12 ? count + 1 : std::max(count + 1, top)) {
      const Rgb c = heat_colour(count, top);
      EXPECT_LT(c.r + c.g + c.b, previous) << count << " of " << top;
      previous = c.r + c.g + c.b;
    }
  }
}

TEST(Heat_map_layout, SmallMapsAreAboutEightHundredPixelsAndOrder500HasOnePixelCells) {
  for (const int order : {1, 3, 12, 64}) {
    const Ambiguity_map map = ambiguity(identity(order), identity(order));
    const Heat_map_layout layout = heat_map_layout(map, 2);
    const int extent = map.side() * layout.cell;
    EXPECT_TRUE(extent >= 600 && extent <= 1000) << order;
    EXPECT_TRUE(layout.left > 0 && layout.left + extent < layout.width) << order;
    EXPECT_GT(heat_map_layout(map, 3).height, layout.height);
  }
  EXPECT_EQ(heat_map_layout(ambiguity(identity(500), identity(500)), 2).cell, 1);
}

TEST(Heat_map_png, EveryCellCentreHasTheColourOfItsCount) {
  expect_pictures_of_pairs(write_heat_map_png, ".png");
}

TEST(Heat_map_svg, RenderedCellCentresHaveTheColourOfTheirCount) {
  if (!have_rsvg_convert()) GTEST_SKIP() << "rsvg-convert (package librsvg2-bin) is absent";
  expect_pictures_of_pairs(write_heat_map_svg, ".svg");
}

TEST(Heat_map_svg, MapsBeyondTheLargestSideAreRefusedInOneLine) {
  Temp_dir dir;
  EXPECT_EQ(write_heat_map_svg(ambiguity(identity(64), identity(64)), {}, dir / "64.svg"), "");
  EXPECT_TRUE(fs::exists(dir / "64.svg"));
  const Array a = welch(67, 2);
  const std::string refusal = write_heat_map_svg(ambiguity(a, a), {}, dir / "66.svg");
  EXPECT_EQ(refusal, "an SVG heat map is drawn for orders up to 64; write a .png for order 66");
  EXPECT_FALSE(fs::exists(dir / "66.svg"));
  EXPECT_FALSE(fs::exists(dir / "66.svg.part"));
}

TEST(Heat_map_files, AFailedWriteSaysSoInOneLineAndLeavesNoFile) {
  Temp_dir dir;
  fs::create_directory(dir / "taken.png");
  const Ambiguity_map map = ambiguity(welch(7, 3), welch(7, 3));
  for (const Writer write : {Writer{write_heat_map_png}, Writer{write_heat_map_svg}}) {
    // A missing folder fails at the open, an existing folder of that name at the rename.
    for (const fs::path& path : {dir / "missing" / "map.png", dir / "taken.png"}) {
      const std::string failure = write(map, {"caption"}, path.string());
      EXPECT_TRUE(failure.starts_with("cannot write " + path.string() + ": ")) << failure;
      EXPECT_EQ(failure.find('\n'), std::string::npos) << failure;
      EXPECT_FALSE(fs::exists(path.string() + ".part")) << path;
    }
    EXPECT_TRUE(fs::is_directory(dir / "taken.png"));
    EXPECT_TRUE(fs::is_empty(dir / "taken.png"));
  }
}

TEST(Costas_view_ambiguity, ConsoleAndPictureStateTheMaximaOfTheBruteForceCount) {
  Temp_dir dir;
  const auto typed = [](const Array& a) {
    std::string text;
    for (const auto row : a) text += std::to_string(row) + ",";
    text.pop_back();
    return text;
  };
  const auto shift = [](const Ambiguity_peak& peak) {
    return std::to_string(peak.value) + " at (dx, dy) = (" + std::to_string(peak.dx) + ", " +
           std::to_string(peak.dy) + ")";
  };
  for (const Pair& pair : pairs()) {
    if (pair.a.size() < 3 || pair.b.size() < 3) continue;
    SCOPED_TRACE(pair.name);
    const bool cross = pair.a != pair.b;
    std::vector<std::string> args = {"ambiguity", typed(pair.a), "--out", "map.png"};
    if (cross) args.insert(args.begin() + 2, {"--with", typed(pair.b)});
    const Run_result result = run_binary(COSTAS_VIEW_BINARY, args, "", dir.path());
    ASSERT_EQ(result.exit_status, 0) << result.err;
    const std::vector<std::string> lines = result.lines();
    ASSERT_GE(lines.size(), 4u);
    EXPECT_EQ(lines.back(), "Wrote map.png");
    EXPECT_EQ(lines[lines.size() - 2], "maximum off the origin: " +
                                           shift(brute_peak(pair.a, pair.b, true)));
    if (cross) {
      EXPECT_EQ(lines[lines.size() - 3], "maximum: " + shift(brute_peak(pair.a, pair.b, false)));
    }
    // The console's lines are the picture's caption.
    const std::optional<Picture> picture = read_png(dir / "map.png");
    ASSERT_TRUE(picture);
    expect_cells(*picture, pair, static_cast<int>(lines.size()) - 1);
  }
  const Array order_66 = welch(67, 2);
  const Run_result refused = run_binary(
      COSTAS_VIEW_BINARY, {"ambiguity", typed(order_66), "--out", "66.svg"}, "", dir.path());
  EXPECT_EQ(refused.exit_status, 2);
  EXPECT_EQ(refused.err, "costas_view: an SVG heat map is drawn for orders up to 64; write a "
                         ".png for order 66\n");
  EXPECT_FALSE(fs::exists(dir / "66.svg"));
}
