#include "Make_Database/Make_database_run.hpp"

#include <filesystem>
#include <ostream>

#include "Make_Database/Builder_options.hpp"
#include "Make_Database/Count_check.hpp"
#include "Make_Database/Database_build.hpp"
#include "Make_Database/Database_verifier.hpp"
#include "Make_Database/Search_unit_commands.hpp"
#include "_Library/Console_io.hpp"
#include "_Library/Database_format.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Options_file.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/iostat_table.hpp"

namespace {

// Why the program would refuse or misread database_path in its options file; empty when it
// would not: the file names follow the path directly, the line keeps a bounded number of
// characters, and the path names the database folder, not one of its two parts.
std::string options_path_problem(const std::string& database_path) {
  const char last = database_path.back();
  if (last != '/' && last != '\\') {
    return "it does not end with a separator (/ or \\), and the program puts the names of its folders right after it";
  }
  if (const std::size_t longest = options_path_columns - 3; database_path.size() > longest) {
    return "it has " + std::to_string(database_path.size()) + " characters, and the options file keeps " +
           std::to_string(longest) + " at most";
  }
  const std::string folder = std::filesystem::path(native_path(database_path)).parent_path().filename().string();
  for (const std::string_view part : {generated_folder, searched_folder}) {
    if (folder == part) {
      return "it names the database's own " + std::string(part) +
             " folder; give the database folder that holds it";
    }
  }
  return {};
}

// Writes Vellumcairn_Options.txt in the working folder for the database at database_path:
// the defaults with the generated database, order 12 and the first field order above it.
// Nothing is asked: a failure is one line on the error stream.
bool write_options_for(const std::string& database_path, Console& console) {
  Options o;
  o.database_path = database_path;
  o.output_pathname = default_output_pathname;
  o.use_search_db = false;
  o.ca_order = 12;
  o.gf_order = next_prime_power(o.ca_order + 1);
  // The database is read-only: the options file never goes into one of its folders.
  if (const std::string folder = database_folder_holding(options_file_name, database_path);
      !folder.empty()) {
    console.err() << "make_database: " << options_file_name << " lies in the database folder "
                  << folder << ", which is read-only\n";
    return false;
  }
  // Opening a FIFO for writing waits for a reader: a FIFO, a device or a socket is refused here
  // (a folder, which the open refuses at once, is reported by the write).
  if (const std::string kind = irregular_file_kind(options_file_name); !kind.empty() && kind != "a folder") {
    console.err() << "make_database: cannot write " << options_file_name << ": it is " << kind
                  << ", not a regular file\n";
    return false;
  }
  const Options_file_status written = write_options_file(o, options_file_name);
  if (const int status = written.open != status_ok ? written.open : written.write;
      status != status_ok) {
    console.err() << "make_database: cannot write " << options_file_name << ": "
                  << iostat_message(status) << '\n';
    return false;
  }
  console.line(std::string("Wrote ") + options_file_name + " with database path " + database_path);
  return true;
}

}  // namespace

int run_make_database(const std::vector<std::string>& args, Console& console, bool terminal) {
  Builder_options options;
  if (const std::string error = parse_builder_options(args, options); !error.empty()) {
    console.err() << "make_database: " << error << "\nTry 'make_database --help'.\n";
    return 2;
  }
  if (options.help) {
    console.write(builder_help_text());
    return 0;
  }
  if (options.version) {
    console.line(builder_version_text());
    return 0;
  }
  if (!options.verify.empty()) return verify_database(options, console, terminal);
  // A database path the program cannot use is refused before anything is built or written.
  if (const std::string& path = options.options_database_path; !path.empty()) {
    if (const std::string problem = options_path_problem(path); !problem.empty()) {
      console.err() << "make_database: --write-options " << path << ": " << problem << '\n';
      return 1;
    }
  }
  switch (options.units_command) {
    using enum Builder_options::Units_command;
    case unit: return run_search_unit(options, console);
    case merge: return merge_search_units(options, console);
    case status: return report_search_units(options, console);
    case none: break;
  }
  if (!options.out.empty()) {
    const Build_report report = build_database(options, console, terminal);
    if (!report.failure.empty()) {
      console.err() << "make_database: " << report.failure << '\n';
      return 1;
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", report.seconds);
    console.line("Wrote " + counted(report.orders, "order", "orders") + ", " +
                 counted(report.arrays, "array", "arrays") + ", into " + options.out + " in " + seconds + " s");
    if (options.check_counts) console.line(count_tally_line(report.counts));
  }
  if (!options.options_database_path.empty() &&
      !write_options_for(options.options_database_path, console)) {
    return 1;
  }
  return 0;
}
