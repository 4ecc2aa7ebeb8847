// The command of make_database: its arguments, and which of the builder's jobs they ask for
// (a build, the options file, a verification, or a command on search units).
#pragma once

#include <string>
#include <vector>


class Console;

// Runs make_database with args (without the program name). Messages go to the console's
// output, progress to its error stream (a bar when terminal is true). Returns the exit status:
// 0 when every file was written completely, 1 when a file could not be written or a check
// failed, 2 for bad arguments.
int run_make_database(const std::vector<std::string>& args, Console& console, bool terminal);
