// The lines of the program's output text file besides the arrays and their tag lines: the log's
// summary lines echoed at the start of a run, the filter line, and the line on an order whose
// database file holds another number of arrays than the count tables list. The program writes
// them and costas_view passes over them through these functions, so each exists once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// The text that opens the filter line, after its leading blank.
constexpr std::string_view filter_line_start = "Filtering on method: ";

// "The database file held 508 arrays of order 22; the count tables list 2052." for symmetry
// class 1 (all arrays); "essential arrays", "symmetrical arrays" and "G-symmetrical arrays" for
// classes 2 to 4.
std::string count_difference_line(std::int32_t n, std::int32_t symmetry_type, std::int64_t held,
                                  std::int64_t listed);

// Whether a line (leading and trailing blanks aside) is one of these lines: a line holding a
// key of the log summary, the log's "Constructions only:" line, the filter line or the count line.
bool is_run_summary_line(std::string_view line);
