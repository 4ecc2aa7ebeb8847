// The command line's select: one selection of the database written to one tidy file, with
// every setting given on the command line and the options file neither read nor written.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>

#include "_Library/Costas_arrays/method_bitmask.hpp"
#include "Read_Database/Tidy_export.hpp"

// What an existing output file does to a selection.
enum class Existing_output { refuse, overwrite, append };

struct Select_settings {
  std::string database;                  // --database: the folder above Generated and Searches
  bool searched = false;                 // --searched: the exhaustive-search database
  std::int32_t order = 0;                // --order
  std::int32_t symmetry_type = 1;        // --kind: 1 all, 2 essential, 3 symmetrical, 4 G-sym.
  Method_flags method_mask = 0;          // --method: the flag bits kept; 0 keeps every array
  std::string method_names;              // their names joined by ", ", for the filter line
  std::int32_t base = 0;                 // --base
  bool polynomials = false;              // --polynomials
  std::int32_t field = 0;                // --field; 0: the least viable order above the order
  std::string out;                       // --out
  Tidy_format format = Tidy_format::csv; // --format
  Existing_output existing = Existing_output::refuse;
};

// Writes the selection and ends with the closing line on out; messages on err. Returns the exit
// status: 0, or 1 for a file or database problem.
int run_select(const Select_settings& settings, std::ostream& out, std::ostream& err);

// The closing line: "Wrote 2648 essential arrays of order 16 to out.csv.", with
// " The count tables list 2052." when listed (-1 when not compared) differs.
std::string select_closing_line(std::int64_t written, const Select_settings& settings,
                                std::int64_t listed);
