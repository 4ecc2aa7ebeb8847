// The small prompts and toggles behind the choices of the options menu. Each changes the
// options record in place; a prompt repeats until its answer is accepted.
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
// Menu choice 8: flips find_gf_polynomial; when it turns on, raises gf_order to a viable order
// above ca_order + 1 if none has been chosen or the stored one is too low. Prints nothing.
void toggle_gf_polynomial(Options& options, Number_Theory_M& number_theory);
// Menu choice 9: gf_order, a prime power above ca_order, at most 65536; ends on a Y to
// "Is this OK?" for a raised order, or at once when the typed order is itself viable.
void ask_gf_order(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory);
