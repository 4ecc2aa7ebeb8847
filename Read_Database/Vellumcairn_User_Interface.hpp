// The options of a run and their file, the options menu and its prompts, the help screens,
// the order summary table with its count tables, and the path prompts.
#pragma once

#include <array>
#include <cstdint>
#include <string>

struct Program_state;

constexpr std::int32_t MAX_SEARCH_ORDER = 27;
constexpr std::int32_t MAX_GENERATED_ORDER = 500;
constexpr std::int32_t MAX_GF_ORDER = 65536;   // the largest Galois field the program sets up
constexpr const char* options_file_name = "Vellumcairn_Options.txt";

#ifdef VELLUMCAIRN_UNIX_PATHS
constexpr bool unix_paths = true;
#else
constexpr bool unix_paths = false;
#endif

// The eleven user options and the values derived from them.
struct Options {
  bool use_search_db = false;
  std::int32_t ca_order = 129;
  bool filter_by_method = false;
  std::int32_t filter_method = 0;
  std::int32_t symmetry_type = 1;
  std::int32_t index_base = 0;
  std::string output_position = "APPEND";   // 6 characters
  bool find_gf_polynomial = false;
  std::int32_t gf_order = 131;
  std::string database_path;                // without trailing blanks
  std::string output_pathname;              // without trailing blanks

  // Derived by choose_database and next_gf_order; never stored in the file.
  std::string db_folder = "Generated\\";
  std::string db_kind_text = "generated";   // shown padded to 17 characters where required
  std::int32_t db_min_order = 2;
  std::int32_t db_max_order = MAX_GENERATED_ORDER;
  bool db_has_methods = true;
  bool db_is_generated = true;
  std::int32_t gf_kind = 0;                 // 0 none chosen yet, 1 prime field, 2 extension field
};

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
struct Order_counts {
  std::int32_t all, essential, symmetrical, g_symmetrical;
};
// The counts of order n (2..500); zero counts for any other n.
Order_counts count_tables(std::int32_t n);
void order_summary_table(Program_state& state);
// Writes "cancheck.csv" and stops with "Normal exit.".
void write_count_check(Program_state& state);

// ---- Path prompts ----
void ask_database_path(Program_state& state);
void ask_output_pathname(Program_state& state);
