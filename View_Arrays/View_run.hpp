// The commands of costas_view: check, grid and ambiguity, each with its --help.
#pragma once

#include <ostream>
#include <string>
#include <vector>

// Runs one command line (without the program name); returns the exit status: 0 when every
// array is a Costas array and every picture was written, 1 when check found an array that is
// not one, 2 for a wrong command line or unreadable input.
int run_costas_view(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
