#include "Read_Database/Tidy_export.hpp"

#include <array>
#include <charconv>
#include <filesystem>

#include "_Library/Costas_arrays/Costas_properties.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

constexpr std::size_t npy_header_size = 128;
constexpr int symmetrical_bit = 28;
constexpr int g_symmetrical_bit = 29;
constexpr int last_method_bit = 19;

void append_le(std::string& bytes, std::uint32_t value, int width) {
  for (int i = 0; i < width; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFFu);
}

// Whether the array is symmetrical and G-symmetrical: from its flags where the database keeps
// them, else from the rows themselves.
std::array<bool, 2> symmetry_marks(const Tidy_row& row) {
  if (row.has_flags) {
    return {((row.flags >> symmetrical_bit) & 1u) != 0, ((row.flags >> g_symmetrical_bit) & 1u) != 0};
  }
  Costas_perm perm(row.rows.begin(), row.rows.end());
  return {is_symmetrical(perm), is_g_symmetrical(perm)};
}

// Appends the decimal digits of value, without an allocation of its own.
void append_number(std::string& text, long value) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  text.append(digits, end);
}

}  // namespace

std::string npy_side_name(std::string_view npy_name, std::string_view ending) {
  const std::string_view stem =
      npy_name.ends_with(".npy") ? npy_name.substr(0, npy_name.size() - 4) : npy_name;
  return std::string(stem) + std::string(ending) + ".npy";
}

std::string flags_hex(Method_flags flags) {
  return methods_line(flags).substr(1);   // the methods line without its leading blank
}

std::string tidy_csv_header(std::int32_t n, bool polynomials) {
  std::string header = "order,line,method,flags,transform,symmetrical,g_symmetrical";
  for (std::int32_t i = 1; i <= n; ++i) header += ",r" + std::to_string(i);
  for (std::int32_t i = 0; polynomials && i < n; ++i) header += ",c" + std::to_string(i);
  return header;
}

void append_tidy_csv_row(std::string& text, std::int32_t order, std::int32_t base,
                         const Tidy_row& row) {
  append_number(text, order);
  text += ',';
  append_number(text, row.line);
  text += ',';
  bool first = true;
  for (int bit = 0; bit <= last_method_bit; ++bit) {
    if (((row.flags >> bit) & 1u) == 0) continue;
    if (!first) text += ';';
    text += trim_right(method_flag_names[static_cast<std::size_t>(bit)]);
    first = false;
  }
  text += ',';
  if (row.has_flags) text += flags_hex(row.flags);
  text += ',';
  if (row.has_flags) text += csv_field(trim_right(transform_name(row.flags)));
  const auto marks = symmetry_marks(row);
  text += marks[0] ? ",1" : ",0";
  text += marks[1] ? ",1" : ",0";
  // The rows and coefficients, composed in place: 12 characters of room for each.
  const std::size_t start = text.size();
  text.resize(start + 12 * (row.rows.size() + row.coefficients.size()) + 12);
  char* p = text.data() + start;
  for (const std::int32_t r : row.rows) {
    *p++ = ',';
    p = put_decimal(p, r + base);
  }
  for (const std::int32_t c : row.coefficients) {
    *p++ = ',';
    p = put_decimal(p, c);
  }
  text.resize(static_cast<std::size_t>(p - text.data()));
}

std::string npy_header(std::string_view descr, std::string_view shape) {
  std::string dict = "{'descr': '" + std::string(descr) + "', 'fortran_order': False, 'shape': " +
                     std::string(shape) + ", }";
  const std::size_t length = npy_header_size - 10;
  dict.resize(length - 1, ' ');
  dict += '\n';
  std::string header("\x93NUMPY\x01\x00", 8);
  append_le(header, static_cast<std::uint32_t>(length), 2);
  return header + dict;
}

std::vector<std::string> Tidy_export::file_names(const std::string& name) const {
  if (format_ != Tidy_format::npy) return {name};
  std::vector<std::string> names{name, npy_side_name(name, "_flags")};
  if (polynomials_) names.push_back(npy_side_name(name, "_polynomials"));
  return names;
}

std::string Tidy_export::open(const std::string& name, Write_position position) {
  names_ = file_names(name);
  std::error_code error;
  // An appended csv file keeps its header; a new or empty one gets it.
  const bool header = format_ == Tidy_format::csv &&
                      (position == Write_position::rewind ||
                       std::filesystem::file_size(native_path(name), error) == 0 || error);
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (const int status = files_[i].open(names_[i], position); status != status_ok) {
      return "cannot open " + names_[i] + ": " + iostat_message(status);
    }
  }
  if (header) files_[0].write_line(tidy_csv_header(n_, polynomials_));
  if (format_ == Tidy_format::npy) write_npy_headers();
  return {};
}

// The headers of the npy files with the count written so far; written again by close().
void Tidy_export::write_npy_headers() {
  const std::string count = std::to_string(count_);
  const std::string n = std::to_string(n_);
  files_[0].write(npy_header("<i2", "(" + count + ", " + n + ")"));
  files_[1].write(npy_header("<u4", "(" + count + ",)"));
  if (polynomials_) files_[2].write(npy_header("<i4", "(" + count + ", " + n + ")"));
}

void Tidy_export::row(const Tidy_row& row) {
  ++count_;
  switch (format_) {
    case Tidy_format::csv:
      bytes_.clear();
      append_tidy_csv_row(bytes_, n_, base_, row);
      files_[0].write_line(bytes_);
      return;
    case Tidy_format::text:
      write_text_row(row);
      return;
    case Tidy_format::npy:
      bytes_.clear();
      for (const std::int32_t r : row.rows) append_le(bytes_, static_cast<std::uint32_t>(r + base_), 2);
      files_[0].write(bytes_);
      bytes_.clear();
      append_le(bytes_, row.flags, 4);
      files_[1].write(bytes_);
      if (!polynomials_) return;
      bytes_.clear();
      for (const std::int32_t c : row.coefficients) append_le(bytes_, static_cast<std::uint32_t>(c), 4);
      files_[2].write(bytes_);
      return;
  }
}

// The free-form line of the rows with base added, composed in place.
void Tidy_export::write_text_row(const Tidy_row& row) {
  bytes_.resize(1 + 12 * row.rows.size());
  char* p = bytes_.data();
  *p++ = ' ';   // the layout's leading blank
  for (const std::int32_t r : row.rows) p = put_free_int(p, r + base_);
  files_[0].write_line(std::string_view(bytes_.data(), static_cast<std::size_t>(p - bytes_.data())));
}

std::string Tidy_export::close() {
  std::string failure;
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (const int status = files_[i].close(); status != status_ok && failure.empty()) {
      failure = "could not write " + names_[i] + ": " + iostat_message(status);
    }
  }
  if (format_ != Tidy_format::npy || !failure.empty()) return failure;
  // The count is known now: the headers are written again in place, at the same length.
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (const int status = files_[i].open(names_[i], Write_position::update); status != status_ok) {
      return "cannot finish " + names_[i] + ": " + iostat_message(status);
    }
  }
  write_npy_headers();
  for (std::size_t i = 0; i < names_.size(); ++i) {
    if (const int status = files_[i].close(); status != status_ok && failure.empty()) {
      failure = "could not finish " + names_[i] + ": " + iostat_message(status);
    }
  }
  return failure;
}
