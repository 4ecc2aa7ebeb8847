// Array selection and writing: streams one arrays file, filters by method, writes the kept arrays.
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

// Writes every array of arrays that passes the method filter of options (filter_by_method,
// filter_method); false after a reported damaged line.
bool write_selected_arrays(Text_input& arrays, Text_input& methods, Output_files& output,
                           GF_Polynomial& finder, Costas_array_record& ca, const Options& options,
                           const Dialogue& dialogue);

