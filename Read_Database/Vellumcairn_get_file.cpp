#include "Read_Database/Vellumcairn_get_file.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "_Library/Console_io.hpp"
#include "_Library/Count_tables.hpp"
#include "_Library/Options_file.hpp"
#include "_Library/Output_text_lines.hpp"
#include "Read_Database/GF_Polynomial.hpp"
#include "_Library/Stop_signals.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

// One line on the console for a damaged database file; the run writes nothing after it.
void report_damage(Console& console, const Text_input& file, long line_number,
                   std::string_view what) {
  std::string text = " Damaged database file " + file.name() + ", line " +
                     std::to_string(line_number) + ": ";
  text += what;
  text += "; no more arrays are written in this run";
  console.line(text);
}

// A blank line ends the arrays quietly when only blank lines follow it; otherwise the file is
// damaged there.
bool blank_lines_end_the_file(Text_input& arrays, std::string& line) {
  while (arrays.read_line(line) == status_ok) {
    if (!trim(line).empty()) return false;
  }
  return true;
}

// The filter line: the method's flag name, or "NONE" for a number that names no method.
void show_filter_line(Status_line& status, std::int32_t filter_method) {
  const bool named = filter_method >= 1 && filter_method <= method_count;
  const std::string_view name =
      named ? trim(method_flag_names[static_cast<std::size_t>(
                  method_bit[static_cast<std::size_t>(filter_method)])])
            : std::string_view("NONE");
  status.message_line = free_form(filter_line_start, name);
  status.show_message();
}

// ca_tag becomes the names of the set flags joined by ", " in bit order; it keeps its earlier
// text when no flag is set. Returns whether any flag is set.
bool tag_with_flag_names(std::string& ca_tag, Method_flags flags) {
  if (flags == 0) return false;
  ca_tag.clear();
  append_method_tag(ca_tag, flags);
  return true;
}

// The free-form items of 0..999 (two blanks and the digits), built once: row indices of every
// order the database holds are written by a copy.
struct Small_items {
  struct Item {
    std::array<char, 8> text;
    std::size_t length;
  };
  Small_items() {
    for (std::size_t v = 0; v < items.size(); ++v) {
      Item& item = items[v];
      item.text.fill(' ');
      const auto end = std::to_chars(item.text.data() + 2, item.text.data() + 8, v).ptr;
      item.length = static_cast<std::size_t>(end - item.text.data());
    }
  }
  std::array<Item, 1000> items;
};

const Small_items small_items;

// Appends the free-form integer item at p (two blanks and the digits, or one blank and a
// negative number) and returns the new end. The caller leaves 8 characters of slack.
char* put_item(char* p, std::int32_t value) {
  if (value >= 0 && value < 1000) {
    const auto& item = small_items.items[static_cast<std::size_t>(value)];
    std::memcpy(p, item.text.data(), item.text.size());
    return p + item.length;
  }
  *p++ = ' ';
  if (value >= 0) *p++ = ' ';
  return std::to_chars(p, p + 11, value).ptr;
}

// A free-form line composed in place: room for 500 integer items with their separators and
// the slack of put_item, so that writing an array allocates nothing. The line is built
// through a local pointer, which the compiler keeps in a register.
class Row_buffer {
 public:
  char* start() {
    chars_[0] = ' ';
    return chars_.data() + 1;
  }
  std::string_view view(const char* end) const {
    return {chars_.data(), static_cast<std::size_t>(end - chars_.data())};
  }

 private:
  std::array<char, 1 + MAX_ORDER_CAPACITY * 15 + 8> chars_{};
};

// Writes the current array: the tag line, the text line, the console preview, the CSV row and
// the methods CSV row.
void write_array(const Costas_array_record& ca, std::int32_t n, std::int32_t base,
                 Output_files& output, const Dialogue& dialogue, bool tag_set, Row_buffer& row) {
  const std::int32_t* const perm = ca.ca_perm.data();
  const auto count = static_cast<std::size_t>(n);
  if (tag_set) dialogue.status.show(ca.ca_tag);

  if (dialogue.status.text_output_open) {
    char* p = row.start();
    for (std::size_t i = 0; i < count; ++i) p = put_item(p, perm[i] + base);
    output.text.write_line(row.view(p));
  }
  char* p = row.start();
  for (std::size_t i = 0; i < std::min<std::size_t>(count, 20); ++i) p = put_item(p, perm[i]);
  dialogue.console.line(row.view(p));

  if (output.csv.is_open()) {
    p = put_item(row.start(), perm[0] + base);
    for (std::size_t i = 1; i < count; ++i) {
      *p++ = ' ';   // the text item "," after an integer
      *p++ = ',';
      p = put_item(p, perm[i] + base);
    }
    output.csv.write_line(row.view(p));
  }
  if (output.methods_csv.is_open()) output.methods_csv.write_line(ca.ca_tag);
}

enum class Next_line { array, end, damaged };

