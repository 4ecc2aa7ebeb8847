// Run data: the status message line, the current array, and the database and output files of a run.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "_Library/Database_format.hpp"
#include "_Library/Text_files.hpp"

class Console;
class Pause_m;
struct Options;

// The status message line: shown on the console and, while a run writes one, in the output text.
class Status_line {
 public:
  explicit Status_line(Console& console) : console_(console) {}

  // Writes message_line without trailing blanks to the console and, if open, the output text.
  void show_message();
  // message_line = text (cut at 132 characters), then show_message.
  void show(std::string_view text);

  std::string message_line;             // the message being composed
  // The output text file of the runs; the message goes to it while it is open.
  Text_output* text_output = nullptr;

 private:
  Console& console_;
};

constexpr std::size_t message_line_length = 132;

// The console and what speaks through it: the yes/no questions and the status message line.
struct Dialogue {
  Console& console;
  Pause_m& pause;
  Status_line& status;
};

// ---- The current array: a run streams the arrays of one order through this record ----

constexpr std::size_t MAX_ORDER_CAPACITY = 500;

struct Costas_array_record {
  // Zero-based rows of columns 1..N; entries from N on are left over from earlier arrays.
  std::array<std::int32_t, MAX_ORDER_CAPACITY> ca_perm{};
  std::string ca_tag;    // polymorph mark and names of the set method flags
};

// ---- Database files of one order ----

// The nine files of a run's order (methods files only for the generated database).
struct Database_files {
  bool database_ready = false;     // open_database_files succeeded for the current run
  std::string folder;              // database_path + db_folder, as the names are formed
  Text_input essential, essential_methods;
  Text_input g_symmetrical, g_symmetrical_methods;
  Text_input log;
  Text_input symmetrical, symmetrical_methods;
  Text_input all_arrays, all_arrays_methods;

  // The nine files in one order, for whatever is done to each of them.
  std::array<Text_input*, 9> files() {
    return {&essential, &essential_methods, &g_symmetrical, &g_symmetrical_methods, &log,
            &symmetrical, &symmetrical_methods, &all_arrays, &all_arrays_methods};
  }
  std::array<const Text_input*, 9> files() const {
    return {&essential, &essential_methods, &g_symmetrical, &g_symmetrical_methods, &log,
            &symmetrical, &symmetrical_methods, &all_arrays, &all_arrays_methods};
  }
};

// Opens every file of order ca_order, or none (reporting the missing one); sets database_ready.
void open_database_files(Database_files& db, const Options& options, Console& console);
// Discards the header line of the all-arrays file and of its methods file.
void skip_all_arrays_header(Database_files& db, const Options& options);
// Closes every database file of the run.
void close_database_files(Database_files& db);

// ---- Output files of one run ----

struct Output_files {
  Text_output text;              // the output text file, output_pathname
  Text_output csv;               // one row of row indices per written array
  Text_output methods_csv;       // one row of flag names per written array
  Text_output polynomials_csv;   // one row of coefficients per array, with find_gf_polynomial
  bool write_failed = false;     // an output file of this process lost lines (exit status 1)

  // The four files in one order, for whatever is done to each of them; output_file_kinds names
  // each one at the same place.
  std::array<Text_output*, 4> files() { return {&text, &csv, &methods_csv, &polynomials_csv}; }
  std::array<const Text_output*, 4> files() const {
    return {&text, &csv, &methods_csv, &polynomials_csv};
  }
};

// What each of Output_files::files() is, as a refusal names it.
constexpr std::array<std::string_view, 4> output_file_kinds = {
    "output text file", "CSV file", "methods CSV file", "polynomials CSV file"};

// The CSV file name: a three-letter extension replaced by "csv", or else ".csv" appended.
std::string csv_file_name(std::string_view output_pathname);
// The CSV file name with its last 4 characters replaced by "_methods.csv".
std::string methods_csv_file_name(std::string_view output_pathname);
// The CSV file name with its last 4 characters replaced by "_polynomials.csv".
std::string polynomials_csv_file_name(std::string_view output_pathname);
// Why name must not be written by a run on the open database files db: it is one of them, the
// options file, or lies in a database folder; empty when it may be written.
std::string output_refusal_reason(const Database_files& db, const Options& options,
                                  const std::string& name);
// Opens the output files (appending unless REWIND); a failed open reports and asks "Continue?".
void open_output_files(Output_files& output, const Database_files& db, const Options& options,
                       const Dialogue& dialogue);
// Pushes the buffered lines of every open output file to the system; failures wait for the close.
void flush_output_files(Output_files& output);
// Closes the output files, reporting each that lost lines (write_failed).
void close_output_files(Output_files& output, Console& console);
