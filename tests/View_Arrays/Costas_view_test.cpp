// costas_view through the real binary: check over every kind of source and both index bases,
// the one-line errors of bad input, and dot-grid sheets looked at pixel by pixel.
#include <gtest/gtest.h>

#include <filesystem>
#include <numeric>
#include <string>
#include <vector>

#include "View_Arrays/Dot_grid.hpp"
#include "tests/View_Arrays/picture_reading.hpp"
#include "tests/support/test_support.hpp"

namespace fs = std::filesystem;

namespace {

Run_result view(const std::vector<std::string>& args, const fs::path& dir) {
  return run_binary(COSTAS_VIEW_BINARY, args, "", dir);
}

// Order-4 sources of every kind. In zero-based rows: 0 1 3 2 is a Costas array, symmetric about
// the diagonal and G-symmetrical; 0 2 3 1 is a Costas array, G-symmetrical only; 0 1 2 3 is
// none.
void write_sources(const fs::path& dir) {
  fs::create_directories(dir / "db/Generated");
  fs::create_directories(dir / "db/Searches");
  write_file(dir / "db/Generated/Sorted_Costas_arrays_N=4.txt",
             "   4  3\n1 2 4 3\nPolymorph: 1 3 4 2\n1 2 3 4\n");
  write_file(dir / "db/Generated/Sorted_Costas_arrays_N=4.txt_methods.txt",
             "   4  3\n 11000002\n 01000002\n 00000000\n");
  write_file(dir / "db/Searches/Costas_essense_N=4.txt", "0 1 3 2\r\nPolymorph: 0 2 3 1\r\n");
  write_file(dir / "run.csv", "   1 ,  2 ,  4 ,  3\n   0 ,  2 ,  3 ,  1\n");
  write_file(dir / "run_methods.csv", "Welch 0, Symmetrical\n\n");
  write_file(dir / "out.txt",
             "Costas arrays of order 4\nNumber of unique Costas arrays: 12\n"
             "Welch 0, Symmetrical\n   0  1  3  2\n Filtering on method: Welch 0\n"
             "   0  2  3  1\nPolymorph\n   0  1  2  3\n");
}

const std::string both = "; symmetric about the diagonal: yes; G-symmetrical: yes";
const std::string g_only = "; symmetric about the diagonal: no; G-symmetrical: yes";
const std::string diagonal_only = "; symmetric about the diagonal: yes; G-symmetrical: no";

}  // namespace

