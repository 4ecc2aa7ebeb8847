#include "Options_file.hpp"

#include "Text_files.hpp"
#include "Text_layout.hpp"

namespace {

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

Options_file_status write_options_file(const Options& o, const std::string& name) {
  Options_file_status status;
  Text_output file;
  status.open = file.open(name, Write_position::rewind);
  if (status.open != status_ok) return status;
  for (const std::string& line : option_file_lines(o)) file.write_line(line);
  status.write = file.close();
  return status;
}
