#include "Read_Database/Vellumcairn_get_file.hpp"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <optional>

#include "_Library/Arrays_stream.hpp"
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
void report_damage(Console& console, const std::string& file, long line_number,
                   std::string_view what) {
  std::string text = " Damaged database file " + file + ", line " +
                     std::to_string(line_number) + ": ";
  text += what;
  text += "; no more arrays are written in this run";
  console.line(text);
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

// A free-form line composed in place: room for 500 integer items with their separators and
// the room put_free_int asks for, so that writing an array allocates nothing. The line is built
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

  if (output.text.is_open()) {
    char* p = row.start();
    for (std::size_t i = 0; i < count; ++i) p = put_free_int(p, perm[i] + base);
    output.text.write_line(row.view(p));
  }
  char* p = row.start();
  for (std::size_t i = 0; i < std::min<std::size_t>(count, 20); ++i) p = put_free_int(p, perm[i]);
  dialogue.console.line(row.view(p));

  if (output.csv.is_open()) {
    p = put_free_int(row.start(), perm[0] + base);
    for (std::size_t i = 1; i < count; ++i) {
      *p++ = ' ';   // the text item "," after an integer
      *p++ = ',';
      p = put_free_int(p, perm[i] + base);
    }
    output.csv.write_line(row.view(p));
  }
  if (output.methods_csv.is_open()) output.methods_csv.write_line(ca.ca_tag);
}

}  // namespace

bool tag_with_flag_names(std::string& ca_tag, Method_flags flags) {
  if (flags == 0) return false;
  ca_tag.clear();
  append_method_tag(ca_tag, flags);
  return true;
}

// The next array of the stream into ca (zero-based rows, "Polymorph" as its tag when marked):
// the array item, or nothing at the end of the arrays or at a fault (damaged), which is
// reported here.
std::optional<Arrays_stream::Item> read_next_array(Arrays_stream& stream, Costas_array_record& ca,
                                                   Console& console, bool& damaged) {
  Arrays_stream::Item item = stream.next(ca.ca_perm);
  damaged = false;
  if (item.kind == Arrays_stream::Kind::end) return std::nullopt;
  // A well-formed array costs no copy of a fault; only a damaged line composes its report.
  const bool fault = item.kind == Arrays_stream::Kind::fault;
  if (fault || !item.rows_fault.empty() || !item.methods_fault.empty()) {
    const Stream_fault& where = fault ? item.fault : item.methods_fault;
    if (!fault && !item.rows_fault.empty()) {
      report_damage(console, stream.arrays_name(), item.line, item.rows_fault);
    } else {
      report_damage(console, where.file, where.line, where.what);
    }
    damaged = true;
    return std::nullopt;
  }
  ca.ca_tag.assign(item.polymorph ? "Polymorph" : "");
  return item;
}

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

  Arrays_stream stream(arrays, o.db_has_methods ? &methods : nullptr, n, o.db_is_generated ? 1 : 0);
  Row_buffer row;
  for (;;) {
    // An interrupt while the arrays stream ends the run between two arrays, whole lines only.
    stop_if_signalled();
    bool damaged = false;
    const auto item = read_next_array(stream, ca, dialogue.console, damaged);
    if (!item) {
      outcome.complete = !damaged;
      return outcome;
    }
    ++outcome.arrays_read;
    bool tag_set = item->polymorph;
    if (o.db_has_methods) {
      if (filtering && (item->flags & filter_bit) == 0) continue;
      tag_set = tag_with_flag_names(ca.ca_tag, item->flags);
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
  const std::int64_t expected = database_count(o.ca_order, o.symmetry_type);
  if (expected == outcome.arrays_read) return;
  status.show(count_difference_line(o.ca_order, o.symmetry_type, outcome.arrays_read, expected));
}
