#include "Read_Database/Vellumcairn_main.hpp"

#include <istream>
#include <ostream>

#include "Read_Database/Program_state.hpp"
#include "_Library/Program_stop.hpp"
#include "Read_Database/Vellumcairn_get_file.hpp"
#include "Read_Database/Vellumcairn_logger.hpp"

namespace {

constexpr const char* banner[] = {
    "Vellumcairn: a database of Costas arrays and their generating polynomials.",
    "All rights reserved.  If you use its output files in published work, please credit:",
    "  \"Costas arrays of orders 2 to 500: exhaustive searches and algebraic constructions,\"",
    "  database notes, 2nd edition.  The database was since extended; updates are published with each new release of this program.",
};

// The console texts are fixed, misspellings included: "partiular" stays as users have always seen it.
constexpr const char* method_notice[] = {
    "The search method flags in the database were assigned",
    "by the first search method that found that particular Costas",
    "array.  Other methods that subsequently find that particular",
    "Costas array will not be flagged.  Thus when you find a partiular",
    "Costas array with a flag, you are ensured that the flagged method",
    "will find that Costas array.  You are NOT ensured that a different",
    "method may or may not also find that particular Costas array",
    "or one of its polymorphs.",
};

constexpr const char* disclaimer[] = {
    "The databases and this software are provided as they are, without warranty of any kind,",
    "express or implied, including fitness for any particular purpose.  By using them you",
    "agree not to reverse-engineer the software, and to hold its makers harmless from any",
    "claim, loss or damage that arises from their use.  If you do not agree, answer N below",
    "and the program ends without reading or writing any file.",
};

}  // namespace

void show_start_up(Program_state& state) {
  Console& console = state.console;
  for (const char* line : banner) console.line(line);
  console.line("");
  for (const char* line : method_notice) console.line(line);
  console.line("");
  for (const char* line : disclaimer) console.line(line);
  console.line("");
  state.pause.agree_or_stop("Agree?");
}

namespace {

// One run on open database files: output files, log summary, the arrays of the chosen
// symmetry class, then every file closed.
void run_database(Program_state& state) {
  Database_files& db = state.database;
  const Options& o = state.options;
  open_output_files(state.output, db, o, state.dialogue);
  show_log_summary(db.log, state.output.text, state.dialogue);
  skip_all_arrays_header(db, o);
  struct Class_files {
    Text_input& arrays;
    Text_input& methods;
  };
  const Class_files classes[] = {{db.all_arrays, db.all_arrays_methods},
                                 {db.essential, db.essential_methods},
                                 {db.symmetrical, db.symmetrical_methods},
                                 {db.g_symmetrical, db.g_symmetrical_methods}};
  if (o.symmetry_type >= 1 && o.symmetry_type <= 4) {
    const Class_files& chosen = classes[o.symmetry_type - 1];
    const Selection_outcome outcome =
        write_selected_arrays(chosen.arrays, chosen.methods, state.output, state.gf_polynomial,
                              state.ca, o, state.dialogue);
    show_count_difference(outcome, o, state.status);
  }
  if (o.find_gf_polynomial) state.gf_polynomial.release_GFPolynomial(o.gf_kind);
  close_database_files(db);
  close_output_files(state.output, state.console);
}

}  // namespace

void run_cycle(Program_state& state) {
  do {
    options_menu(state.options, state.dialogue, state.number_theory);
    open_database_files(state.database, state.options, state.console);
    if (state.database.database_ready) run_database(state);
  } while (!state.pause.ask_yes_no("Done?"));
}

// Catches the program's stops, closes the files of a run cut short (reporting lost lines) and
// writes the stop code to the error stream. The status is 1 instead of 0 when an output file or
// the console could not take its lines.
int run_vellumcairn(std::istream& in, std::ostream& out, std::ostream& err) {
  Console console(in, out, err);
  Program_state state(console);
  Program_stop end;
  try {
    show_start_up(state);
    run_cycle(state);
  } catch (const Program_stop& stop) {
    end = stop;
  }
  // A stop in the middle of a run leaves its files open: close them here rather than in the
  // destructors, so that an output file that could not take all its lines is still reported.
  close_database_files(state.database);
  close_output_files(state.output, console);
  console.flush();
  if (!end.code.empty()) err << end.code << '\n';
  err.flush();
  // Lines that were lost, in an output file or on a console that could not take them, are
  // never reported as a success.
  if (end.exit_status == 0 && (state.output.write_failed || !out.good())) return 1;
  return end.exit_status;
}
