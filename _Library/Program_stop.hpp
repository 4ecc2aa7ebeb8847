// The one way the program stops below main: a stop code carried to main by an exception.
#pragma once

#include <string>

// Thrown where the program stops with a code; caught only in main. Deliberately not derived
// from std::exception, so that no handler for library errors swallows it.
struct Program_stop {
  std::string code;      // written with a line break to the error stream unless blank
  int exit_status = 0;   // 0 for every named stop; 1 when standard input ended at a prompt
};

// Stops the program: unwinds (files flush and close in their destructors) to main.
[[noreturn]] void stop_with_code(std::string code, int exit_status = 0);
