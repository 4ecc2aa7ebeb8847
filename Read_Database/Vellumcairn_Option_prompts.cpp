// The prompts of the options menu for the order, the construction method, the symmetry class
// and the Galois-field order, and the toggle of the generating-polynomial option.
#include "Read_Database/Vellumcairn_Option_prompts.hpp"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "_Library/Console_io.hpp"
#include "_Library/Integer_input.hpp"
#include "_Library/Pause_m.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Text_layout.hpp"
#include "Read_Database/Vellumcairn_Method_list.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"

namespace {

// A field order in four columns as the prompt lines show it; one too wide for them (orders go
// up to 65536) is shown whole after a blank instead of as asterisks, so the user sees it.
std::string gf_order_text(std::int32_t order) {
  std::string field = fixed_int(order, 4);
  if (field.front() != '*') return field;
  field.assign(1, ' ');
  field += std::to_string(order);
  return field;
}

constexpr std::string_view not_a_whole_number =
    "###The answer was not a whole number; please try again.";

// An integer answer, or the "not a whole number" line and nullopt so that the prompt repeats.
std::optional<std::int32_t> integer_or_complain(Console& console) {
  const std::optional<std::int32_t> answer = read_integer_answer(console);
  if (!answer) console.line(not_a_whole_number);
  return answer;
}

}  // namespace

void ask_ca_order(Options& options, Console& console) {
  for (;;) {
    console.line(
        free_form("Please provide the order of the Costas array(s) that you wish to find:"));
    const std::optional<std::int32_t> order = integer_or_complain(console);
    if (!order) continue;
    options.ca_order = *order;
    if (options.ca_order >= options.db_min_order && options.ca_order <= options.db_max_order)
      return;
    console.line("###You requested Costas arrays of order" + fixed_int(options.ca_order, 5));
    console.line("Data base for " + pad_right(options.db_kind_text, 17) +
                 "Costas arrays is orders" + fixed_int(options.db_min_order, 3) + " to" +
                 fixed_int(options.db_max_order, 5));
    console.line("Please try again.");
  }
}

void ask_filter_method(Options& options, Console& console) {
  if (!options.db_has_methods) return;
  for (;;) {
    console.line("");
    console.line("Please specify the generator method you want selected:");
    for (std::string_view line : method_list) console.line(line);
    console.line("");
    const std::optional<std::int32_t> method = integer_or_complain(console);
    if (!method) continue;
    options.filter_method = *method;
    if (options.filter_method >= 0 && options.filter_method <= 19) return;
    console.line(free_form("###Filter method option must be between 1 and 19 inclusive."));
    console.line(free_form("Please try again."));
  }
}

void ask_symmetry_type(Options& options, Console& console) {
  for (;;) {
    // The console texts are fixed, misspellings included: "requre", "symmmetry" stays as users have always seen it.
    console.line("What type of symmetry do you requre for your Costas arrays?");
    console.line("1 => no symmmetry requirement, look at ALL existing Costas arrays.");
    console.line("2 => look at the essential Costas arrays, not all possible polymorphs.");
    console.line("3 => look only at symmetrical Costas arrays.");
    console.line("4 => look only at G-symmetrical Costas arrays.");
    console.line("");
    const std::optional<std::int32_t> symmetry = integer_or_complain(console);
    if (!symmetry) continue;
    options.symmetry_type = *symmetry;
    if (options.symmetry_type >= 1 && options.symmetry_type <= 4) return;
    console.line("You entered" + fixed_int(options.symmetry_type, 4) +
                 "; please enter a number from 1 to 4");
    console.line("");
  }
}

// Turning on, gf_order becomes a viable order above ca_order + 1 if none has been chosen or the
// stored one is too low. Prints nothing.
void toggle_gf_polynomial(Options& options, Number_Theory_M& number_theory) {
  options.find_gf_polynomial = !options.find_gf_polynomial;
  if (!options.find_gf_polynomial) return;
  if (!options.gf_kind) {
    next_gf_order(options, number_theory, options.ca_order);
  } else if (options.gf_order < options.ca_order + 2) {
    next_gf_order(options, number_theory, options.gf_order);
  }
}

namespace {

// Steps of the field-order prompt that ask for a starting order: a whole number of at most
// 65536, asked again until one is typed.
std::int32_t read_starting_gf_order(const Options& options, Console& console) {
  for (;;) {
    console.line("Starting Galois field order is" + gf_order_text(options.gf_order) +
                 ", input value of" + fixed_int(options.ca_order + 2, 4) + ", or greater:");
    std::optional<std::int32_t> start = read_integer_answer(console);
    while (!start) {
      console.line("Bad input, please input a number" + fixed_int(options.ca_order + 2, 4) +
                   " or greater:");
      start = read_integer_answer(console);
    }
    if (*start <= MAX_GF_ORDER) return *start;
    console.line("###Galois field orders above" + fixed_int(MAX_GF_ORDER, 6) +
                 " cannot be set up; please try again.");
  }
}

}  // namespace

// The order prompt leaves gf_order alone, so a run of a higher order would otherwise start in a
// field too small for it, where the interpolation matrix is singular.
void raise_gf_order_for_run(Options& options, Console& console, Number_Theory_M& number_theory) {
  const std::int32_t stored = options.gf_order;
  next_gf_order(options, number_theory, stored);
  if (options.gf_order != stored) {
    console.line("Next higher viable Galois field order is" + gf_order_text(options.gf_order));
  }
}

// Ends on a Y to "Is this OK?" for a raised order, or at once when the typed order is itself
// viable.
void ask_gf_order(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory) {
  Console& console = dialogue.console;
  std::int32_t shown = options.gf_order;
  next_gf_order(options, number_theory, shown);
  for (;;) {
    console.line("Costas order is" + fixed_int(options.ca_order, 4) + ", Galois field order is" +
                 gf_order_text(shown));
    if (options.gf_order != shown) {
      console.line("Next higher viable Galois field order is" + gf_order_text(options.gf_order));
      if (dialogue.pause.ask_yes_no("Is this OK?")) return;
    }
    shown = read_starting_gf_order(options, console);
    next_gf_order(options, number_theory, shown);
    // A typed order that is itself viable needs no confirmation.
    if (options.gf_order == shown) return;
  }
}
