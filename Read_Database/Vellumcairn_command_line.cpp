#include "Read_Database/Vellumcairn_command_line.hpp"

#include <algorithm>
#include <cctype>
#include <ostream>

#include "_Library/Count_tables.hpp"
#include "_Library/Options_file.hpp"
#include "_Library/Text_layout.hpp"
#include "Read_Database/Vellumcairn_Method_list.hpp"

namespace {

constexpr std::string_view help_text =
    "Usage:\n"
    "  vellumcairn                 the interactive program (menu, options file)\n"
    "  vellumcairn select --database DIR [--searched] --order N [options] --out FILE\n"
    "  vellumcairn counts [--searched] [--orders A-B]\n"
    "  vellumcairn --help\n"
    "\n"
    "select writes one selection of the database to one file. It never reads or writes the\n"
    "options file: every setting is given here, and what is not given takes its default.\n"
    "  --database DIR      the folder that holds Generated/ and Searches/ (required)\n"
    "  --searched          the exhaustive-search database, orders 3 to 27 (default: the\n"
    "                      generated database, orders 2 to 500)\n"
    "  --order N           the order of the arrays (required)\n"
    "  --kind K            all, essential, symmetrical or g-symmetrical (default: all)\n"
    "  --method LIST       only arrays flagged with one of these methods, by number or name\n"
    "                      as the menu lists them: 1,2,5  welch  golomb  \"lempel 2\"  search\n"
    "                      (a family name takes all its methods; default: every array;\n"
    "                      the searched database keeps no flags and writes every array)\n"
    "  --base 0|1          row indices from 0 or from 1 (default: 0)\n"
    "  --polynomials       add the generating polynomial's coefficients c0..c(N-1) as powers\n"
    "                      of a primitive element, -99 for zero (csv and npy)\n"
    "  --field Q           the Galois field order; raised to a viable one above the order\n"
    "                      (default: the least prime power above the order)\n"
    "  --out FILE          the file to write (required); never a database or options file\n"
    "  --format F          csv (default), text or npy\n"
    "  --overwrite         replace an existing FILE (default: an existing FILE is refused)\n"
    "  --append            add to an existing FILE (csv and text)\n"
    "\n"
    "Formats:\n"
    "  csv   a header row, then one array per row:\n"
    "        order,line,method,flags,transform,symmetrical,g_symmetrical,r1,...,rN\n"
    "        (method names joined by ';', flags as 8 hexadecimal digits, then c0,...,c(N-1)\n"
    "        with --polynomials)\n"
    "  text  the output text file as the interactive run writes it\n"
    "  npy   FILE.npy: the rows as a (count, N) int16 array; FILE_flags.npy: the flag words\n"
    "        as a uint32 vector; with --polynomials FILE_polynomials.npy, (count, N) int32\n"
    "\n"
    "select ends with one line: how many arrays it wrote, where, and the count the tables\n"
    "list for that kind when it differs.\n"
    "\n"
    "counts prints the count tables as CSV: order,all,essential,symmetrical,g_symmetrical,\n"
    "for the orders of the chosen database or for --orders A-B within them.\n"
    "\n"
    "Examples:\n"
    "  vellumcairn select --database /media/costas --order 16 --kind essential --out e16.csv\n"
    "  vellumcairn select --database /media/costas --order 100 --method welch --format npy \\\n"
    "      --out welch100.npy\n"
    "  vellumcairn select --database /media/costas --order 22 --kind g-symmetrical \\\n"
    "      --base 1 --out g22.csv --overwrite\n"
    "  vellumcairn counts --orders 20-30\n"
    "\n"
    "Exit status: 0 done, 1 a file or database problem, 2 bad arguments.\n";

std::string lower(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return result;
}

// The name of method m as the menu lists it ("Welch 0" of "1  => Welch 0").
std::string_view listed_name(std::size_t m) {
  const std::string_view entry = method_list[m];
  return entry.substr(entry.find("=> ") + 3);
}

// Adds the methods one item of a list names; false when it names none.
bool add_methods(std::string_view item, Method_flags& mask, std::string& names) {
  const auto add = [&](std::int32_t bit, std::string_view name) {
    if ((mask >> bit) & 1u) return;
    mask |= Method_flags{1} << bit;
    names += names.empty() ? "" : ", ";
    names += name;
  };
  std::int32_t number = 0;
  if (parse_whole(item, number)) {
    if (number < 1 || number > method_count) return false;
    add(method_bit[static_cast<std::size_t>(number)], listed_name(static_cast<std::size_t>(number)));
    return true;
  }
  const std::string word = lower(item);
  if (word == "search") {
    add(0, trim_right(method_flag_names[0]));
    return true;
  }
  bool found = false;
  for (std::size_t m = 1; m < method_list.size(); ++m) {
    const std::string name = lower(listed_name(m));
    const std::string family = name.substr(0, name.find(' '));
    if (word == name || word == family || (word + "." == family)) {
      add(method_bit[m], listed_name(m));
      found = true;
    }
  }
  return found;
}

}  // namespace

