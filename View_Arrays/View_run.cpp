#include "View_Arrays/View_run.hpp"

#include <algorithm>
#include <memory>
#include <optional>

#include "View_Arrays/Ambiguity.hpp"
#include "View_Arrays/Ambiguity_summary.hpp"
#include "View_Arrays/Array_sources.hpp"
#include "View_Arrays/Costas_check.hpp"
#include "View_Arrays/Dot_grid.hpp"
#include "View_Arrays/Heat_map.hpp"
#include "View_Arrays/Shown_input.hpp"
#include "_Library/Text_layout.hpp"

namespace {

using Readers = std::vector<std::unique_ptr<Array_reader>>;

constexpr int status_all_costas = 0;
constexpr int status_not_costas = 1;
constexpr int status_bad_input = 2;

constexpr std::string_view general_help =
    "Usage: costas_view COMMAND [options] SOURCE...\n"
    "Checks and draws Costas arrays.\n"
    "\n"
    "Commands:\n"
    "  check       whether each array is a Costas array, and its symmetries\n"
    "  grid        an SVG sheet of the arrays as dot grids\n"
    "  ambiguity   the auto-ambiguity of one array, or the cross-ambiguity of two, as a heat map\n"
    "\n"
    "A SOURCE is one of:\n"
    "  - the program's output CSV file (tags from the methods CSV file beside it),\n"
    "  - the program's output text file (tags from its tag lines),\n"
    "  - a database arrays file of either database (tags from its methods file),\n"
    "  - an array typed as one argument: \"0,2,3,1\" or \"1 3 4 2\" (digits separated by\n"
    "    commas or blanks; write ./NAME for a file whose name is only digits).\n"
    "\n"
    "Row indices are read from 0 when the line holds a 0 and from 1 otherwise, unless\n"
    "--zero-based or --one-based says which. Entry c of an array is the row of the dot in\n"
    "column c; pictures put column 0 at the left and row 0 at the bottom.\n"
    "\n"
    "Run 'costas_view COMMAND --help' for the options of a command.\n";

constexpr std::string_view check_help =
    "Usage: costas_view check [options] SOURCE...\n"
    "Says for each array whether it is a Costas array (no two displacement vectors alike);\n"
    "when it is not, names the first repeated displacement (dx, dy) and the two pairs of dots\n"
    "(column, row) that share it. Also says whether the array is symmetric about the diagonal\n"
    "and whether it is G-symmetrical.\n"
    "\n"
    "Options:\n"
    "  --lines LIST    only these lines of each file (typed arrays are always taken):\n"
    "                  5, 3-9 or 2,7-9\n"
    "  --zero-based    row indices run from 0\n"
    "  --one-based     row indices run from 1\n"
    "\n"
    "Exit status: 0 when every array is a Costas array, 1 when one is not, 2 for a wrong\n"
    "command line or unreadable input (a row out of range, a repeated row, a line of the\n"
    "wrong length, a file that cannot be read).\n";

constexpr std::string_view grid_help =
    "Usage: costas_view grid [options] SOURCE... --out SHEET.svg\n"
    "Draws the arrays as dot grids on one SVG sheet that wraps into rows, each with a caption:\n"
    "its line and file (or argument number), its order and its tag. Column 0 is at the left,\n"
    "row 0 at the bottom.\n"
    "\n"
    "Options:\n"
    "  --out FILE      the SVG file to write (required; never one of the files read)\n"
    "  --lines LIST    only these lines of each file (typed arrays are always taken):\n"
    "                  5, 3-9 or 2,7-9\n"
    "  --columns K     arrays per row of the sheet (default: as many as fit 1600 pixels)\n"
    "  --cell PX       pixels per grid cell (default: 24 for small orders, down to 4)\n"
    "  --zero-based    row indices run from 0\n"
    "  --one-based     row indices run from 1\n";

constexpr std::string_view ambiguity_help =
    "Usage: costas_view ambiguity [options] SOURCE [--with SOURCE] --out MAP.png|MAP.svg\n"
    "Draws the ambiguity function as a heat map over every shift (dx, dy): how many dots of\n"
    "the array, moved by (dx, dy), land on dots of the array itself (auto-ambiguity) or of the\n"
    "--with array (cross-ambiguity). dx grows to the right, dy upward. A Costas array's\n"
    "auto-ambiguity is N at the origin and at most 1 everywhere else. The maximum off the\n"
    "origin is written in the picture and on the console.\n"
    "\n"
    "Options:\n"
    "  --out FILE         the picture: .png for every order, .svg up to order 64\n"
    "  --lines LINE       the line of the SOURCE file that holds the array\n"
    "  --with SOURCE      the second array, for the cross-ambiguity\n"
    "  --with-lines LINE  the line of the --with file that holds it\n"
    "  --zero-based       row indices run from 0\n"
    "  --one-based        row indices run from 1\n"
    "  --summary          no picture: CSV on standard output, one row per array of any\n"
    "                     number of SOURCEs (label, order, tag, maximum off the origin and\n"
    "                     its dx, dy); with --with, one row per pair with the maximum\n"
    "                     cross-ambiguity (at most 100000 pairs)\n"
    "Without --summary each source must give exactly one array.\n";

// The command line of one command.
struct Command_line {
  std::vector<std::string> sources;
  std::string lines;
  std::string with;
  std::string with_lines;
  std::string out;
  Index_base base = Index_base::automatic;
  int columns = 0;
  int cell = 0;
  bool help = false;
  bool summary = false;
};

// Reads the options a command takes; false with error set for anything else.
bool parse_command_line(const std::vector<std::string>& args, std::string_view command,
                        Command_line& line, std::string& error) {
  const bool grid = command == "grid";
  const bool ambiguity = command == "ambiguity";
  bool sources_only = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (sources_only || arg.empty() || arg[0] != '-') {
      line.sources.push_back(arg);
      continue;
    }
    auto value = [&](std::string& into) {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return false;
      }
      into = args[++i];
      return true;
    };
    std::string number;
    if (arg == "--") {
      sources_only = true;
    } else if (arg == "--help" || arg == "-h") {
      line.help = true;
    } else if (arg == "--zero-based") {
      line.base = Index_base::zero;
    } else if (arg == "--one-based") {
      line.base = Index_base::one;
    } else if (arg == "--lines") {
      if (!value(line.lines)) return false;
    } else if ((grid || ambiguity) && (arg == "--out" || arg == "-o")) {
      if (!value(line.out)) return false;
    } else if (ambiguity && arg == "--summary") {
      line.summary = true;
    } else if (ambiguity && arg == "--with") {
      if (!value(line.with)) return false;
    } else if (ambiguity && arg == "--with-lines") {
      if (!value(line.with_lines)) return false;
    } else if (grid && (arg == "--columns" || arg == "--cell")) {
      if (!value(number)) return false;
      int& into = arg == "--columns" ? line.columns : line.cell;
      if (!parse_whole(number, into) || into < 1 || into > 1000) {
        error = arg + " takes a whole number from 1 to 1000, not \"" + shown_input(number) + "\"";
        return false;
      }
    } else {
      error = "unknown option " + shown_input(arg) + " for " + std::string(command);
      return false;
    }
  }
  return true;
}

