// The program's entry and its run cycle: start-up screens, then options menu and runs until done.
#pragma once

#include <iosfwd>

struct Program_state;

// The whole program on three streams; returns the exit status (1 when lines were lost).
int run_vellumcairn(std::istream& in, std::ostream& out, std::ostream& err);

// Banner, notice on method flags and disclaimer, then "Agree?".
void show_start_up(Program_state& state);
// The cycle of runs, each ending in "Done?"; returns after a Y to "Done?".
void run_cycle(Program_state& state);
