// The program's entry and its run cycle: banner, notice, agreement, then options menu and runs
// until the user is done.
#pragma once

#include <iosfwd>

struct Program_state;

// The whole program on three streams; returns the exit status. Catches the program's stops,
// closes the files of a run cut short (reporting lost lines) and writes the stop code to the
// error stream. The status is 1 instead of 0 when an output file or the console could not take
// its lines.
int run_vellumcairn(std::istream& in, std::ostream& out, std::ostream& err);

// Banner, notice on method flags and disclaimer, then "Agree?".
void show_start_up(Program_state& state);
// The cycle of runs, each ending in "Done?"; returns after a Y to "Done?".
void run_cycle(Program_state& state);
