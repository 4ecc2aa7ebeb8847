// The options of a run and their file Vellumcairn_Options.txt: the record and the fixed
// 16-line layout it is kept in, read and written without a word to the console, so that the
// program (which speaks about failures) and the database builder (which reports them on its
// error stream) share one reader and one writer.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "_Library/Count_tables.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Field_kind.hpp"
#include "_Library/Text_files.hpp"

constexpr std::int32_t MAX_SEARCH_ORDER = 27;
// The generated database offers every order the count tables cover.
constexpr std::int32_t MAX_GENERATED_ORDER = last_counted_order;
constexpr std::int32_t MAX_GF_ORDER = 65536;   // the largest Galois field the program sets up
constexpr const char* options_file_name = "Vellumcairn_Options.txt";
// The columns of a path line that are read: the path, two blanks and the comma of its comment
// must fit in them, so a path keeps options_path_columns - 3 characters at most.
constexpr std::size_t options_path_columns = 132;

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
  std::string db_folder = database_folder({}, generated_folder);   // under database_path
  std::string db_kind_text = "generated";   // shown padded to 17 characters where required
  std::int32_t db_min_order = 2;
  std::int32_t db_max_order = MAX_GENERATED_ORDER;
  bool db_has_methods = true;
  bool db_is_generated = true;
  std::optional<Gf_kind> gf_kind;           // the kind of gf_order; none until one is chosen
};

// How a run opens its output files: it overwrites them only on an explicit REWIND (in any case
// of letters); any other text appends, so that a hand-edited position never destroys earlier
// output. The options keep the text as stored, since the menu shows it and turns it over as
// it stands.
Write_position run_position(const Options& o);

// The default database folder and output pathname of the path style.
constexpr const char* default_database_path = unix_paths ? "/media/Costas Arrays/" : "D:\\";
constexpr const char* default_output_pathname =
    unix_paths ? "./Vellumcairn_Output.txt" : ".\\Vellumcairn_Output.txt";

// The 16 lines of the options file for options o.
std::array<std::string, 16> option_file_lines(const Options& o);
struct Options_file_status {
  int open = 0;    // status_ok, or why the file could not be opened (nothing was read or written)
  int read = 0;    // status_ok, or the first field that could not be read
  int write = 0;   // status_ok, or the first failure of a write or of the close
};
// Reads the options file name into o by line and column, then takes each path before its last
// comma and completes the output pathname with ".txt"; o is left partly read on a failure.
[[nodiscard]] Options_file_status read_options_file(Options& o, const std::string& name);
// Writes the options file name whole, overwriting it.
[[nodiscard]] Options_file_status write_options_file(const Options& o, const std::string& name);