std::optional<Method_flags> parse_method_list(std::string_view list, std::string& names,
                                              std::string& error) {
  Method_flags mask = 0;
  names.clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = std::min(list.find(',', start), list.size());
    const std::string_view item = trim(list.substr(start, comma - start));
    if (item == "0" || item == "all") {
      // Method 0 of the menu: every method, no filter.
    } else if (item.empty() || !add_methods(item, mask, names)) {
      error = "--method: \"" + std::string(item) +
              "\" names no method; give numbers 1 to 19 or names as the menu lists them";
      return std::nullopt;
    }
    if (comma == list.size()) return mask;
    start = comma + 1;
  }
}

namespace {

// A whole number from low to high, or an error naming the option.
bool number_in(std::string_view option, std::string_view text, std::int32_t low,
               std::int32_t high, std::int32_t& value, std::string& error) {
  if (parse_whole(text, value) && value >= low && value <= high) return true;
  error = std::string(option) + " takes a whole number from " + std::to_string(low) + " to " +
          std::to_string(high) + ", not \"" + std::string(text) + "\"";
  return false;
}

// Takes one option with its value into s; false with error set.
bool take_value(std::string_view option, const std::string& value, Select_settings& s,
                std::string& error) {
  static constexpr std::string_view kinds[] = {"all", "essential", "symmetrical", "g-symmetrical"};
  static constexpr std::string_view formats[] = {"csv", "text", "npy"};
  if (option == "--database") {
    s.database = value;
  } else if (option == "--out") {
    s.out = value;
  } else if (option == "--order") {
    return number_in(option, value, 2, last_counted_order, s.order, error);
  } else if (option == "--base") {
    return number_in(option, value, 0, 1, s.base, error);
  } else if (option == "--field") {
    return number_in(option, value, 2, MAX_GF_ORDER, s.field, error);
  } else if (option == "--method") {
    const auto mask = parse_method_list(value, s.method_names, error);
    s.method_mask = mask.value_or(0);
    return mask.has_value();
  } else if (option == "--kind") {
    const auto found = std::find(std::begin(kinds), std::end(kinds), lower(value));
    if (found == std::end(kinds)) {
      error = "--kind takes all, essential, symmetrical or g-symmetrical, not \"" + value + "\"";
      return false;
    }
    s.symmetry_type = static_cast<std::int32_t>(found - std::begin(kinds)) + 1;
  } else {
    const auto found = std::find(std::begin(formats), std::end(formats), lower(value));
    if (found == std::end(formats)) {
      error = "--format takes csv, text or npy, not \"" + value + "\"";
      return false;
    }
    s.format = static_cast<Tidy_format>(found - std::begin(formats));
  }
  return true;
}

// The rules between the options of select; empty when they hold.
std::string check_select(const Select_settings& s, bool field_given) {
  if (s.database.empty()) return "select needs --database DIR";
  if (s.order == 0) return "select needs --order N";
  if (s.out.empty()) return "select needs --out FILE";
  const std::int32_t low = s.searched ? 3 : 2;
  const std::int32_t high = s.searched ? MAX_SEARCH_ORDER : MAX_GENERATED_ORDER;
  if (s.order < low || s.order > high) {
    return "--order: the " + std::string(s.searched ? "searched" : "generated") +
           " database holds orders " + std::to_string(low) + " to " + std::to_string(high);
  }
  if (field_given && !s.polynomials) return "--field goes with --polynomials";
  if (s.polynomials && s.format == Tidy_format::text) {
    return "--polynomials writes csv or npy, not text";
  }
  if (s.format == Tidy_format::npy && !s.out.ends_with(".npy")) return "--format npy needs --out FILE.npy";
  if (s.format == Tidy_format::npy && s.existing == Existing_output::append) {
    return "--append does not apply to npy (its header holds the count)";
  }
  return {};
}

}  // namespace

