#include "Read_Database/Vellumcairn_select.hpp"

#include <ostream>
#include <sstream>

#include "_Library/Arrays_stream.hpp"
#include "_Library/Output_text_lines.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Stop_signals.hpp"
#include "Read_Database/Program_state.hpp"
#include "Read_Database/Vellumcairn_Option_prompts.hpp"
#include "Read_Database/Vellumcairn_get_file.hpp"
#include "Read_Database/Vellumcairn_logger.hpp"

namespace {

constexpr const char* kind_words[] = {"arrays", "essential arrays", "symmetrical arrays",
                                      "G-symmetrical arrays"};

// The options of the interactive run that the selection stands for; the field order is raised
// to a viable one above the order as leaving the options menu raises it.
void set_options(Options& o, const Select_settings& s, Program_state& state, Status_line& quiet) {
  o.use_search_db = s.searched;
  o.ca_order = s.order;
  o.symmetry_type = s.symmetry_type;
  o.index_base = s.base;
  o.find_gf_polynomial = s.polynomials;
  o.database_path = s.database;
  if (!o.database_path.empty() && !o.database_path.ends_with('/')) o.database_path += '/';
  o.output_pathname = s.out;
  choose_database(o, quiet, false);
  if (!s.polynomials) return;
  if (s.field == 0) {
    next_gf_order(o, state.number_theory, o.ca_order);
  } else {
    o.gf_order = s.field;
    raise_gf_order_for_run(o, state.console, state.number_theory);
  }
}

// Why the output files may not be written: refused, or existing without leave; empty if they may.
std::string output_problem(const std::vector<std::string>& names, const Select_settings& s,
                           const Database_files& db, const Options& o) {
  for (const std::string& name : names) {
    if (std::string reason = output_refusal_reason(db, o, name); !reason.empty()) {
      return "will not write " + name + ": " + reason;
    }
    if (s.existing == Existing_output::refuse && file_exists(name)) {
      return name + " exists; give --overwrite to replace it or --append to add to it";
    }
  }
  return {};
}

// What streaming the arrays came to.
struct Streamed {
  std::int64_t read = 0;
  bool complete = true;
  bool singular = false;   // the field's matrix is singular: no coefficients
};

// Streams the arrays of the chosen class into the export; for the text format the tag lines
// go through text_status, as the interactive run shows them.
Streamed stream_arrays(Program_state& state, const Select_settings& s, Tidy_export& tidy,
                       Status_line& text_status) {
  Database_files& db = state.database;
  const Options& o = state.options;
  Text_input* const arrays[] = {&db.all_arrays, &db.essential, &db.symmetrical, &db.g_symmetrical};
  Text_input* const methods[] = {&db.all_arrays_methods, &db.essential_methods,
                                 &db.symmetrical_methods, &db.g_symmetrical_methods};
  const auto k = static_cast<std::size_t>(s.symmetry_type - 1);
  Arrays_stream stream(*arrays[k], o.db_has_methods ? methods[k] : nullptr, o.ca_order,
                       o.db_is_generated ? 1 : 0);
  const auto n = static_cast<std::size_t>(o.ca_order);
  const bool text = s.format == Tidy_format::text;
  Streamed streamed;
  for (;;) {
    stop_if_signalled();
    bool damaged = false;
    const auto item = read_next_array(stream, state.ca, state.console, damaged);
    if (!item) {
      streamed.complete = !damaged;
      return streamed;
    }
    ++streamed.read;
    const Method_flags flags = o.db_has_methods ? item->flags : 0;
    if (o.db_has_methods && s.method_mask != 0 && (flags & s.method_mask) == 0) continue;
    if (text && o.db_has_methods) tag_with_flag_names(state.ca.ca_tag, flags);
    if (text && (o.db_has_methods ? flags != 0 : item->polymorph)) text_status.show(state.ca.ca_tag);
    Tidy_row row{item->line, flags, o.db_has_methods, std::span(state.ca.ca_perm).first(n), {}};
    if (s.polynomials) {
      state.gf_polynomial.get_GFPolynomial(state.ca.ca_perm, Finder_field{o.ca_order, o.gf_order, o.gf_kind}, nullptr);
      if (state.gf_polynomial.rebuild != 0) {
        streamed.singular = true;
        return streamed;
      }
      row.coefficients = state.gf_polynomial.output;
    }
    tidy.row(row);
  }
}

// After the arrays of a whole class: the partial-order line, on the console and in the text
// file, when the count tables list another number. Returns that number, or -1 when a method
// filter or a damaged file leaves nothing to compare.
std::int64_t show_partial_order(Program_state& state, const Select_settings& s,
                                const Streamed& streamed, Status_line* text_status) {
  if (!streamed.complete || s.method_mask != 0) return -1;
  const std::int64_t listed = database_count(s.order, s.symmetry_type);
  if (listed != streamed.read) {
    const std::string partial = count_difference_line(s.order, s.symmetry_type, streamed.read, listed);
    if (text_status != nullptr) text_status->show(partial);
    state.console.line(partial);
  }
  return listed;
}

// The selection on open database files; the exit status.
int write_selection(Program_state& state, const Select_settings& s, std::ostream& err) {
  Options& o = state.options;
  Tidy_export tidy(s.format, o.ca_order, s.base, s.polynomials);
  if (const std::string problem = output_problem(tidy.file_names(s.out), s, state.database, o);
      !problem.empty()) {
    err << "vellumcairn: " << problem << '\n';
    return 1;
  }
  const auto position = s.existing == Existing_output::append ? Write_position::append
                                                              : Write_position::rewind;
  if (const std::string failure = tidy.open(s.out, position); !failure.empty()) {
    err << "vellumcairn: " << failure << '\n';
    return 1;
  }
  // The text format's own lines go to the file alone: nothing of them reaches the console.
  std::ostream nowhere(nullptr);
  std::istringstream no_answers;
  Console quiet(no_answers, nowhere, nowhere);
  Pause_m quiet_pause(quiet);
  Status_line text_status(quiet);
  // Only the text format's file takes the status lines; a csv or npy file holds rows alone.
  const bool text = s.format == Tidy_format::text;
  text_status.text_output = text ? &tidy.text() : nullptr;
  if (text) show_log_summary(state.database.log, tidy.text(), Dialogue{quiet, quiet_pause, text_status});
  skip_all_arrays_header(state.database, o);
  if (text && s.method_mask != 0) text_status.show(free_form(filter_line_start, s.method_names));

  Streamed streamed;
  try {
    streamed = stream_arrays(state, s, tidy, text_status);
  } catch (const Program_stop&) {
    // An interrupt between two arrays: the npy headers still give the count written.
    static_cast<void>(tidy.close());
    throw;
  }
  if (s.polynomials) state.gf_polynomial.release_GFPolynomial(o.gf_kind);
  const std::int64_t listed = show_partial_order(state, s, streamed, text ? &text_status : nullptr);
  const std::string failure = tidy.close();
  if (!failure.empty()) err << "vellumcairn: " << failure << '\n';
  if (streamed.singular) err << "vellumcairn: the field's matrix is singular: no coefficients\n";
  if (!failure.empty() || !streamed.complete || streamed.singular) return 1;
  state.console.line(select_closing_line(tidy.count(), s, listed));
  return 0;
}

}  // namespace

