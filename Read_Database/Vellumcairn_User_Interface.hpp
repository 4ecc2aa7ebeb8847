// The options of a run: their file, menu, prompts and help screens, and the order summary.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "_Library/Count_tables.hpp"
#include "_Library/Options_file.hpp"

class Console;
class Number_Theory_M;
class Pause_m;
class Status_line;
struct Dialogue;

// ---- Options record and options file ----
// The options file inside folder; "" names the one in the working folder.
std::string options_file_path(const std::string& folder);
// Sets the defaults of the path style and the field order above ca_order; prints nothing.
void set_default_options(Options& options, Number_Theory_M& number_theory);
// Reads the options file of folder, or sets the defaults and writes them there; reports both.
void load_options(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory,
                  const std::string& folder = "");
// Writes the 16-line options file of folder; a failed open asks "Continue?" (N stops, code "2").
void save_options(const Options& options, Console& console, Pause_m& pause,
                  const std::string& folder = "");
// Derives the db_* settings (toggling the database first when asked), clamps ca_order, reports.
void choose_database(Options& options, Status_line& status, bool toggle);
// gf_order = the least prime power at least start, ca_order + 1 and 2; gf_kind its kind.
void next_gf_order(Options& options, Number_Theory_M& number_theory, std::int32_t start);

// ---- Options menu, help screens, order summary, path prompts ----
// Loads the options and shows the menu until choice 0 saves them; -1 and -2 stop the program.
void options_menu(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory);
// The help screens until item 0, or item 12 which restores the defaults (not yet saved).
void show_help(Options& options, const Dialogue& dialogue, Number_Theory_M& number_theory);
// The table of array counts of ca_order and of the nearest orders with search records.
void order_summary_table(const Options& options, Status_line& status);
// Writes "cancheck.csv" and stops with "Normal exit.".
void write_count_check(Console& console);
// Asks for the database folder until the order-2 essential-set file opens under it.
void ask_database_path(Options& options, Console& console);
// Asks for the output pathname and completes it to a file name.
void ask_output_pathname(Options& options, Console& console);
