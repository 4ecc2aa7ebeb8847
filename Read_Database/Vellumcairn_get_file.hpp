// Array selection and writing: streams one arrays file (and its methods file) of the database,
// filters by construction method, tags and writes every kept array.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "Vellumcairn_Globals.hpp"
#include "method_bitmask.hpp"

struct Program_state;
class Text_input;

// Streams arrays (and, for the generated database, methods in step with it) to the end of the
// file or an end line, writing each array that passes the filter to the console, the output
// text file, the CSV file and the methods CSV file. filter_method 1..19 filters on that
// method; any other value filters nothing (the filter line names "NONE" for it). Returns false
// when a damaged line stopped the run; that line was reported on the console.
bool write_selected_arrays(Program_state& state, Text_input& arrays, Text_input& methods,
                           bool filter_by_method, std::int32_t filter_method);

// Reads n row indices (decimal, separated by blanks or commas) from text into ca_perm[0..n-1],
// subtracting base (1 for the generated database) so that they are zero-based. Returns an
// empty text, or what is wrong with the line: too few indices, a token that is no integer, or
// an index outside base..n-1+base.
std::string read_row_indices(std::string_view text, std::int32_t n, std::int32_t base,
                             std::array<std::int32_t, MAX_ORDER_CAPACITY>& ca_perm);
// Reads a methods line: one blank and exactly 8 hexadecimal digits (trailing blanks allowed).
bool read_method_flags(std::string_view line, Method_flags& flags);