std::optional<Select_settings> parse_select(const std::vector<std::string>& args,
                                            std::string& error) {
  static constexpr std::string_view with_value[] = {"--database", "--order", "--kind", "--method",
                                                    "--base", "--field", "--out", "--format"};
  Select_settings s;
  bool field_given = false;
  bool overwrite = false;
  bool append = false;
  for (std::size_t i = 1; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--searched") {
      s.searched = true;
    } else if (arg == "--polynomials") {
      s.polynomials = true;
    } else if (arg == "--overwrite" || arg == "--append") {
      (arg == "--overwrite" ? overwrite : append) = true;
    } else if (std::find(std::begin(with_value), std::end(with_value), arg) != std::end(with_value)) {
      if (i + 1 >= args.size()) {
        error = arg + " needs a value";
        return std::nullopt;
      }
      field_given = field_given || arg == "--field";
      if (!take_value(arg, args[++i], s, error)) return std::nullopt;
    } else {
      error = "select: unknown argument \"" + arg + "\"";
      return std::nullopt;
    }
  }
  if (overwrite && append) {
    error = "give --overwrite or --append, not both";
    return std::nullopt;
  }
  s.existing = overwrite ? Existing_output::overwrite
               : append  ? Existing_output::append
                         : Existing_output::refuse;
  error = check_select(s, field_given);
  if (!error.empty()) return std::nullopt;
  return s;
}

namespace {

// counts: the count tables as CSV with a header row; the exit status.
int run_counts(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool searched = false;
  std::string range;
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "--searched") {
      searched = true;
    } else if (args[i] == "--orders" && i + 1 < args.size()) {
      range = args[++i];
    } else {
      err << "vellumcairn: counts: unexpected argument \"" << args[i]
          << "\" (vellumcairn --help)\n";
      return command_line_bad_arguments;
    }
  }
  const std::int32_t low = searched ? 3 : first_counted_order;
  const std::int32_t high = searched ? MAX_SEARCH_ORDER : MAX_GENERATED_ORDER;
  std::int32_t from = low;
  std::int32_t to = high;
  if (!range.empty()) {
    const std::size_t dash = range.find('-');
    const std::string_view first = std::string_view(range).substr(0, dash);
    const bool read = dash == std::string::npos
                          ? parse_whole(first, from) && (to = from, true)
                          : parse_whole(first, from) &&
                                parse_whole(std::string_view(range).substr(dash + 1), to);
    if (!read || from < low || to > high || from > to) {
      err << "vellumcairn: counts: --orders takes A-B with " << low << " <= A <= B <= " << high
          << ", not \"" << range << "\"\n";
      return command_line_bad_arguments;
    }
  }
  out << "order,all,essential,symmetrical,g_symmetrical\n";
  for (std::int32_t n = from; n <= to; ++n) {
    const Order_counts c = count_tables(n);
    out << n << ',' << c.all << ',' << c.essential << ',' << c.symmetrical << ','
        << c.g_symmetrical << '\n';
  }
  out.flush();
  return out.good() ? command_line_ok : command_line_file_problem;
}

}  // namespace

int run_command_line(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  const std::string& command = args.front();
  if (command == "--help" || command == "-h" || command == "help" ||
      std::find(args.begin(), args.end(), "--help") != args.end()) {
    out << help_text;
    return command_line_ok;
  }
  if (command == "counts") return run_counts(args, out, err);
  if (command != "select") {
    err << "vellumcairn: unknown command \"" << command
        << "\"; the commands are select and counts (vellumcairn --help)\n";
    return command_line_bad_arguments;
  }
  std::string error;
  const std::optional<Select_settings> settings = parse_select(args, error);
  if (!settings) {
    err << "vellumcairn: " << error << " (vellumcairn --help)\n";
    return command_line_bad_arguments;
  }
  return run_select(*settings, out, err);
}
