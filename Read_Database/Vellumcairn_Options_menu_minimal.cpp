// A minimal options menu: loads the options file, shows the current options and reads one
// choice; 0 saves and proceeds, -1 ends the program. The options file sets a run up.
#include <charconv>
#include <string>

#include "Console_io.hpp"
#include "Program_state.hpp"
#include "Program_stop.hpp"
#include "Text_layout.hpp"

namespace {

void show_current_options(Program_state& state) {
  Console& console = state.console;
  const Options& o = state.options;
  console.line("Current options:");
  console.line("");
  console.line("No. Value, Description");
  console.line("1" + fixed_logical(o.use_search_db, 7) + ", T => all CAs to order" +
               fixed_int(MAX_SEARCH_ORDER, 3) + "; F => generated CAs to order" +
               fixed_int(MAX_GENERATED_ORDER, 4));
  console.line("2" + fixed_int(o.ca_order, 7) + ", Order of CAs for output");
  console.line("3" + fixed_logical(o.filter_by_method, 7) +
               ", T => filter by generator method; F => output all");
  console.line("4" + fixed_int(o.filter_method, 7) +
               ", If previous option is T, filter by generator method 1 to 19");
  console.line("5" + fixed_int(o.symmetry_type, 7) +
               ", 1 => All, 2 => Essential, 3 => Symmetrical, 4 => G-Symmetrical");
  console.line("6" + fixed_int(o.index_base, 7) +
               ", 0 => Output CAs are row indices from 0 to N-1, 1 => from 1 to N");
  console.line("7 " + pad_right(o.output_position, 6) +
               ", APPEND => append to existing output files; REWIND => overwrite");
  console.line("8" + fixed_logical(o.find_gf_polynomial, 7) +
               ", T => Find generating polynomial in a Galois field.");
  console.line("9" + fixed_int(o.gf_order, 7) + ", Order of Galois field.");
  console.line("10 " + std::string(trim_right(o.database_path)) + ", Database folder");
  console.line("11 " + std::string(trim_right(o.output_pathname)) + ", Pathname for output text");
  console.line("");
}

}  // namespace

void options_menu(Program_state& state) {
  Console& console = state.console;
  load_options(state);
  for (;;) {
    show_current_options(state);
    console.line("Enter option 1-11 to change, 12 for HELP, or 0 to proceed:");
    const std::string answer(trim(state.console.read_line()));
    int choice = 0;
    const auto result = std::from_chars(answer.data(), answer.data() + answer.size(), choice);
    if (answer.empty() || result.ec != std::errc() || result.ptr != answer.data() + answer.size()) {
      console.line(free_form("###Bad character on input; please try again."));
      continue;
    }
    if (choice == 0) {
      save_options(state);
      return;
    }
    if (choice == -1) stop_with_code("Normal exit without processing.");
    console.line(free_form("###Input was", choice, ", which this menu does not offer; set the "
                           "options in the options file."));
  }
}