// The readers of the sources, opened, with their selections; false with error set. Typed
// arrays are numbered from first_argument on.
bool open_readers(const std::vector<std::string>& sources, const std::string& lines,
                  Index_base base, Readers& readers, std::string& error,
                  std::size_t first_argument = 1) {
  const auto selection = Line_selection::parse(lines, error);
  if (!selection) return false;
  readers.reserve(sources.size());
  for (std::size_t k = 0; k < sources.size(); ++k) {
    readers.push_back(std::make_unique<Array_reader>(sources[k], base, *selection,
                                                     static_cast<long>(first_argument + k)));
    error = readers.back()->open();
    if (!error.empty()) return false;
  }
  return true;
}

// The most arrays one sheet of dot grids holds; a larger selection is refused, not drawn as a
// picture no viewer opens.
constexpr std::size_t largest_sheet = 10000;

// Every selected array of every source, in order; false with error set on bad input or when
// there are more than largest arrays.
bool read_all(Readers& readers, std::vector<Viewed_array>& arrays, std::string& error,
              std::size_t largest = largest_sheet) {
  for (const auto& reader : readers) {
    Viewed_array array;
    while (reader->next(array)) {
      if (arrays.size() == largest) {
        error = "the sources give more than " + std::to_string(largest) +
                " arrays, more than one picture holds; choose fewer with --lines";
        return false;
      }
      arrays.push_back(std::move(array));
    }
    if (!reader->error().empty()) {
      error = reader->error();
      return false;
    }
  }
  return true;
}

