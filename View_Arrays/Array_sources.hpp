// Where costas_view takes its arrays from: the program's output CSV file (tags from the methods
// CSV file beside it) or the csv file of its select command (tags from its method column), its output text file (tags from the tag lines), a database arrays file of
// either database (either index base, "Polymorph:" lines, tags from its methods file), or an
// array typed as an argument ("0,2,3,1" or "1 3 4 2"). Arrays are read one at a time, so a file
// of any length streams, and a selection of line numbers picks the ones wanted.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "_Library/Costas_arrays/Costas_properties.hpp"
#include "_Library/Arrays_stream.hpp"
#include "_Library/Text_files.hpp"
#include "View_Arrays/Tidy_rows.hpp"

// The largest order the tool reads; the ambiguity map of an order holds (2N-1)^2 counts.
constexpr int largest_viewed_order = 1000;

// How row indices are numbered: from 0, from 1, or per line, from 0 when the line holds a 0 and
// from 1 otherwise (which is right for every permutation of either base).
enum class Index_base { automatic, zero, one };

// One array as read.
struct Viewed_array {
  Costas_perm rows;        // 0-based: entry c is the row of the dot in column c
  int base = 0;            // the base it was written in, so that messages speak the same way
  long line = 0;           // its line in the file, or for a typed array its argument number
  std::string tag;         // the construction and transforms, "Polymorph", or empty
  std::string source;      // the file name; empty for a typed array

  // "line 17 of run.csv", or "argument 2" for a typed array; control bytes of the name escaped.
  std::string label() const;
};

// Line numbers and ranges, "5", "3-9" or "2,7-9,40"; the empty selection takes every line.
class Line_selection {
 public:
  // The selection the text names, or nothing with error set to what is wrong.
  static std::optional<Line_selection> parse(std::string_view text, std::string& error);
  bool contains(long line) const;
  // Whether no line after this one is selected, so that reading may stop.
  bool done_after(long line) const;

 private:
  std::vector<std::pair<long, long>> ranges_;   // inclusive; empty for every line
};

// Whether an argument is an array typed in place of a file name: digits separated by commas,
// blanks or tabs, and nothing else.
bool is_typed_array(std::string_view argument);

// Reads the selected arrays of one source in order.
class Array_reader {
 public:
  // argument_number counts the sources of the command line from 1; it labels a typed array.
  Array_reader(std::string source, Index_base base, Line_selection lines, long argument_number);

  // Opens the source: empty, or one line that says why it cannot be read.
  std::string open();
  // The next selected array; false at the end, or on bad input with error() saying what: a
  // selected line that is neither an array, a blank, a header or end line of a database file, a
  // tag line, nor one of the lines a run writes beside its arrays (is_run_summary_line).
  bool next(Viewed_array& array);
  const std::string& error() const { return error_; }
  // The identities of the files read (the arrays file and a methods file), so that no picture
  // is written over one of them.
  std::vector<File_identity> identities() const;

 private:
  enum class Kind { typed, csv, database, text };

  std::string source_;
  Index_base base_;
  Line_selection lines_;
  long argument_number_;
  Kind kind_ = Kind::text;
  std::int32_t order_ = 0;          // known from a database file's name or the first array
  bool header_pending_ = false;     // the all-arrays file's first line counts its arrays
  bool ended_ = false;
  std::string pending_tag_;         // a tag line of an output text file, for the next array
  std::string error_;
  std::string line_;
  Text_input file_;
  Text_input tags_;                 // the methods file or methods CSV file, when there is one
  std::optional<Arrays_stream> stream_;   // a database file's arrays, its methods in step

  bool fail(long line, const std::string& what);
  bool fail_in(const Stream_fault& fault);   // a fault of the database stream, in its file
  // The next line of an output CSV or text file that is not blank, trimmed; false at the end or
  // on a fault.
  bool next_line(long& line, std::string_view& text);
  // The next array line of a database file and the tag its flags give; false at the end or on
  // a fault.
  bool next_database_line(long& line, std::string_view& text, bool& polymorph, std::string& tag);
  bool read_database_header();
  bool read_tag_in_step(long line, bool polymorph, std::string& tag);
  std::vector<long> values_;        // the integers of the line being read
  std::optional<Tidy_columns> tidy_;   // a select csv file: its columns, from its header row
  std::string tidy_text_;              // the row indices of its current row
  bool take_tidy_row(long line, std::string_view& text, std::string& tag);
  // Takes an array from the row indices in values_; false with error_ set when they are none.
  bool take_array(long line, Viewed_array& array);
};
