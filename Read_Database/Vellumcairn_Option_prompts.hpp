// The prompts and toggles behind the options menu's choices; a prompt repeats until accepted.
#pragma once

class Console;
class Number_Theory_M;
struct Dialogue;
struct Options;

// Menu choice 2: ca_order within db_min_order..db_max_order; gf_order is left alone.
void ask_ca_order(Options& options, Console& console);
// Menu choice 4: filter_method 0..19; does nothing with a database without method flags.
void ask_filter_method(Options& options, Console& console);
// Menu choice 5: symmetry_type 1..4.
void ask_symmetry_type(Options& options, Console& console);
// Menu choice 8: flips find_gf_polynomial; turning on, it raises a missing or too low gf_order.
void toggle_gf_polynomial(Options& options, Number_Theory_M& number_theory);
// Menu choice 9: gf_order, a prime power above ca_order, at most 65536, confirmed when raised.
void ask_gf_order(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory);
// Menu choice 0 with find_gf_polynomial: gf_order raised to a prime power above ca_order, as the
// options file's reading raises it, with the "Next higher viable" line when it changed.
void raise_gf_order_for_run(Options& options, Console& console, Number_Theory_M& number_theory);
