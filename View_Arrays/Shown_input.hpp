// Input shown back in a message: a line or argument of any length and any bytes is shown cut to
// a readable length, with its control bytes (and bytes that are no UTF-8) written as \xHH, so
// that a message is always one short line that does nothing to the terminal.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The longest input shown whole in a message; a longer one shows its start and its length.
constexpr std::size_t shown_input_limit = 40;

// text with control bytes and bytes that are no UTF-8 escaped, cut after limit bytes ("...",
// then the whole length in parentheses).
std::string shown_input(std::string_view text, std::size_t limit = shown_input_limit);
// A file name as messages show it: escaped like any input, but never cut.
std::string shown_name(std::string_view name);
