// The database format: the folders of the two databases, the names of an order's files, the
// end lines, the all-arrays header, the array line and methods line layouts and the log's key
// lines. The builder writes and the program reads the database through these functions only, so
// each layout exists once.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// ---- Folders and file names ----

// The two databases, each a folder of the database path: algebraic constructions with rows
// 1..N and methods files, and exhaustive search with rows 0..N-1.
constexpr std::string_view generated_folder = "Generated";
constexpr std::string_view searched_folder = "Searches";

// The folder of one database as the program composes its names: database_path without its
// trailing blanks, then folder ("Generated" or "Searches") and the separator "\\". With an empty
// path it is the folder relative to the database path ("Generated\\").
std::string database_folder(std::string_view database_path, std::string_view folder);

// The database folder (database_folder of database_path and either folder) that the file name
// lies in, links and ".." resolved; empty when it lies in neither. The database is read-only:
// nothing may be written there.
std::string database_folder_holding(std::string_view name, std::string_view database_path);

// The kinds of file of an order; the name of one is folder + kind + order + ".txt".
constexpr std::string_view essential_kind = "Costas_essense_N=";
constexpr std::string_view g_symmetrical_kind = "Costas_G-Symmetrical_N=";
constexpr std::string_view log_kind = "Costas_log_N=";
constexpr std::string_view symmetrical_kind = "Costas_symmetrical_N=";
constexpr std::string_view all_arrays_kind = "Sorted_Costas_arrays_N=";

// The name of database file kind ("Costas_essense_N=" and the like) of order n in folder D.
std::string database_file_name(std::string_view folder, std::string_view kind, std::int32_t n);
// The methods file that belongs to an arrays file: its name followed by "_methods.txt".
std::string methods_file_name(std::string_view arrays_file_name);

// What a database file name (without its folder) names: kind + 1 to 4 digits + ".txt", or the
// methods file of such a file (+ "_methods.txt").
struct Database_file_name {
  std::string_view kind;   // one of the five kinds above
  std::int32_t order = 0;
  bool methods = false;
};
// The parts of a database file name; nothing for any other name.
std::optional<Database_file_name> read_database_file_name(std::string_view name);

// ---- End lines: the only line of an arrays file that holds no array ----

constexpr std::string_view no_arrays_line = "No Costas arrays.";
constexpr std::string_view no_symmetrical_line = "No symmetrical Costas arrays.";
constexpr std::string_view no_g_symmetrical_line = "No G-symmetrical Costas arrays.";

// Whether line contains one of the three end lines.
bool is_end_line(std::string_view line);

// ---- The header of the all-arrays file and its methods file ----

// The free-form line of the order and the number of arrays ("   4  12").
std::string all_arrays_header(std::int32_t n, std::int64_t count);
// Reads a header line: two integers separated by blanks or commas; false for anything else.
bool read_all_arrays_header(std::string_view line, std::int32_t& n, std::int64_t& count);

// ---- Array lines ----

// The mark that opens the line of an array that is not the first of its class.
constexpr std::string_view polymorph_mark = "Polymorph:";

// Replaces line by an array line: "Polymorph: " when polymorph, then rows + base separated by
// single blanks ("1 2 4 3" one-based, "0 1 3 2" zero-based).
void write_array_line(std::string& line, std::span<const std::uint16_t> rows, int base,
                      bool polymorph);
// Whether a trimmed array line carries the polymorph mark; when it does, line becomes the text
// after its first blank, where the row indices start.
bool take_polymorph_mark(std::string_view& line);
// Whether c separates the row indices of a line: a blank, a comma or a tab.
constexpr bool is_row_separator(char c) { return c == ' ' || c == ',' || c == '\t'; }
// Reads n row indices (decimal, separated by blanks, commas or tabs) from text into
// rows[0..n-1], subtracting base so that they are zero-based; rows holds at least n. Returns an
// empty text, or what is wrong with the line: too few indices, a token that is no integer, or
// an index outside base..n-1+base.
std::string read_row_indices(std::string_view text, std::int32_t n, std::int32_t base,
                             std::span<std::int32_t> rows);

// ---- Methods lines: one per array, in step with the arrays file ----

// One blank and the flags as 8 upper-case hexadecimal digits (" 11000002").
std::string methods_line(std::uint32_t flags);
// Reads a methods line: one blank and exactly 8 hexadecimal digits (trailing blanks allowed).
bool read_method_flags(std::string_view line, std::uint32_t& flags);

// ---- The log file ----

// What the log's six key lines report.
struct Log_summary {
  std::int32_t order = 0;
  std::int64_t unique = 0;          // all arrays of the order
  std::int64_t essential = 0;       // classes (the essential set)
  std::int64_t symmetrical = 0;     // symmetrical classes
  std::int64_t g_classes = 0;       // classes with a G-symmetrical member
  std::int64_t unique_g = 0;        // G-symmetrical arrays
};

// The key phrases of the six lines, searched in this order; each is used without its trailing
// blanks.
extern const std::array<std::string_view, 6> log_summary_keys;

// The log's first lines: the order, the source (after "Source: "), then the five counts, each
// key line containing its key of log_summary_keys.
std::array<std::string, 7> log_summary_lines(const Log_summary& summary, std::string_view source);
// Whether line holds key k (0..5) of log_summary_keys.
bool is_log_summary_line(std::string_view line, std::size_t k);

// The mark that opens the log line of a generated order that holds only its constructed arrays
// where the count tables count every array of the order (orders below 28 built without the
// exhaustive search's results).
constexpr std::string_view constructions_only_mark = "Constructions only:";
// Whether a log line carries that mark.
bool is_constructions_only_line(std::string_view line);

// The log read line by line, as every reader of it reads it: its six key lines found in turn,
// and the "Constructions only:" line wherever it stands.
class Log_scan {
 public:
  enum class Line { other, key, constructions_only };
  // What the log line is (blanks around it aside); a key line is the next key in turn.
  Line take(std::string_view line);
  std::size_t keys_found() const { return keys_found_; }   // the last key line's index + 1
  bool all_keys_found() const { return keys_found_ == log_summary_keys.size(); }

 private:
  std::size_t keys_found_ = 0;
};

// Reads the number a key line reports (the order, or a count): its first integer; false when
// the line holds none.
bool read_log_summary_count(std::string_view line, std::int64_t& count);
