// The parts of the path prompts: their example screens in either path style, and the rules
// that complete an answer.
#pragma once

#include <string>
#include <string_view>

class Console;

// The example screens of the database folder prompt and the output pathname prompt, in the
// Unix path style or the Windows path style.
void show_database_examples(Console& console, bool unix_style);
void show_output_examples(Console& console, bool unix_style);

// The database folder from an answer: at most 132 characters, blanks around it removed, and
// "\" appended unless it already ends in one; an empty answer stays empty.
std::string complete_database_path(std::string_view answer);
// The output pathname from an answer: a drive ("D:") gets "\", a folder ending in "\" or "/" gets
// "Output.txt", a lone "." gets "\Output.txt", and a name without an ending of up to three
// characters gets ".txt"; the result is cut at 132 characters.
std::string complete_output_pathname(std::string_view answer);
