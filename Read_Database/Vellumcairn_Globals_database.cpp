// The database files of one order: opening them for a run (their names come from the
// database format), skipping the header of the all-arrays files, and closing.
#include "_Library/Console_io.hpp"
#include "_Library/Options_file.hpp"
#include "Read_Database/Vellumcairn_Globals.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

// Opens one file of a complete database; reports the missing file on one line.
bool open_required(Console& console, Text_input& file, const std::string& name) {
  const int status = file.open(name);
  if (status == status_ok) return true;
  console.line(free_form("Error opening ", name, ": ", iostat_message(status),
                         "; the database of this order is incomplete"));
  return false;
}

// Opens an arrays file and, for the generated database, its methods file.
bool open_pair(const Database_files& db, const Options& options, Console& console,
               Text_input& arrays, Text_input& methods, std::string_view kind) {
  const std::string name = database_file_name(db.folder, kind, options.ca_order);
  if (!open_required(console, arrays, name)) return false;
  return !options.db_has_methods || open_required(console, methods, methods_file_name(name));
}

}  // namespace

// The files are looked for under database_path + db_folder. A missing essential-set file prints
// the three "Database not found" lines; any other missing file prints one line naming it.
void open_database_files(Database_files& db, const Options& o, Console& console) {
  close_database_files(db);
  db.database_ready = false;
  // db_folder is the database's database_folder of an empty path: the path goes before it.
  db.folder = std::string(trim_right(o.database_path)) + o.db_folder;

  const std::string essential = database_file_name(db.folder, essential_kind, o.ca_order);
  if (const int status = db.essential.open(essential); status != status_ok) {
    console.line(free_form("Error opening ", essential));
    console.line(free_form("Database not found at ", db.folder, ", I/O error: ",
                           iostat_message(status)));
    console.line(free_form("Please check and correct path to data base files"));
    return;
  }
  // Every other file of the order must be there too: a run never guesses at a missing one.
  const bool complete =
      (!o.db_has_methods ||
       open_required(console, db.essential_methods, methods_file_name(essential))) &&
      open_pair(db, o, console, db.g_symmetrical, db.g_symmetrical_methods, g_symmetrical_kind) &&
      open_required(console, db.log,
                    database_file_name(db.folder, log_kind, o.ca_order)) &&
      open_pair(db, o, console, db.symmetrical, db.symmetrical_methods, symmetrical_kind) &&
      open_pair(db, o, console, db.all_arrays, db.all_arrays_methods, all_arrays_kind);
  if (!complete) {
    close_database_files(db);
    return;
  }
  db.database_ready = true;
}

void skip_all_arrays_header(Database_files& db, const Options& options) {
  // A header that cannot be read leaves the file where the arrays' reading meets the same
  // fault and reports it.
  std::string line;
  if (db.all_arrays.read_line(line) != status_ok) return;
  if (options.db_has_methods) static_cast<void>(db.all_arrays_methods.read_line(line));
}

void close_database_files(Database_files& db) {
  for (Text_input* file : db.files()) file->close();
}
