// Run data shared by the program's units: the status message line, the current array, and
// the database files and output files of one run.
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

// The status message line: composed by a caller, shown by show_message on the console and,
// while a run has its output text file open, written to that file as well.
class Status_line {
 public:
  explicit Status_line(Console& console) : console_(console) {}

  // Writes message_line without trailing blanks as one console line, and as one line of the
  // output text file when text_output_open is true.
  void show_message();
  // message_line = text (cut at 132 characters), then show_message.
  void show(std::string_view text);

  std::string message_line;             // the message being composed
  bool text_output_open = false;        // set and cleared by the output files of a run
  Text_output* text_output = nullptr;   // the output text file while text_output_open

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
  // Row indices of the current array, always zero-based (0..N-1): ca_perm[i - 1] is the row of
  // the dot in column i, i = 1..N; entries from N on are left over from earlier arrays.
  std::array<std::int32_t, MAX_ORDER_CAPACITY> ca_perm{};
  std::string ca_line;   // one line as read from a database file, then as written out
  std::string ca_tag;    // polymorph mark and names of the set method flags
};

// ---- Database files of one order ----

// The nine files of the order of a run, open from open_database_files until
// close_database_files. The methods files are opened only for the generated database.
struct Database_files {
  bool database_ready = false;     // open_database_files succeeded for the current run
  std::string folder;              // database_path + db_folder, as the names are formed
  Text_input essential, essential_methods;
  Text_input g_symmetrical, g_symmetrical_methods;
  Text_input log;
  Text_input symmetrical, symmetrical_methods;
  Text_input all_arrays, all_arrays_methods;
};

// Opens the files of order ca_order under database_path + db_folder and sets database_ready.
// A missing essential-set file prints the three "Database not found" lines; any other missing
// file of the order prints one line naming it; either way nothing stays open and
// database_ready is false.
void open_database_files(Database_files& db, const Options& options, Console& console);
// Discards the first line (two integers) of the all-arrays file and, for the generated
// database, of its methods file.
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
};

// The names derived from output_pathname by position: the last three characters replaced by
// "csv", then the last four replaced by "_methods.csv" or "_polynomials.csv".
std::string csv_file_name(std::string_view output_pathname);
std::string methods_csv_file_name(std::string_view output_pathname);
std::string polynomials_csv_file_name(std::string_view output_pathname);
// Opens the output files, appending unless output_position is REWIND; sets text_output_open.
// A failed open reports the file and its status text and asks "Continue?": N stops with code
// "2" for the text file and without a code for the CSV files; Y goes on without that file
// (without any file when the text file failed).
void open_output_files(Output_files& output, const Database_files& db, const Options& options,
                       const Dialogue& dialogue);
// Pushes the buffered lines of every open output file to the system (before each prompt), so
// that a stop while the program waits loses nothing; a failure is kept for the close.
void flush_output_files(Output_files& output);
// Closes the output files, reporting each that failed to take all its lines ("Error writing",
// its name and status text; write_failed is set), and clears text_output_open.
void close_output_files(Output_files& output, Console& console, Status_line& status_line);