TEST(Costas_view, CheckNamesEachArrayAndTheFirstRepeatedDisplacement) {
  Temp_dir dir;
  write_sources(dir.path());
  const std::string not_1234 =
      ": not a Costas array of order 4: the displacement (1, 1) repeats: dots (1, 1) to (2, 2) "
      "and dots (2, 2) to (3, 3)" + diagonal_only;
  const std::string not_0123 =
      ": not a Costas array of order 4: the displacement (1, 1) repeats: dots (0, 0) to (1, 1) "
      "and dots (1, 1) to (2, 2)" + diagonal_only;
  // Only the displacement of distance 4 repeats in this array of order 9.
  const std::string long_repeat =
      ": not a Costas array of order 9: the displacement (4, -4) repeats: dots ";
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> lines;
    int status;
  };
  const std::vector<Case> cases = {
      {{"check", "0,2,3,1"},
       {"argument 1: Costas array of order 4" + g_only, "1 array: 1 Costas, 0 not"}, 0},
      {{"check", "--one-based", "1 3 4 2", "2 1"},
       {"argument 1: Costas array of order 4" + g_only,
        "argument 2: Costas array of order 2; symmetric about the diagonal: yes; "
        "G-symmetrical: yes",
        "2 arrays: 2 Costas, 0 not"}, 0},
      {{"check", "8,3,7,1,4,6,5,2,0", "0 1 2 3"},
       {"argument 1" + long_repeat + "(0, 8) to (4, 4) and dots (4, 4) to (8, 0)" + diagonal_only,
        "argument 2" + not_0123,
        "2 arrays: 0 Costas, 2 not"}, 1},
      {{"check", "--one-based", "9 4 8 2 5 7 6 3 1"},
       {"argument 1" + long_repeat + "(1, 9) to (5, 5) and dots (5, 5) to (9, 1)" + diagonal_only,
        "1 array: 0 Costas, 1 not"}, 1},
      {{"check", "db/Generated/Sorted_Costas_arrays_N=4.txt"},
       {"line 2 of Sorted_Costas_arrays_N=4.txt [Welch 0, Rows Reversed, Symmetrical]: Costas "
        "array of order 4" + both,
        "line 3 of Sorted_Costas_arrays_N=4.txt [Welch 0, Rows Reversed]: Costas array of "
        "order 4" + g_only,
        "line 4 of Sorted_Costas_arrays_N=4.txt" + not_1234, "3 arrays: 2 Costas, 1 not"}, 1},
      {{"check", "--lines", "3", "db/Generated/Sorted_Costas_arrays_N=4.txt", "0,2,3,1"},
       {"line 3 of Sorted_Costas_arrays_N=4.txt [Welch 0, Rows Reversed]: Costas array of "
        "order 4" + g_only, "argument 2: Costas array of order 4" + g_only,
        "2 arrays: 2 Costas, 0 not"}, 0},
      {{"check", "db/Searches/Costas_essense_N=4.txt"},
       {"line 1 of Costas_essense_N=4.txt: Costas array of order 4" + both,
        "line 2 of Costas_essense_N=4.txt [Polymorph]: Costas array of order 4" + g_only,
        "2 arrays: 2 Costas, 0 not"}, 0},
      {{"check", "run.csv"},
       {"line 1 of run.csv [Welch 0, Symmetrical]: Costas array of order 4" + both,
        "line 2 of run.csv: Costas array of order 4" + g_only, "2 arrays: 2 Costas, 0 not"}, 0},
      {{"check", "out.txt", "--lines", "4-6,8"},
       {"line 4 of out.txt [Welch 0, Symmetrical]: Costas array of order 4" + both,
        "line 6 of out.txt: Costas array of order 4" + g_only,
        "line 8 of out.txt [Polymorph]" + not_0123,
        "3 arrays: 2 Costas, 1 not"}, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args[1] + " " + c.args.back());
    const Run_result result = view(c.args, dir.path());
    EXPECT_EQ(result.lines(), c.lines);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_status, c.status);
  }
}

