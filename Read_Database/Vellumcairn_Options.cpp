// The options record and its file Vellumcairn_Options.txt: defaults, reading back by position
// and column, writing in the fixed 16-line layout, and the two derived settings (the database
// chosen and the Galois-field order).
#include <algorithm>
#include <array>
#include <charconv>
#include <filesystem>
#include <string>
#include <string_view>

#include "_Library/Console_io.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Pause_m.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

std::string options_file_path(const std::string& folder) {
  if (folder.empty()) return options_file_name;
  return (std::filesystem::path(folder) / options_file_name).string();
}

void set_default_options(Options& options, Number_Theory_M& number_theory) {
  options.index_base = 0;
  options.filter_method = 0;
  options.filter_by_method = false;
  options.ca_order = 129;
  options.use_search_db = false;
  options.symmetry_type = 1;
  options.output_position = "APPEND";
  options.find_gf_polynomial = false;
  next_gf_order(options, number_theory, options.ca_order);
  // The folder name is appended to the path directly, so the Unix default ends in its
  // separator as "D:\" does; without it the database could never be found there.
  options.database_path = default_database_path;
  options.output_pathname = default_output_pathname;
}

void load_options(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory,
                  const std::string& folder) {
  Console& console = dialogue.console;
  const std::string file = options_file_path(folder);
  const bool exists = file_exists(file);
  bool read_ok = false;
  if (const Options_file_status read = read_options_file(options, file);
      read.open != status_ok) {
    console.line(free_form("Error opening ", file, ": ", iostat_message(read.open)));
  } else if (exists) {
    read_ok = read.read == status_ok;
    if (!read_ok) {
      console.line(free_form("Error reading ", file, ": ", iostat_message(read.read)));
    }
  }
  if (!read_ok) {
    if (!exists) {
      dialogue.status.show(std::string("Properly formatted option file does not exist.  Prgram "
                                       "defaults set and written to new file") + file);
    }
    set_default_options(options, number_theory);
    choose_database(options, dialogue.status, false);
    save_options(options, console, dialogue.pause, folder);
  }
  choose_database(options, dialogue.status, false);
  if (options.find_gf_polynomial) next_gf_order(options, number_theory, options.gf_order);
}

void save_options(const Options& options, Console& console, Pause_m& pause,
                  const std::string& folder) {
  const std::string file = options_file_path(folder);
  const Options_file_status written = write_options_file(options, file);
  if (written.open != status_ok) {
    console.line(free_form("Error opening ", file, ", error: ", iostat_message(written.open)));
    console.line(free_form("Make sure that you have write permissions"));
    console.line(free_form("Default options not saved."));
    if (!pause.ask_yes_no("Continue?")) stop_with_code("2");
    return;
  }
  if (written.write != status_ok) {
    console.line(free_form("Error writing ", file, ": ", iostat_message(written.write)));
  }
}

void choose_database(Options& o, Status_line& status, bool toggle) {
  if (toggle) o.use_search_db = !o.use_search_db;
  if (!o.use_search_db) {
    status.show("Costas arrays from generators of order 2 to" +
                      fixed_int(MAX_GENERATED_ORDER, 4));
    o.db_max_order = MAX_GENERATED_ORDER;
    o.db_min_order = 2;
    o.db_folder = database_folder({}, generated_folder);
    o.db_has_methods = true;
    o.db_kind_text = "generated";
  } else {
    status.show("Costas arrays from searches of order 3 to" + fixed_int(MAX_SEARCH_ORDER, 3));
    o.db_max_order = MAX_SEARCH_ORDER;
    o.db_min_order = 3;
    o.db_folder = database_folder({}, searched_folder);
    o.db_kind_text = "exhaustive search";
    o.db_has_methods = false;
  }
  o.db_is_generated = !o.use_search_db;
  const std::int32_t v = std::min(std::max(o.db_min_order, o.ca_order), o.db_max_order);
  if (v != o.ca_order) {
    status.show("WARNING -- Costas order changed from" + fixed_int(o.ca_order, 4) + " to" +
                      fixed_int(v, 3));
    o.ca_order = v;
  }
  status.show("Costas arrays of order" + fixed_int(o.ca_order, 4) + ", method: " +
                    o.db_kind_text);
}

void next_gf_order(Options& o, Number_Theory_M& number_theory, std::int32_t start) {
  o.gf_order = next_prime_power(std::max(start, o.ca_order + 1));
  // The program's record is left holding the factorisation of the order found.
  number_theory.factorize(o.gf_order);
  o.gf_kind = number_theory.factor_record.is_prime ? Gf_kind::prime : Gf_kind::extension;
}
