// Array selection and writing: streams one arrays file, filters by method, writes the kept arrays.
#pragma once

#include <array>
#include <optional>
#include <cstdint>
#include <string>
#include <string_view>

#include "_Library/Arrays_stream.hpp"
#include "_Library/Database_format.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Costas_arrays/method_bitmask.hpp"

class GF_Polynomial;
class Text_input;
struct Options;

// What streaming one arrays file came to.
struct Selection_outcome {
  bool complete = true;           // the file was read to its end (false after a damaged line)
  std::int64_t arrays_read = 0;   // its arrays, those the method filter passed over included
  bool filtered = false;          // a method filter was in force
};

// The next array of the stream into ca (zero-based rows, "Polymorph" as its tag when marked):
// the array item, or nothing at the end of the arrays or at a fault (damaged), reported on the
// console as a damaged database file.
// ca_tag becomes the names of the set flags joined by ", " in bit order; it keeps its earlier
// text when no flag is set. Returns whether any flag is set.
bool tag_with_flag_names(std::string& ca_tag, Method_flags flags);

std::optional<Arrays_stream::Item> read_next_array(Arrays_stream& stream, Costas_array_record& ca,
                                                   Console& console, bool& damaged);

// Writes every array of arrays that passes the method filter of options (filter_by_method,
// filter_method); not complete after a reported damaged line.
Selection_outcome write_selected_arrays(Text_input& arrays, Text_input& methods,
                                        Output_files& output, GF_Polynomial& finder,
                                        Costas_array_record& ca, const Options& options,
                                        const Dialogue& dialogue);

// After a complete run without a method filter: one status line when the arrays the file held
// differ in number from those the count tables list for the order and symmetry class (an order
// that the database holds only in part).
void show_count_difference(const Selection_outcome& outcome, const Options& options,
                           Status_line& status);