TEST(Costas_view, BadInputGivesOneLineAndStatusTwo) {
  Temp_dir dir;
  write_sources(dir.path());
  write_file(dir / "short.csv", "0 , 1 , 3 , 2\n0 , 2 , 1\n");
  write_file(dir / "db/Searches/Costas_essense_N=5.txt", "0 1 3 2\n");
  write_file(dir / "db/Searches/Sorted_Costas_arrays_N=4.txt", "   5  12\n0 1 3 2\n");
  write_file(dir / "db/Generated/Costas_essense_N=4.txt", "1 2 4 3\n1 3 4 2\n");
  write_file(dir / "db/Generated/Costas_essense_N=4.txt_methods.txt", " 11000002\n");
  write_file(dir / "db/Generated/Costas_symmetrical_N=4.txt", "1 2 4 3\n\n1 3 4 2\n");
  fs::create_symlink(dir / "run.csv", dir / "link.svg");
  std::string many;
  for (int line = 0; line <= 10000; ++line) many += "0 , 2 , 3 , 1\n";
  write_file(dir / "many.csv", many);
  const std::string run_csv = read_file(dir / "run.csv");
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const std::vector<Case> cases = {
      {{"check", "0,1,4,2"}, "argument 1 (\"0,1,4,2\"): row 4 in column 2 is outside 0..3"},
      {{"check", "--one-based", "1 2 2 4"}, "row 2 appears twice, in columns 2 and 3"},
      {{"check", "short.csv"}, "short.csv, line 2: 3 row indices where the arrays before it "
                               "have order 4"},
      {{"check", "db/Searches/Costas_essense_N=5.txt"},
       "line 1: 4 row indices where the arrays of this file have order 5"},
      {{"check", "db/Searches/Sorted_Costas_arrays_N=4.txt"},
       "line 1: the first line of the file should give its order 4 and its number of arrays"},
      {{"check", "db/Generated/Costas_essense_N=4.txt"},
       "Costas_essense_N=4.txt_methods.txt, line 2: missing: the methods file ends before its "
       "arrays file"},
      {{"check", "db/Generated/Costas_symmetrical_N=4.txt"},
       "Costas_symmetrical_N=4.txt, line 2: blank line among the arrays"},
      {{"check", "missing.csv"}, "cannot read missing.csv: No such file or directory"},
      {{"check", "db"}, "cannot read db: Is a directory"},
      {{"check", "run_methods.csv"}, "run_methods.csv holds no arrays"},
      {{"check", "--lines", "3-", "run.csv"}, "\"3-\" is not a list of line numbers"},
      {{"check", "--cell", "4", "run.csv"}, "unknown option --cell for check"},
      {{"check"}, "check needs a SOURCE"},
      {{"draw", "run.csv"}, "unknown command \"draw\""},
      {{"grid", "run.csv"}, "grid needs --out FILE.svg"},
      {{"grid", "run.csv", "--columns", "0", "--out", "x.svg"}, "--columns takes a whole number"},
      {{"grid", "run.csv", "--out", "link.svg"}, "link.svg is a file the arrays are read from"},
      {{"grid", "run.csv", "--out", "nowhere/x.svg"}, "cannot write nowhere/x.svg"},
      {{"grid", "many.csv", "--out", "x.svg"}, "the sources give more than 10000 arrays"},
      {{"ambiguity", "run.csv", "--out", "a.png"}, "run.csv gives more than one array; choose one"},
      {{"ambiguity", "run.csv", "--lines", "9", "--out", "a.png"}, "no array was selected"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args.back());
    const Run_result result = view(c.args, dir.path());
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(split_lines(result.err).size(), 1u) << result.err;
    EXPECT_EQ(result.err.rfind("costas_view: ", 0), 0u) << result.err;
    EXPECT_NE(result.err.find(c.error), std::string::npos) << result.err;
  }
  EXPECT_EQ(read_file(dir / "run.csv"), run_csv);
  EXPECT_FALSE(fs::exists(dir / "x.svg"));
  for (const std::string command : {"check", "grid", "ambiguity"}) {
    const Run_result help = view({command, "--help"}, dir.path());
    EXPECT_EQ(help.exit_status, 0);
    EXPECT_EQ(help.out.rfind("Usage: costas_view " + command, 0), 0u) << help.out;
  }
}

