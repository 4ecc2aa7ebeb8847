// The database log summary: six lines of the order's log file, echoed at the start of a run's
// output.
#pragma once

#include "_Library/Database_format.hpp"

class Text_input;
class Text_output;
struct Dialogue;

// Echoes to the console and the output text file, from the log file's current position, the
// first line containing each key of log_summary_keys in turn. A failed read shows "Error"
// with its status and asks "Continue?": N stops with code "2", Y reads on.
void show_log_summary(Text_input& log, Text_output& text_output, const Dialogue& dialogue);