// A picture is never written over a file it was drawn from: neither under its name nor under
// the name followed by ".part" that it is written to first. The line that says so, or empty.
std::string output_over_an_input(const std::string& out, const Readers& readers) {
  for (const std::string& name : {out, out + ".part"}) {
    const auto identity = file_identity(name);
    if (!identity) continue;
    const bool read = std::any_of(readers.begin(), readers.end(), [&](const auto& reader) {
      const auto files = reader->identities();
      return std::find(files.begin(), files.end(), *identity) != files.end();
    });
    if (!read) continue;
    if (name == out) return shown_name(out) + " is a file the arrays are read from";
    return shown_name(out) + " is written through " + shown_name(name) +
           ", a file the arrays are read from";
  }
  return {};
}

int run_check(const Command_line& line, std::ostream& out, std::ostream& err) {
  Readers readers;
  std::string error;
  if (!open_readers(line.sources, line.lines, line.base, readers, error)) {
    err << "costas_view: " << error << '\n';
    return status_bad_input;
  }
  long costas = 0;
  long other = 0;
  for (const auto& reader : readers) {
    Viewed_array array;
    while (reader->next(array)) {
      const auto repeat = first_repeated_vector(array.rows);
      (repeat ? other : costas) += 1;
      out << check_line(array, repeat) << '\n';
    }
    if (!reader->error().empty()) {
      out.flush();
      err << "costas_view: " << reader->error() << '\n';
      return status_bad_input;
    }
  }
  if (costas + other == 0) {
    err << "costas_view: no array was selected\n";
    return status_bad_input;
  }
  out << costas + other << (costas + other == 1 ? " array: " : " arrays: ") << costas
      << " Costas, " << other << " not\n";
  return other == 0 ? status_all_costas : status_not_costas;
}

int run_grid(const Command_line& line, std::ostream& out, std::ostream& err) {
  if (line.out.empty() || !line.out.ends_with(".svg")) {
    err << "costas_view: grid needs --out FILE.svg\n";
    return status_bad_input;
  }
  Readers readers;
  std::vector<Viewed_array> arrays;
  std::string error;
  if (!open_readers(line.sources, line.lines, line.base, readers, error) ||
      !read_all(readers, arrays, error)) {
    err << "costas_view: " << error << '\n';
    return status_bad_input;
  }
  if (arrays.empty()) {
    err << "costas_view: no array was selected\n";
    return status_bad_input;
  }
  if (const std::string refusal = output_over_an_input(line.out, readers); !refusal.empty()) {
    err << "costas_view: " << refusal << '\n';
    return status_bad_input;
  }
  const Dot_grid_options options{line.cell, line.columns};
  Dot_grid_layout layout;
  error = write_dot_grid_svg(arrays, options, line.out, layout);
  if (!error.empty()) {
    err << "costas_view: " << error << '\n';
    return status_bad_input;
  }
  out << "Wrote " << line.out << ": " << arrays.size()
      << (arrays.size() == 1 ? " array" : " arrays") << " in " << layout.rows
      << (layout.rows == 1 ? " row" : " rows") << " of up to " << layout.columns << ", "
      << layout.width << " x " << layout.height << " pixels\n";
  return status_all_costas;
}

// The one array a source and its selection give; false with error set.
bool read_one(const std::string& source, const std::string& lines, Index_base base,
              Readers& readers, Viewed_array& array, std::string& error) {
  Readers own;
  std::vector<Viewed_array> arrays;
  if (!open_readers({source}, lines, base, own, error, readers.size() + 1) ||
      !read_all(own, arrays, error, 1)) {
    if (arrays.size() == 1) {
      error = shown_name(source) +
              " gives more than one array; choose one with --lines (or --with-lines)";
    }
    return false;
  }
  if (arrays.empty()) {
    error = shown_name(source) + ": no array was selected";
    return false;
  }
  array = std::move(arrays.front());
  for (auto& reader : own) readers.push_back(std::move(reader));
  return true;
}

std::string shift_text(const Ambiguity_peak& peak) {
  return std::to_string(peak.value) + " at (dx, dy) = (" + std::to_string(peak.dx) + ", " +
         std::to_string(peak.dy) + ")";
}