TEST(Costas_view, GridDrawsADotAtEachColumnAndRowAndNoneElsewhere) {
  if (!have_rsvg_convert()) GTEST_SKIP() << "rsvg-convert (Debian package librsvg2-bin) absent";
  Temp_dir dir;
  write_sources(dir.path());
  // A sheet of mixed orders with the default cells (round dots), and one with small cells
  // (square dots) and two columns.
  Costas_perm order_40(40);
  for (int c = 0; c < 40; ++c) order_40[static_cast<std::size_t>(c)] = static_cast<std::uint16_t>(c * 7 % 40);
  std::string typed_40;
  for (const auto row : order_40) typed_40 += std::to_string(row) + ",";
  typed_40.pop_back();
  struct Case {
    std::vector<std::string> args;
    std::vector<Costas_perm> arrays;
    Dot_grid_options options;
  };
  const std::vector<Case> cases = {
      {{"run.csv", "8,3,7,1,4,6,5,2,0"}, {{0, 1, 3, 2}, {0, 2, 3, 1}, {8, 3, 7, 1, 4, 6, 5, 2, 0}},
       {}},
      {{typed_40, "out.txt", "--cell", "5", "--columns", "2"},
       {order_40, {0, 1, 3, 2}, {0, 2, 3, 1}, {0, 1, 2, 3}}, {5, 2}},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"grid", "--out", "sheet.svg"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const Run_result result = view(args, dir.path());
    ASSERT_EQ(result.exit_status, 0) << result.err;
    const auto picture = render_svg(dir / "sheet.svg");
    ASSERT_TRUE(picture.has_value());
    std::size_t largest = 0;
    for (const auto& array : c.arrays) largest = std::max(largest, array.size());
    const Dot_grid_layout layout = dot_grid_layout(static_cast<int>(largest),
                                                   static_cast<int>(c.arrays.size()), c.options);
    EXPECT_EQ(picture->width, layout.width);
    EXPECT_EQ(picture->height, layout.height);
    int wrong = 0;
    for (std::size_t k = 0; k < c.arrays.size(); ++k) {
      const int x = layout.margin + static_cast<int>(k) % layout.columns * layout.panel_width;
      const int y = layout.margin + static_cast<int>(k) / layout.columns * layout.panel_height;
      const int n = static_cast<int>(c.arrays[k].size());
      for (int column = 0; column < n; ++column) {
        for (int row = 0; row < n; ++row) {
          const bool dot = c.arrays[k][static_cast<std::size_t>(column)] == row;
          const int px = x + column * layout.cell + layout.cell / 2;
          const int py = y + (n - 1 - row) * layout.cell + layout.cell / 2;
          if (picture->dark(px, py) != dot) ++wrong;
        }
      }
    }
    EXPECT_EQ(wrong, 0);
  }
}

TEST(Costas_view, GridGrowsLinearlyWithTheNumberOfDots) {
  Temp_dir dir;
  std::vector<std::uintmax_t> sizes;
  for (const int n : {100, 500}) {
    std::string typed;
    for (int c = 0; c < n; ++c) typed += std::to_string(c * 7 % n) + (c + 1 < n ? "," : "");
    const Run_result result = view({"grid", typed, "--out", "big.svg"}, dir.path());
    ASSERT_EQ(result.exit_status, 0) << result.err;
    sizes.push_back(fs::file_size(dir / "big.svg"));
  }
  // Five times the dots; a picture that grew with N squared would be 25 times as large.
  EXPECT_LT(sizes[1], 7 * sizes[0]);
  EXPECT_GT(sizes[1], 3 * sizes[0]);
}

