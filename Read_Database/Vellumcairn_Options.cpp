// The options record and its file Vellumcairn_Options.txt: defaults, reading back by position
// and column, writing in the fixed 16-line layout, and the two derived settings (the database
// chosen and the Galois-field order).
#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <string_view>

#include "Console_io.hpp"
#include "Program_state.hpp"
#include "Program_stop.hpp"
#include "Text_files.hpp"
#include "Text_layout.hpp"
#include "iostat_table.hpp"

namespace {

constexpr std::size_t path_length = 132;

// The first width columns of line, blank-padded when the line is shorter.
std::string columns(std::string_view line, std::size_t width) {
  return pad_right(line, width);
}

// A logical field of one column: T or t is true, F or f is false; anything else fails.
int read_logical(std::string_view line, bool& value) {
  const char c = line.empty() ? ' ' : line.front();
  if (c == 'T' || c == 't') {
    value = true;
  } else if (c == 'F' || c == 'f') {
    value = false;
  } else {
    return status_bad_numeric_input;
  }
  return status_ok;
}

// An integer field of width columns: blanks are ignored (all blanks read as 0); what is left
// must be an optional sign and digits.
int read_integer(std::string_view line, std::size_t width, std::int32_t& value) {
  std::string digits;
  for (char c : columns(line, width)) {
    if (c != ' ') digits.push_back(c);
  }
  if (digits.empty()) {
    value = 0;
    return status_ok;
  }
  const bool negative = digits.front() == '-';
  const std::size_t start = (negative || digits.front() == '+') ? 1 : 0;
  if (start == digits.size()) return status_bad_numeric_input;
  std::int32_t magnitude = 0;
  const char* first = digits.data() + start;
  const char* last = digits.data() + digits.size();
  const auto result = std::from_chars(first, last, magnitude);
  if (result.ec != std::errc() || result.ptr != last) return status_bad_numeric_input;
  value = negative ? -magnitude : magnitude;
  return status_ok;
}

// The field order of line 12: columns 1-4, or 1-5 when a fifth digit follows four digits (the
// way orders of 10000 to 65536 are written); an order above the largest field fails the read.
int read_gf_order(std::string_view line, std::int32_t& value) {
  const auto is_digit = [&line](std::size_t i) {
    return i < line.size() && line[i] >= '0' && line[i] <= '9';
  };
  const bool five = is_digit(0) && is_digit(1) && is_digit(2) && is_digit(3) && is_digit(4);
  const int status = read_integer(line, five ? 5 : 4, value);
  if (status == status_ok && value > MAX_GF_ORDER) return status_bad_numeric_input;
  return status;
}

// The part of a path line before its last comma, among the first 132 characters; blank when
// they hold no comma. Trailing blanks are dropped.
std::string path_before_last_comma(std::string_view line) {
  const std::string_view read = line.substr(0, std::min(line.size(), path_length));
  const auto comma = read.rfind(',');
  if (comma == std::string_view::npos) return {};
  return std::string(trim_right(read.substr(0, comma)));
}

// Appends ".txt" when the pathname has no extension of up to three characters.
void complete_output_pathname(std::string& pathname) {
  const auto length = static_cast<long>(trim_right(pathname).size());
  const auto dot = pathname.rfind('.');
  const long dot_position = dot == std::string::npos ? 0 : static_cast<long>(dot) + 1;
  if (dot_position < length - 3) pathname += ".txt";
}

// Reads the fields of the file in their order; returns the status of the first failure.
int read_option_fields(Text_input& file, Options& options) {
  std::string line;
  for (int skipped = 0; skipped < 3; ++skipped) {
    if (const int status = file.read_line(line); status != status_ok) return status;
  }
  int status = status_ok;
  auto next = [&]() { return (status = file.read_line(line)) == status_ok; };
  if (!next() || (status = read_logical(line, options.use_search_db)) != status_ok) return status;
  if (!next() || (status = read_integer(line, 4, options.ca_order)) != status_ok) return status;
  if (!next() || (status = read_logical(line, options.filter_by_method)) != status_ok) return status;
  if (!next() || (status = read_integer(line, 2, options.filter_method)) != status_ok) return status;
  if (!next() || (status = read_integer(line, 1, options.symmetry_type)) != status_ok) return status;
  if (!next() || (status = read_integer(line, 1, options.index_base)) != status_ok) return status;
  if (!next()) return status;
  options.output_position = columns(line, 6);
  if (!next() || (status = read_logical(line, options.find_gf_polynomial)) != status_ok) {
    return status;
  }
  if (!next() || (status = read_gf_order(line, options.gf_order)) != status_ok) return status;
  if (!next()) return status;
  options.database_path = std::string(line.substr(0, std::min(line.size(), path_length)));
  if (!next()) return status;
  options.output_pathname = std::string(line.substr(0, std::min(line.size(), path_length)));
  return status_ok;
}

}  // namespace

