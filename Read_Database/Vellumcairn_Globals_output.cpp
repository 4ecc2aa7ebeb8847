// The output files of one run: names derived from output_pathname, opening (appending or
// overwriting), the reports and questions on failure, and closing.
#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

#include "_Library/Console_io.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Options_file.hpp"
#include "_Library/Pause_m.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

// Whether a name ends in a dot and three characters of its own (no folder separator among them).
bool has_three_letter_extension(std::string_view name) {
  return name.size() >= 4 && name[name.size() - 4] == '.' &&
         name.substr(name.size() - 3).find_first_of("/\\") == std::string_view::npos;
}

}  // namespace

// A name with a three-letter extension has it replaced by "csv"; any other name keeps all its
// characters and gets ".csv", so that "out" or "run.1" never lose characters to the CSV names.
std::string csv_file_name(std::string_view output_pathname) {
  const std::string_view p = trim_right(output_pathname);
  if (!has_three_letter_extension(p)) return std::string(p) + ".csv";
  return std::string(p.substr(0, p.size() - 3)) + "csv";
}

namespace {

std::string csv_name_with(std::string_view output_pathname, std::string_view ending) {
  const std::string csv = csv_file_name(output_pathname);
  return csv.substr(0, csv.size() >= 4 ? csv.size() - 4 : 0) + std::string(ending);
}

// Why an output file must not be opened for writing, with the status its report shows.
struct Refusal {
  int status;
  std::string reason;
};

constexpr int status_in_use = 203;        // "File already opened in another unit"
constexpr int status_read_only = EROFS;   // "read-only file system access"

// An output file is refused when it is the same file (whatever its spelling or links) as a
// database file this run reads, the options file, or an output file this run opened before
// it, and when it lies in the database's Generated or Searches folder: the database is
// read-only, and opening such a file would truncate or append to it.
std::optional<Refusal> output_refusal(const Output_files& output, const Database_files& db,
                                      const Options& options, const std::string& name) {
  if (const std::optional<File_identity> identity = file_identity(name)) {
    for (const Text_input* file : db.files()) {
      if (file->identity() == identity) {
        return Refusal{status_in_use, "It is the database file " + file->name() +
                                          ", which this run reads"};
      }
    }
    if (file_identity(options_file_name) == identity) {
      return Refusal{status_in_use, std::string("It is the options file ") + options_file_name +
                                        ", which this program keeps"};
    }
    const auto outputs = output.files();
    for (std::size_t i = 0; i < outputs.size(); ++i) {
      if (outputs[i]->identity() == identity) {
        return Refusal{status_in_use, "It is the " + std::string(output_file_kinds[i]) + " " +
                                          outputs[i]->name() + " of this run"};
      }
    }
  }
  if (const std::string folder =
          database_folder_holding(name, options.database_path);
      !folder.empty()) {
    return Refusal{status_read_only, "It lies in the database folder " + folder +
                                         ", which is read-only"};
  }
  return std::nullopt;
}

}  // namespace

std::string output_refusal_reason(const Database_files& db, const Options& options,
                                  const std::string& name) {
  const std::optional<Refusal> refusal = output_refusal(Output_files{}, db, options, name);
  return refusal ? refusal->reason : std::string();
}

namespace {

// What opening an output file came to: status_ok, the status of the refusal, or that of the
// failed open.
struct Open_outcome {
  int status;
  std::optional<Refusal> refusal;
};

// Refuses the output file name, or else opens file as name (appending unless REWIND); says
// nothing, so that each caller reports in its own words.
Open_outcome open_unless_refused(Output_files& output, const Database_files& db,
                                 const Options& options, Text_output& file,
                                 const std::string& name) {
  std::optional<Refusal> refusal = output_refusal(output, db, options, name);
  if (refusal) return {refusal->status, std::move(refusal)};
  return {file.open(name, run_position(options)), std::nullopt};
}

// Opens one CSV file; on failure or refusal reports, asks "Continue?" and ends the program
// on N.
void open_csv(Output_files& output, const Database_files& db, const Options& options,
              const Dialogue& dialogue, Text_output& file, const std::string& name,
              std::string_view failure) {
  const Open_outcome opened = open_unless_refused(output, db, options, file, name);
  const int status = opened.status;
  if (status == status_ok) return;
  dialogue.console.line(free_form(failure, status));
  dialogue.console.line(free_form("pathname: ", name));
  dialogue.console.line(free_form("I/O error: ", iostat_message(status)));
  if (opened.refusal) dialogue.console.line(free_form(opened.refusal->reason));
  if (!dialogue.pause.ask_yes_no("Continue?")) stop_with_code("");
}

}  // namespace

std::string methods_csv_file_name(std::string_view output_pathname) {
  return csv_name_with(output_pathname, "_methods.csv");
}

std::string polynomials_csv_file_name(std::string_view output_pathname) {
  return csv_name_with(output_pathname, "_polynomials.csv");
}

// A failed open reports the file and its status text and asks "Continue?": N stops with code
// "2" for the text file and without a code for the CSV files; Y goes on without that file
// (without any file when the text file failed).
void open_output_files(Output_files& output, const Database_files& db, const Options& options,
                       const Dialogue& dialogue) {
  Console& console = dialogue.console;
  const std::string pathname(trim_right(options.output_pathname));
  if (const Open_outcome opened =
          open_unless_refused(output, db, options, output.text, pathname);
      opened.status != status_ok) {
    console.line(free_form("### Could not open ", pathname));
    console.line(free_form(opened.refusal ? opened.refusal->reason
                                          : "I/O error: " + iostat_message(opened.status)));
    if (!dialogue.pause.ask_yes_no("Continue?")) stop_with_code("2");
    return;
  }
  console.line(free_form("Output file is ", pathname));
  open_csv(output, db, options, dialogue, output.csv, csv_file_name(pathname),
           "Output file opened but CSV file has open error");
  open_csv(output, db, options, dialogue, output.methods_csv, methods_csv_file_name(pathname),
           "Output file opened but CSV modethds file has open error");
  if (options.find_gf_polynomial) {
    open_csv(output, db, options, dialogue, output.polynomials_csv,
             polynomials_csv_file_name(pathname),
             "Output file opened but polynomial file has open error");
  }
}

// Called before each prompt, so that a stop while the program waits loses nothing.
void flush_output_files(Output_files& output) {
  for (Text_output* file : output.files()) {
    // A failed flush stays the file's status, which its close reports.
    if (file->is_open()) static_cast<void>(file->flush());
  }
}

void close_output_files(Output_files& output, Console& console) {
  for (Text_output* file : output.files()) {
    if (!file->is_open()) continue;
    // A full disk shows only here, when the buffered lines reach the file.
    if (const int status = file->close(); status != status_ok) {
      console.line(free_form("Error writing ", file->name(), ": ", iostat_message(status)));
      output.write_failed = true;
    }
  }
}
