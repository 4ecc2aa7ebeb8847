// The database log summary: six lines of the order's log file, echoed at the start of a run.
#pragma once

#include "_Library/Database_format.hpp"

class Text_input;
class Text_output;
struct Dialogue;

// Echoes the next line holding each log summary key in turn, and any "Constructions only:" line
// of the log; a failed read before the sixth key asks "Continue?".
void show_log_summary(Text_input& log, Text_output& text_output, const Dialogue& dialogue);
