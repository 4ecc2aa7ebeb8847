// Integers typed at prompts, read the way a list-directed read takes one integer from a line:
// leading blanks skipped, an optional sign and digits, the number ending at a blank, comma or
// slash. A line with nothing but blanks holds no integer, like any other line without one.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

class Console;

enum class Integer_answer { number, bad };

struct Parsed_integer {
  Integer_answer kind = Integer_answer::bad;
  std::int32_t value = 0;   // meaningful for Integer_answer::number only
};

// One line: a number, or bad (nothing but blanks, no digits, another character before the
// separator, or a value beyond 32 bits).
Parsed_integer parse_integer_answer(std::string_view line);
// Reads one line: its integer, or nullopt when it holds none (an empty line included). End of
// input stops the program as every prompt does.
std::optional<std::int32_t> read_integer_answer(Console& console);
