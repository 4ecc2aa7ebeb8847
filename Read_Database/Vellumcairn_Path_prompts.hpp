// The parts of the path prompts: example screens in either path style and answer completion.
#pragma once

#include <string>
#include <string_view>

class Console;

void show_database_examples(Console& console, bool unix_style);   // the database folder prompt's
void show_output_examples(Console& console, bool unix_style);     // the output pathname prompt's

// The answer trimmed, ending in a separator ("\" in the Windows style; "/" in the Unix style,
// where one ending in "\" is kept), at most 132 characters; an empty answer stays empty.
std::string complete_database_path(std::string_view answer, bool unix_style);
// The answer completed to a file name (Output.txt in a folder, ".txt" added), cut at 132.
std::string complete_output_pathname(std::string_view answer);
