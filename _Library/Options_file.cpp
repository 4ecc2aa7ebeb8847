#include "_Library/Options_file.hpp"

#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <string_view>

namespace {

constexpr std::size_t path_length = options_path_columns;

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


std::string blanks(std::size_t count) { return std::string(count, ' '); }

// The field order in columns 1-4 and blanks to column 36; an order of 10000 or more takes
// the columns it needs instead of four asterisks, so that it reads back.
std::string gf_order_field(std::int32_t gf_order) {
  std::string field = fixed_int(gf_order, 4);
  if (field.front() == '*') field = std::to_string(gf_order);
  field.append(field.size() < 36 ? 36 - field.size() : 1, ' ');
  return field;
}

}  // namespace

std::array<std::string, 16> option_file_lines(const Options& o) {
  const auto logical = [](bool value) { return std::string(1, value ? 'T' : 'F'); };
  return {
      "This is a computer-generated file.  Edit at your own risk.  ",
      "A read error will cause this file to be replaced with default options.",
      "Option" + blanks(30) + "Function",
      logical(o.use_search_db) + blanks(34) + ",T => all CAs data base to order" +
          fixed_int(MAX_SEARCH_ORDER, 3) + "; F => generated CAs data base to order" +
          fixed_int(MAX_GENERATED_ORDER, 4),
      fixed_int(o.ca_order, 4) + blanks(32) + ",Order of CAs for output",
      logical(o.filter_by_method) + blanks(34) + ",T => filter by generator method; F => output all",
      fixed_int(o.filter_method, 2) + blanks(34) +
          ",If previous T, filter by generator method 1 to 19",
      fixed_int(o.symmetry_type, 1) + blanks(34) +
          ",1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical",
      fixed_int(o.index_base, 1) + blanks(34) +
          ",0 => Output CAs are row indices from 0 to N-1, 1 => from 1 to N",
      pad_right(o.output_position, 6) + blanks(30) +
          ",APPEND => append to existing output files; REWIND => overwrite",
      logical(o.find_gf_polynomial) + blanks(34) +
          ",T => Find generating polynomial in a Galois field.",
      gf_order_field(o.gf_order) + ",Order of Galois field.",
      std::string(trim_right(o.database_path)) + blanks(2) +
          ",Path for database top-level database folder",
      std::string(trim_right(o.output_pathname)) + blanks(2) + ",Pathname for output text",
      "",
      "",
  };
}

Options_file_status read_options_file(Options& o, const std::string& name) {
  Options_file_status status;
  Text_input file;
  status.open = file.open(name);
  if (status.open != status_ok) return status;
  status.read = read_option_fields(file, o);
  if (status.read == status_ok) {
    o.database_path = path_before_last_comma(o.database_path);
    o.output_pathname = path_before_last_comma(o.output_pathname);
    complete_output_pathname(o.output_pathname);
  }
  return status;
}

Options_file_status write_options_file(const Options& o, const std::string& name) {
  Options_file_status status;
  Text_output file;
  status.open = file.open(name, Write_position::rewind);
  if (status.open != status_ok) return status;
  for (const std::string& line : option_file_lines(o)) file.write_line(line);
  status.write = file.close();
  return status;
}

Write_position run_position(const Options& o) {
  const std::string_view word = trim(o.output_position);
  const bool rewind = word.size() == 6 && std::equal(word.begin(), word.end(), "REWIND",
                                                     [](char a, char b) {
                                                       return std::toupper(
                                                                  static_cast<unsigned char>(a)) == b;
                                                     });
  return rewind ? Write_position::rewind : Write_position::append;
}
