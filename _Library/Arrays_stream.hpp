// An arrays file of the database read as a stream, by the one set of rules that the program,
// the builder's verifier and costas_view share: array lines (with the Polymorph mark) and,
// in the generated part, the methods file in step, line for line; an end line; blank lines
// only at the end. Each reader keeps its own policy (stop at the first fault, count and go on,
// or report) and takes the texts of the faults from here, so each fault has one wording.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "_Library/Text_files.hpp"

// Something wrong with a line of a file: the file's name, the line (from 1) and what.
struct Stream_fault {
  std::string file;
  long line = 0;
  std::string what;
  bool empty() const { return what.empty(); }
};

class Arrays_stream {
 public:
  enum class Kind {
    array,   // an array line; rows_fault and methods_fault say what may be wrong with it
    end,     // the end of the arrays: the end of the file, or an end line (end_line)
    fault    // a line that breaks the layout (fault): a blank line among the arrays, text
             // after the end line, a failed read; reading may go on after it
  };
  struct Item {
    Kind kind = Kind::end;
    long line = 0;                 // the line of the arrays file
    bool polymorph = false;        // array: the line carries the Polymorph mark
    std::string_view text;         // array: the row indices' text (without the mark)
    std::string rows_fault;        // array: what is wrong with the row indices, else empty
    bool flags_read = false;       // array: its methods line was read and is well formed
    std::uint32_t flags = 0;       // array: the method flags of that methods line
    Stream_fault methods_fault;    // array: its methods line is missing or damaged
    bool end_line = false;         // end: at an end line rather than the end of the file
    Stream_fault fault;            // fault: what and where
  };

  // Reads arrays (open, past any header line) and, when methods is not null, that open
  // methods file in step; rows are read as order n with the given base (1 generated, 0
  // searched). Both files stay the caller's. With skip_byte_order_mark, a UTF-8 byte-order
  // mark that opens the first line of either file is passed over (files copied by hand).
  Arrays_stream(Text_input& arrays, Text_input* methods, std::int32_t n, std::int32_t base,
                bool skip_byte_order_mark = false);

  // The next item; an array's row indices go into rows[0..n-1] (zero-based) when rows_fault
  // is empty. With an empty rows the caller reads the row indices from text itself. After the
  // end of the file every call gives Kind::end.
  Item next(std::span<std::int32_t> rows);

  // After the arrays: the first line of the methods file beyond those of its arrays file that
  // is not blank, as a fault; empty when there is none (or no methods file is read).
  Stream_fault methods_beyond_arrays();

  // The bytes of the lines read so far from both files, line ends counted as one.
  std::int64_t bytes() const { return bytes_; }
  // The name of the arrays file, as faults name it.
  const std::string& arrays_name() const { return arrays_.name(); }
  // Whether a read of the arrays file failed (a fault said so); the arrays ended there.
  bool read_failed() const { return read_failed_; }

 private:
  [[nodiscard]] int read(Text_input& file, std::string& line);
  Item read_failure(Text_input& file, int status);
  void read_methods_line(Item& item);

  Text_input& arrays_;
  Text_input* methods_;
  std::int32_t n_, base_;
  bool skip_byte_order_mark_;
  std::string line_, methods_line_;
  bool pending_ = false;      // line_ holds a line read ahead, not handed out yet
  long pending_number_ = 0;
  bool after_end_line_ = false;
  bool finished_ = false;
  bool read_failed_ = false;
  std::int64_t bytes_ = 0;
};

// The texts of the faults, one wording each.
inline constexpr std::string_view blank_line_among_arrays = "blank line among the arrays";
inline constexpr std::string_view text_after_end_line = "text after the end line";
inline constexpr std::string_view methods_file_ends_early =
    "missing: the methods file ends before its arrays file";
inline constexpr std::string_view not_a_methods_line = "not a blank and 8 hexadecimal digits";
inline constexpr std::string_view methods_line_beyond_arrays =
    "a line beyond the arrays of its arrays file";