std::string select_closing_line(std::int64_t written, const Select_settings& s,
                                std::int64_t listed) {
  std::string line = "Wrote " + std::to_string(written) + " " +
                     kind_words[s.symmetry_type - 1] + " of order " + std::to_string(s.order) +
                     " to " + s.out + ".";
  if (listed >= 0 && listed != written) line += " The count tables list " + std::to_string(listed) + ".";
  return line;
}

int run_select(const Select_settings& s, std::ostream& out, std::ostream& err) {
  // A question of the run (a singular prime matrix asks "Proceed?") is answered no.
  std::istringstream answers("N\n");
  Console console(answers, out, err);
  Program_state state(console);
  std::ostream nowhere(nullptr);
  Console quiet(answers, nowhere, nowhere);
  Status_line quiet_status(quiet);
  int status = 1;
  try {
    set_options(state.options, s, state, quiet_status);
    open_database_files(state.database, state.options, console);
    if (state.database.database_ready) {
      status = write_selection(state, s, err);
    } else {
      err << "vellumcairn: the database files of order " << s.order << " cannot be read under "
          << s.database << '\n';
    }
  } catch (const Program_stop& stop) {
    if (!stop.code.empty()) err << stop.code << '\n';
    status = 1;
  }
  close_database_files(state.database);
  console.flush();
  return status;
}
