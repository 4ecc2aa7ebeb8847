// The options of a run and their file, the options menu and its prompts, the help screens,
// the order summary table with its count tables, and the path prompts.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "_Library/Count_tables.hpp"
#include "_Library/Options_file.hpp"

struct Program_state;

// ---- Options record and options file ----
void set_default_options(Program_state& state);    // defaults of the path style; prints nothing
void load_options(Program_state& state);           // reads or replaces the options file, reports
void save_options(Program_state& state);           // writes the 16-line file; asks on failure
void choose_database(Program_state& state, bool toggle);   // derives db_*, clamps ca_order, reports
void next_gf_order(Program_state& state, std::int32_t start);   // gf_order, gf_kind

// ---- Options menu and option prompts ----
void options_menu(Program_state& state);           // returns after choice 0 (options saved)

// ---- Help screens ----
void show_help(Program_state& state);

// ---- Order summary table and count tables ----
void order_summary_table(Program_state& state);
// Writes "cancheck.csv" and stops with "Normal exit.".
void write_count_check(Program_state& state);

// ---- Path prompts ----
void ask_database_path(Program_state& state);
void ask_output_pathname(Program_state& state);
