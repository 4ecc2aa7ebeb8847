// The options menu: the order summary table, the table of current options and a numbered
// prompt; each choice toggles an option, runs a prompt, opens the help screens or leaves.
#include <cstdint>
#include <optional>
#include <string>

#include "_Library/Console_io.hpp"
#include "_Library/Integer_input.hpp"
#include "_Library/Pause_m.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_layout.hpp"
#include "Read_Database/Vellumcairn_Option_prompts.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"

namespace {

constexpr int value_width = 7;

std::string right_aligned(const std::string& text, std::size_t width) {
  return text.size() >= width ? text : std::string(width - text.size(), ' ') + text;
}

void show_current_options(Console& console, const Options& options) {
  console.line("Current options:");
  console.line("");
  console.line("No. Value, Description");
  console.line("1" + fixed_logical(options.use_search_db, value_width) + ", T => all CAs to order" +
               fixed_int(MAX_SEARCH_ORDER, 3) + "; F => generated CAs to order" +
               fixed_int(MAX_GENERATED_ORDER, 4));
  console.line("2" + fixed_int(options.ca_order, value_width) + ", Order of CAs for output");
  console.line("3" + fixed_logical(options.filter_by_method, value_width) +
               ", T => filter by generator method; F => output all");
  console.line("4" + fixed_int(options.filter_method, value_width) +
               ", If previous option is T, filter by generator method 1 to 19");
  console.line("5" + fixed_int(options.symmetry_type, value_width) +
               ", 1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical");
  console.line("6" + fixed_int(options.index_base, value_width) +
               ", 0 => Output CAs are row indices from 0 to N-1, 1 => from 1 to N");
  console.line("7" + right_aligned(options.output_position, value_width) +
               ", APPEND => append to existing output files; REWIND => overwrite");
  console.line("8" + fixed_logical(options.find_gf_polynomial, value_width) +
               ", T => Find generating polynomial in a Galois field.");
  console.line("9" + fixed_int(options.gf_order, value_width) + ", Order of Galois field.");
  console.line("10 " + std::string(trim_right(options.database_path)) + ", Database folder");
  console.line("11 " + std::string(trim_right(options.output_pathname)) +
               ", Pathname for output text");
  console.line("");
}

void flip_index_base(Options& options, Status_line& status) {
  options.index_base = 1 - options.index_base;
  status.message_line = free_form("Output Costas arrays will index from", options.index_base);
  status.show_message();
}

void flip_output_position(Options& options) {
  const bool appending = options.output_position.find("APPEND") != std::string::npos;
  options.output_position = appending ? "REWIND" : "APPEND";
}

// Acts on a choice from 1 to 12; the menu is shown again afterwards.
void act_on_choice(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory,
                   std::int32_t choice) {
  Console& console = dialogue.console;
  switch (choice) {
    case 1: choose_database(options, dialogue.status, true); break;
    case 2: ask_ca_order(options, console); break;
    case 3: options.filter_by_method = !options.filter_by_method; break;
    case 4: ask_filter_method(options, console); break;
    case 5: ask_symmetry_type(options, console); break;
    case 6: flip_index_base(options, dialogue.status); break;
    case 7: flip_output_position(options); break;
    case 8: toggle_gf_polynomial(options, number_theory); break;
    case 9: ask_gf_order(options, dialogue, number_theory); break;
    case 10: ask_database_path(options, console); break;
    case 11: ask_output_pathname(options, console); break;
    case 12: show_help(options, dialogue, number_theory); break;
    default: break;
  }
}

}  // namespace

void options_menu(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory) {
  Console& console = dialogue.console;
  load_options(options, dialogue, number_theory);
  for (;;) {
    order_summary_table(options, dialogue.status);
    show_current_options(console, options);
    console.line("Enter option 1-11 to change, 12 for HELP, or 0 to proceed:");
    const std::optional<std::int32_t> choice = read_integer_answer(console);
    if (!choice) {
      console.line(free_form("###Bad character on input; please try again."));
      continue;
    }
    if (*choice < -2 || *choice > 12) {
      console.line(
          free_form("###Input was", *choice, "which is out of range; please enter 0 to 12."));
      continue;
    }
    switch (*choice) {
      case -2: write_count_check(console); return;
      case -1: stop_with_code("Normal exit without processing.");
      case 0:
        if (options.find_gf_polynomial) raise_gf_order_for_run(options, console, number_theory);
        save_options(options, console, dialogue.pause);
        return;
      default: act_on_choice(options, dialogue, number_theory, *choice); break;
    }
  }
}