// Every line of a source is an array, a blank, a header, a tag line or a line that a run writes
// beside them (log, filter and count lines); any other line is refused in one line naming the
// file, the line counted from 1 and the reason, and echoed input stays short and harmless.
TEST(Costas_view, EveryOtherLineIsRefusedAndNamed) {
  Temp_dir dir;
  const std::string good = "1 2 4 3\n";
  const std::string controls = "\x01\x1b[2J" + std::string(60, 'z');
  std::string typed;
  for (int k = 0; k < 1500; ++k) typed += k == 0 ? "7" : ",7";
  struct Case {
    std::string file;       // written with contents unless empty
    std::string contents;
    std::vector<std::string> args;
    std::string error;
  };
  const std::vector<Case> cases = {
      {"minus.txt", good + "3 1 -1 2\n", {}, "minus.txt, line 2: \"-1\" is not a row index"},
      {"wide.txt", good + "0 2147483648 1 2\n", {},
       "wide.txt, line 2: row 2147483648 in column 1 is outside 0..3"},
      {"large.txt", good + "1 2 3 100000\n", {},
       "large.txt, line 2: row 100000 in column 4 is outside 1..4"},
      {"huge.csv", good + "1 2 3 99999999999999999999\n", {},
       "huge.csv, line 2: \"99999999999999999999\" is not a row index"},
      {"word.txt", "Costas arrays of order 4\n" + good + "Hello world\n", {},
       "word.txt, line 3: neither row indices nor a tag or summary line: \"Hello world\""},
      {"marked.txt", good + "Polymorph: 1 x 4 3\n", {},
       "marked.txt, line 2: \"x\" is not a row index"},
      {"controls.csv", good + controls + "\n", {},
       "controls.csv, line 2: not a line of row indices: \"\\x01\\x1B[2J" + std::string(35, 'z') +
           "... (65 characters)\""},
      {"", "", {"check", "/dev/zero"}, "/dev/zero, line 1: the line is too long"},
      {"", "", {"check", typed},
       "argument 1 (\"" + typed.substr(0, 40) +
           "... (2999 characters)\"): order 1500 is above 1000, the largest this tool reads"},
      {"sheet.svg.part", good, {"grid", "sheet.svg.part", "--out", "sheet.svg"},
       "sheet.svg is written through sheet.svg.part, a file the arrays are read from"},
      {"map.png.part", good, {"ambiguity", "map.png.part", "--out", "map.png"},
       "map.png is written through map.png.part, a file the arrays are read from"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.file.empty() ? c.args.back().substr(0, 20) : c.file);
    if (!c.file.empty()) write_file(dir / c.file, c.contents);
    const Run_result result =
        view(c.args.empty() ? std::vector<std::string>{"check", c.file} : c.args, dir.path());
    EXPECT_EQ(result.exit_status, 2);
    EXPECT_EQ(split_lines(result.err), (std::vector<std::string>{"costas_view: " + c.error}))
        << result.err;
    EXPECT_LT(result.err.size(), 200u);
    if (!c.file.empty()) {
      EXPECT_EQ(read_file(dir / c.file), c.contents);
    }
  }
  EXPECT_FALSE(fs::exists(dir / "sheet.svg"));
  EXPECT_FALSE(fs::exists(dir / "map.png"));
}

// A byte-order mark before the first line (of the arrays file and of its methods file) is no
// part of it; an output text file of a run that says its order is held in part reads whole.
TEST(Costas_view, ByteOrderMarkAndRunSummaryLinesAreNoArrays) {
  Temp_dir dir;
  const std::string mark = "\xEF\xBB\xBF";
  write_file(dir / "bom.txt", mark + "1 2 4 3\n1 3 4 2\n");
  write_file(dir / "bom.csv", mark + "0,1,3,2\n");
  write_file(dir / "bom_methods.csv", mark + "Welch 0\n");
  write_file(dir / "run.txt",
             "Costas arrays of order 4\nNumber of unique Costas arrays: 3\n"
             "Constructions only: this order holds only its constructed arrays, 3 of the 12 that "
             "the count tables count.\n Filtering on method: Welch 0\nWelch 0\n   0  1  3  2\n"
             "The database file held 3 arrays of order 4; the count tables list 12.\n");
  const std::string first = ": Costas array of order 4; symmetric about the diagonal: yes; "
                            "G-symmetrical: yes";
  const std::string second = ": Costas array of order 4; symmetric about the diagonal: no; "
                             "G-symmetrical: yes";
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"bom.txt", {"line 1 of bom.txt" + first, "line 2 of bom.txt" + second,
                   "2 arrays: 2 Costas, 0 not"}},
      {"bom.csv", {"line 1 of bom.csv [Welch 0]" + first, "1 array: 1 Costas, 0 not"}},
      {"run.txt", {"line 6 of run.txt [Welch 0]" + first, "1 array: 1 Costas, 0 not"}},
  };
  for (const auto& [source, lines] : cases) {
    SCOPED_TRACE(source);
    const Run_result result = view({"check", source}, dir.path());
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exit_status, 0);
    EXPECT_EQ(result.lines(), lines);
  }
}
