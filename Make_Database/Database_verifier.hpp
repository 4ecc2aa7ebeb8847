// make_database --verify: checks a database tree in the program's format, order by order, and
// writes nothing. Problem lines and a summary line per order go to the console's output, the
// progress to its error stream.
#pragma once

#include "Make_Database/Builder_options.hpp"

class Console;

// Verifies the orders of options.verify: those of options.searched and options.generated, or
// with neither range every order whose files are in its Searches and Generated folders; with
// options.check_counts also their counts against the count tables. Returns 0 when every order
// is well, 1 when a problem was found, 2 when the folder does not exist.
int verify_database(const Builder_options& options, Console& console, bool terminal);
