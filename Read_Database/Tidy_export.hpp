// The files of the command line's select: one tidy file per selection. csv has a header row
// and one array per row with its flags as columns; npy holds the rows as a (count, N) int16
// array and the flag words as a uint32 vector beside it; text is the output text file as the
// interactive run writes it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "_Library/Costas_arrays/method_bitmask.hpp"
#include "_Library/Text_files.hpp"

enum class Tidy_format { csv, text, npy };

// One array as a tidy file takes it.
struct Tidy_row {
  long line = 0;                               // its line in the database arrays file
  Method_flags flags = 0;                      // 0 for the searched database
  bool has_flags = false;                      // the database keeps method flags
  std::span<const std::int32_t> rows;          // zero-based row indices, N of them
  std::span<const std::int32_t> coefficients;  // c0..c(N-1) with --polynomials, else empty
};

// A name with "_flags" (or another ending) put before its ".npy".
std::string npy_side_name(std::string_view npy_name, std::string_view ending);

// The 8-hexadecimal-digit text of a flag word, as the methods files hold it.
std::string flags_hex(Method_flags flags);

// Appends the columns of one csv row to text: order, line, the set method names joined by ";", the flags as 8
// hexadecimal digits, the transform, the two symmetry marks (0 or 1), the rows r1..rN with
// base added, and the coefficients when given.
void append_tidy_csv_row(std::string& text, std::int32_t order, std::int32_t base,
                         const Tidy_row& row);
// The header row of that layout for order n, with c0..c(n-1) when polynomials.
std::string tidy_csv_header(std::int32_t n, bool polynomials);

// The header of an NPY version 1.0 file of a little-endian array of type descr ("<i2") and
// the given shape ("(12, 16)"), padded to 128 bytes so that the count can be rewritten in place.
std::string npy_header(std::string_view descr, std::string_view shape);

// Writes the arrays of one selection in one format; the files are opened, written and
// finished here, every failure a text naming the file.
class Tidy_export {
 public:
  Tidy_export(Tidy_format format, std::int32_t n, std::int32_t base, bool polynomials)
      : format_(format), n_(n), base_(base), polynomials_(polynomials) {}

  // The names of the files written for name, main file first (npy writes two or three).
  std::vector<std::string> file_names(const std::string& name) const;
  // Opens every file (rewinding, or appending to csv and text); empty, or why not.
  std::string open(const std::string& name, Write_position position);
  // The open main file, for the text format's own lines (log, tag, filter and count lines).
  Text_output& text() { return files_[0]; }
  void row(const Tidy_row& row);
  // Closes the files, finishing the npy headers with the count; empty, or what failed.
  std::string close();
  std::int64_t count() const { return count_; }

 private:
  void write_npy_headers();
  void write_text_row(const Tidy_row& row);

  Tidy_format format_;
  std::int32_t n_, base_;
  bool polynomials_;
  std::vector<std::string> names_;
  Text_output files_[3];
  std::int64_t count_ = 0;
  std::string bytes_;
};
