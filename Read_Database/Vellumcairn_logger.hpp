// The database log summary: six lines of the order's log file, echoed at the start of a run's
// output.
#pragma once

#include <array>
#include <string_view>

struct Program_state;

// The key phrases, searched in this order; each is used without its trailing blanks.
extern const std::array<std::string_view, 6> log_summary_keys;

// Echoes to the console and the output text file, from the log file's current position, the
// first line containing each key in turn. A failed read shows "Error" with its status and
// asks "Continue?": N stops with code "2", Y reads on.
void show_log_summary(Program_state& state);
