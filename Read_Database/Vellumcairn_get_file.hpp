// Array selection and writing: streams one arrays file (and its methods file) of the database,
// filters by construction method, tags and writes every kept array.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "_Library/Database_format.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Costas_arrays/method_bitmask.hpp"

class GF_Polynomial;
class Text_input;
struct Options;

// Streams arrays (and, for the generated database, methods in step with it) to the end of the
// file or an end line, writing each array that passes the filter to the console, the output
// text file, the CSV file and the methods CSV file. filter_method 1..19 filters on that
// method; any other value filters nothing (the filter line names "NONE" for it). Returns false
// when a damaged line stopped the run; that line was reported on the console.
bool write_selected_arrays(Text_input& arrays, Text_input& methods, Output_files& output,
                           GF_Polynomial& finder, Costas_array_record& ca, const Options& options,
                           const Dialogue& dialogue, bool filter_by_method,
                           std::int32_t filter_method);