void set_default_options(Program_state& state) {
  Options& options = state.options;
  options.index_base = 0;
  options.filter_method = 0;
  options.filter_by_method = false;
  options.ca_order = 129;
  options.use_search_db = false;
  options.symmetry_type = 1;
  options.output_position = "APPEND";
  options.find_gf_polynomial = false;
  next_gf_order(state, options.ca_order);
  // The folder name is appended to the path directly, so the Unix default ends in its
  // separator as "D:\" does; without it the database could never be found there.
  options.database_path = default_database_path;
  options.output_pathname = default_output_pathname;
}

void load_options(Program_state& state) {
  Console& console = state.console;
  Options& options = state.options;
  const bool exists = file_exists(options_file_name);
  bool read_ok = false;
  {
    Text_input file;
    const int open_status = file.open(options_file_name);
    if (open_status != status_ok) {
      console.line(free_form("Error opening ", options_file_name, ": ", iostat_message(open_status)));
    } else if (exists) {
      const int read_status = read_option_fields(file, options);
      read_ok = read_status == status_ok;
      if (read_ok) {
        options.database_path = path_before_last_comma(options.database_path);
        options.output_pathname = path_before_last_comma(options.output_pathname);
        complete_output_pathname(options.output_pathname);
      } else {
        console.line(free_form("Error reading ", options_file_name, ": ", iostat_message(read_status)));
      }
    }
  }
  if (!read_ok) {
    if (!exists) {
      state.status.show(std::string("Properly formatted option file does not exist.  Prgram "
                                    "defaults set and written to new file") + options_file_name);
    }
    set_default_options(state);
    choose_database(state, false);
    save_options(state);
  }
  choose_database(state, false);
  if (options.find_gf_polynomial) next_gf_order(state, options.gf_order);
}

void save_options(Program_state& state) {
  Console& console = state.console;
  const Options_file_status written = write_options_file(state.options, options_file_name);
  if (written.open != status_ok) {
    console.line(free_form("Error opening ", options_file_name, ", error: ",
                           iostat_message(written.open)));
    console.line(free_form("Make sure that you have write permissions"));
    console.line(free_form("Default options not saved."));
    if (!state.pause.ask_yes_no("Continue?")) stop_with_code("2");
    return;
  }
  if (written.write != status_ok) {
    console.line(free_form("Error writing ", options_file_name, ": ",
                           iostat_message(written.write)));
  }
}

void choose_database(Program_state& state, bool toggle) {
  Options& o = state.options;
  if (toggle) o.use_search_db = !o.use_search_db;
  if (!o.use_search_db) {
    state.status.show("Costas arrays from generators of order 2 to" +
                      fixed_int(MAX_GENERATED_ORDER, 4));
    o.db_max_order = MAX_GENERATED_ORDER;
    o.db_min_order = 2;
    o.db_folder = "Generated\\";
    o.db_has_methods = true;
    o.db_kind_text = "generated";
  } else {
    state.status.show("Costas arrays from searches of order 3 to" + fixed_int(MAX_SEARCH_ORDER, 3));
    o.db_max_order = MAX_SEARCH_ORDER;
    o.db_min_order = 3;
    o.db_folder = "Searches\\";
    o.db_kind_text = "exhaustive search";
    o.db_has_methods = false;
  }
  o.db_is_generated = !o.use_search_db;
  const std::int32_t v = std::min(std::max(o.db_min_order, o.ca_order), o.db_max_order);
  if (v != o.ca_order) {
    state.status.show("WARNING -- Costas order changed from" + fixed_int(o.ca_order, 4) + " to" +
                      fixed_int(v, 3));
    o.ca_order = v;
  }
  state.status.show("Costas arrays of order" + fixed_int(o.ca_order, 4) + ", method: " +
                    o.db_kind_text);
}

void next_gf_order(Program_state& state, std::int32_t start) {
  Options& o = state.options;
  // At least 2, so that a start below every prime power cannot stop at 1 (whose record also
  // has a count of 1).
  std::int32_t q = std::max({start, o.ca_order + 1, 2});
  state.number_theory.factorize(q);
  while (state.number_theory.factor_record.count != 1) {
    ++q;
    state.number_theory.factorize(q);
  }
  o.gf_order = q;
  o.gf_kind = state.number_theory.factor_record.is_prime ? 1 : 2;
}