// What the heat map shows, in lines under the picture and on the console: what is counted, the
// arrays with their tags, the axes, and the maxima.
std::vector<std::string> ambiguity_caption(const Ambiguity_map& map, const Viewed_array& a,
                                           const Viewed_array* b) {
  const auto described = [](std::string_view name, const Viewed_array& array) {
    std::string text(name);
    text += array.label();
    if (!array.tag.empty()) text += ": " + array.tag;
    return text;
  };
  std::vector<std::string> caption;
  const std::string order_a = std::to_string(map.order_a);
  if (b == nullptr) {
    caption.push_back("Auto-ambiguity of order " + order_a +
                      ": dots moved by (dx, dy) that land on dots");
    caption.push_back(described("", a));
  } else {
    caption.push_back("Cross-ambiguity of order" +
                      (map.order_a == map.order_b ? " " + order_a
                                                  : "s " + order_a + " and " +
                                                        std::to_string(map.order_b)) +
                      ": dots of A moved by (dx, dy) on dots of B");
    caption.push_back(described("A: ", a));
    caption.push_back(described("B: ", *b));
  }
  const std::string from = std::to_string(1 - map.order_a);
  const std::string to = std::to_string(map.order_b - 1);
  caption.push_back("dx from " + from + " to " + to + " to the right, dy from " + from + " to " +
                    to + " upward");
  if (b != nullptr) caption.push_back("maximum: " + shift_text(peak(map)));
  caption.push_back("maximum off the origin: " + shift_text(peak_off_origin(map)));
  return caption;
}

int run_ambiguity(const Command_line& line, std::ostream& out, std::ostream& err) {
  if (line.summary) {
    return run_ambiguity_summary({line.sources, line.lines, line.with, line.with_lines, line.base},
                                 out, err);
  }
  const bool png = line.out.ends_with(".png");
  if (line.out.empty() || (!png && !line.out.ends_with(".svg"))) {
    err << "costas_view: ambiguity needs --out FILE.png or --out FILE.svg\n";
    return status_bad_input;
  }
  if (line.sources.size() != 1) {
    err << "costas_view: ambiguity takes one SOURCE (and the second array with --with)\n";
    return status_bad_input;
  }
  Readers readers;
  Viewed_array a;
  Viewed_array b;
  std::string error;
  const bool cross = !line.with.empty();
  if (!read_one(line.sources.front(), line.lines, line.base, readers, a, error) ||
      (cross && !read_one(line.with, line.with_lines, line.base, readers, b, error))) {
    err << "costas_view: " << error << '\n';
    return status_bad_input;
  }
  if (const std::string refusal = output_over_an_input(line.out, readers); !refusal.empty()) {
    err << "costas_view: " << refusal << '\n';
    return status_bad_input;
  }
  const Ambiguity_map map = ambiguity(a.rows, cross ? b.rows : a.rows);
  const std::vector<std::string> caption = ambiguity_caption(map, a, cross ? &b : nullptr);
  error = png ? write_heat_map_png(map, caption, line.out)
              : write_heat_map_svg(map, caption, line.out);
  if (!error.empty()) {
    err << "costas_view: " << error << '\n';
    return status_bad_input;
  }
  for (const std::string& text : caption) out << text << '\n';
  out << "Wrote " << line.out << '\n';
  return status_all_costas;
}

}  // namespace

int run_costas_view(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  if (args.empty() || args.front() == "--help" || args.front() == "-h" ||
      args.front() == "help") {
    (args.empty() ? err : out) << general_help;
    return args.empty() ? status_bad_input : status_all_costas;
  }
  const std::string& command = args.front();
  if (command != "check" && command != "grid" && command != "ambiguity") {
    err << "costas_view: unknown command \"" << shown_input(command)
        << "\"; the commands are check, grid and ambiguity (costas_view --help)\n";
    return status_bad_input;
  }
  Command_line line;
  std::string error;
  if (!parse_command_line(args, command, line, error)) {
    err << "costas_view: " << error << " (costas_view " << command << " --help)\n";
    return status_bad_input;
  }
  if (line.help) {
    out << (command == "check" ? check_help : command == "grid" ? grid_help : ambiguity_help);
    return status_all_costas;
  }
  if (line.sources.empty()) {
    err << "costas_view: " << command << " needs a SOURCE: a file or a typed array such as "
        << "0,2,3,1 (costas_view " << command << " --help)\n";
    return status_bad_input;
  }
  if (command == "check") return run_check(line, out, err);
  if (command == "grid") return run_grid(line, out, err);
  return run_ambiguity(line, out, err);
}