// Reads the next array line into ca_perm (zero-based) and its polymorph mark into ca_tag;
// sets tag_set for a marked line. Damage is reported here.
Next_line read_next_array(Text_input& arrays, Costas_array_record& ca, const Options& o,
                          Console& console, bool& tag_set) {
  std::string& ca_line = ca.ca_line;
  if (const int status = arrays.read_line(ca_line); status != status_ok) {
    if (status == status_end_of_file) return Next_line::end;
    report_damage(console, arrays, arrays.line_number() + 1, iostat_message(status));
    return Next_line::damaged;
  }
  std::string_view line = trim(ca_line);
  if (line.empty()) {
    const long blank_line = arrays.line_number();
    if (blank_lines_end_the_file(arrays, ca_line)) return Next_line::end;
    report_damage(console, arrays, blank_line, "blank line among the arrays");
    return Next_line::damaged;
  }
  if (is_end_line(line)) return Next_line::end;
  tag_set = take_polymorph_mark(line);
  ca.ca_tag.assign(tag_set ? "Polymorph" : "");
  const std::string fault =
      read_row_indices(line, o.ca_order, o.db_is_generated ? 1 : 0, ca.ca_perm);
  if (fault.empty()) return Next_line::array;
  report_damage(console, arrays, arrays.line_number(), fault);
  return Next_line::damaged;
}

// Reads the methods line that belongs to the array just read; false (reported) when it is
// missing or damaged.
bool read_next_flags(Console& console, Text_input& methods, std::string& line,
                     Method_flags& flags) {
  if (const int status = methods.read_line(line); status != status_ok) {
    report_damage(console, methods, methods.line_number() + 1,
                  status == status_end_of_file
                      ? "missing: the methods file ends before its arrays file"
                      : iostat_message(status));
    return false;
  }
  if (read_method_flags(line, flags)) return true;
  report_damage(console, methods, methods.line_number(),
                "not a blank and 8 hexadecimal digits");
  return false;
}

}  // namespace

// Streams arrays (and, for the generated database, methods in step with it) to the end of the
// file or an end line, writing each array that passes the filter to the console, the output
// text file, the CSV file, the methods CSV file and, with find_gf_polynomial, the finder.
// With filter_by_method, a filter_method of 1..19 filters on that method; any other value
// filters nothing (the filter line names "NONE" for it).
Selection_outcome write_selected_arrays(Text_input& arrays, Text_input& methods,
                                        Output_files& output, GF_Polynomial& finder,
                                        Costas_array_record& ca, const Options& o,
                                        const Dialogue& dialogue) {
  const std::int32_t n = o.ca_order;
  Selection_outcome outcome;
  // The options keep the order within the databases' range; a record holds at most 500.
  if (n < 1 || n > static_cast<std::int32_t>(MAX_ORDER_CAPACITY)) return outcome;
  const bool filtering =
      o.filter_by_method && o.filter_method >= 1 && o.filter_method <= method_count;
  outcome.filtered = filtering;
  const Method_flags filter_bit =
      filtering ? Method_flags{1} << method_bit[static_cast<std::size_t>(o.filter_method)] : 0;
  if (o.filter_by_method && o.filter_method != 0) {
    show_filter_line(dialogue.status, o.filter_method);
  }

  std::string methods_line;
  Row_buffer row;
  for (;;) {
    // An interrupt while the arrays stream ends the run between two arrays, whole lines only.
    stop_if_signalled();
    bool tag_set = false;
    const Next_line next = read_next_array(arrays, ca, o, dialogue.console, tag_set);
    if (next != Next_line::array) {
      outcome.complete = next == Next_line::end;
      return outcome;
    }
    ++outcome.arrays_read;
    if (o.db_has_methods) {
      Method_flags flags = 0;
      if (!read_next_flags(dialogue.console, methods, methods_line, flags)) {
        outcome.complete = false;
        return outcome;
      }
      if (filtering && (flags & filter_bit) == 0) continue;
      tag_set = tag_with_flag_names(ca.ca_tag, flags);
    }
    write_array(ca, n, o.index_base, output, dialogue, tag_set, row);
    if (o.find_gf_polynomial) {
      finder.get_GFPolynomial(ca.ca_perm, Finder_field{n, o.gf_order, o.gf_kind},
                              &output.polynomials_csv);
    }
  }
}

void show_count_difference(const Selection_outcome& outcome, const Options& o,
                           Status_line& status) {
  if (!outcome.complete || outcome.filtered || o.symmetry_type < 1 || o.symmetry_type > 4) return;
  // The counts a complete database holds: the count tables as the builder checks against them.
  const Order_counts listed = database_counts(o.ca_order);
  const std::int64_t per_class[] = {listed.all, listed.essential, listed.symmetrical,
                                    listed.g_symmetrical};
  const std::int64_t expected = per_class[o.symmetry_type - 1];
  if (expected == outcome.arrays_read) return;
  status.show(count_difference_line(o.ca_order, o.symmetry_type, outcome.arrays_read, expected));
}
