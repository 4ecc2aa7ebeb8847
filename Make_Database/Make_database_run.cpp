#include "Make_Database/Make_database_run.hpp"

#include <filesystem>
#include <ostream>

#include "Make_Database/Build_progress.hpp"
#include "_Library/Console_io.hpp"
#include "Make_Database/Costas_search.hpp"
#include "_Library/Database_format.hpp"
#include "Make_Database/Database_verifier.hpp"
#include "Make_Database/Database_writer.hpp"
#include "Make_Database/Generated_family.hpp"
#include "Make_Database/Method_families.hpp"
#include "Make_Database/Searched_classes.hpp"
#include "Make_Database/Search_units.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Options_file.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Count_tables.hpp"
#include "_Library/iostat_table.hpp"

namespace {

// What a build has seen: failures end it; count differences are only reported.
struct Build_report {
  int orders = 0;
  std::int64_t arrays = 0;
  int matching = 0;
  int differing = 0;
  int constructions_only = 0;   // generated orders below 28 without the search's arrays
  std::string failure;
};

class Builder {
 public:
  Builder(const Builder_options& options, Console& console, bool terminal)
      : options_(options), console_(console),
        progress_(console.err(), terminal, total_orders(), total_work()) {}

  Build_report run() {
    if (!options_.searched.empty()) build_searched();
    if (report_.failure.empty() && !options_.generated.empty()) build_generated();
    progress_.finish();
    return report_;
  }
  double seconds() const { return progress_.elapsed_seconds(); }

 private:
  int total_orders() const {
    return std::max(0, options_.searched.to - options_.searched.from + 1) +
           std::max(0, options_.generated.to - options_.generated.from + 1);
  }
  double total_work() const {
    double work = 0;
    for (auto n = options_.searched.from; n <= options_.searched.to; ++n) work += search_work(n, options_.jobs);
    for (auto n = options_.generated.from; n <= options_.generated.to; ++n) work += generation_work(n);
    return work;
  }

  std::string folder(std::string_view part) {
    std::filesystem::path path = std::filesystem::path(options_.out) / part;
    std::error_code error;
    std::filesystem::create_directories(path, error);
    if (error) report_.failure = "cannot create folder " + path.string() + ": " + error.message();
    return path.string() + "/";
  }

  // Writes one order and runs the checks; false ends the build. log_notes (generated part)
  // say that the order holds only its constructed arrays.
  bool finish_order(const std::string& folder, std::int32_t n, const Costas_class_set& classes,
                    bool generated, const std::string& source,
                    const std::vector<std::string>& log_notes = {}) {
    const auto result = write_order_files(folder, n, classes, generated, source, options_.jobs,
                                          log_notes);
    if (!result.failure.empty()) {
      report_.failure = result.failure;
      return false;
    }
    if (const auto failure = identity_failure(n, result.counts); !failure.empty()) {
      report_.failure = failure;
      return false;
    }
    ++report_.orders;
    report_.arrays += result.counts.all;
    progress_.finish_order(result.counts.all);
    if (options_.check_counts) {
      const std::string difference = count_difference(n, result.counts);
      if (difference.empty()) {
        ++report_.matching;
      } else if (!log_notes.empty() && within_count_tables(n, result.counts)) {
        ++report_.constructions_only;
        console_.line("Generated order " + std::to_string(n) + ": constructions only, " +
                      built_and_table_counts(result.counts, expected_counts(n)));
      } else {
        ++report_.differing;
        console_.line(std::string(generated ? "Generated" : "Searched") + " " + difference);
      }
    }
    return true;
  }

  void build_searched() {
    const std::string out = folder(searched_folder);
    for (auto n = options_.searched.from; n <= options_.searched.to && report_.failure.empty(); ++n) {
      progress_.start_order("searched", n, search_work(n, options_.jobs));
      Costas_class_set classes;
      {
        const auto arrays = search_costas_arrays(
            n, options_.jobs, [this](double fraction) { progress_.update(fraction * 0.9); });
        for (const auto& a : arrays) classes.add(a, 0);
      }
      if (!finish_order(out, n, classes, false, "exhaustive search")) return;
    }
  }

  void build_generated() {
    const std::string out = folder(generated_folder);
    if (!report_.failure.empty()) return;
    Generated_family family;
    progress_.start_order("generated", options_.generated.from, generation_work(options_.generated.from));
    family.build(options_.generated.from, options_.generated.to,
                 [&](std::int32_t n, const Costas_class_set& classes) {
                   progress_.start_order("generated", n, generation_work(n));
                   return finish_generated_order(out, n, classes);
                 });
  }

  // Orders 2-27 take every array of the search when its results are at hand: order 2 is
  // searched here, orders 3-27 are read from a complete searched order in the output folder
  // (built by this command or before it). Without them the order holds its constructions and
  // says so.
  bool finish_generated_order(const std::string& out, std::int32_t n,
                              const Costas_class_set& constructed) {
    if (n > max_exhaustive_order) {
      return finish_order(out, n, constructed, true, constructions_source);
    }
    const std::string searched_out =
        (std::filesystem::path(options_.out) / searched_folder).string() + "/";
    Costas_class_set searched;
    if (n < min_searched_order) {
      for (const auto& a : search_costas_arrays(n, options_.jobs, {})) searched.add(a, 0);
    } else if (searched_order_complete(searched_out, n)) {
      if (auto failure = read_searched_classes(searched_out, n, searched); !failure.empty()) {
        report_.failure = "searched order " + std::to_string(n) + " cannot be read: " + failure;
        return false;
      }
    } else {
      const auto note = constructions_only_note(n, constructed.counts());
      if (!note.empty()) {
        progress_.note("make_database: generated order " + std::to_string(n) + " " + note.holds +
                       " " + note.how);
      }
      return finish_order(out, n, constructed, true, constructions_source, note.log_lines());
    }
    // A class of the search that the constructions lack is one no family yields: bit 0.
    Costas_class_set merged = constructed;
    merged.add_missing(searched, generation_method::search);
    return finish_order(out, n, merged, true, "algebraic constructions and exhaustive search");
  }

  static constexpr const char* constructions_source = "algebraic constructions";

  const Builder_options& options_;
  Console& console_;
  Build_progress progress_;
  Build_report report_;
};

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

std::string counts_text(const Class_counts& c) {
  return std::to_string(c.all) + "/" + std::to_string(c.essential) + "/" +
         std::to_string(c.symmetrical) + "/" + std::to_string(c.g_symmetrical);
}

Class_counts expected_counts(std::int32_t n) {
  const Order_counts table = database_counts(n);
  return {table.all, table.essential, table.symmetrical, table.g_symmetrical};
}

std::string built_and_table_counts(const Class_counts& counts, const Class_counts& expected) {
  return "built " + counts_text(counts) + ", count tables " + counts_text(expected) + " " +
         std::string(counts_legend);
}

std::string count_difference(std::int32_t n, const Class_counts& counts) {
  const Class_counts expected = expected_counts(n);
  if (counts == expected) return {};
  return "order " + std::to_string(n) + ": " + built_and_table_counts(counts, expected);
}

bool within_count_tables(std::int32_t n, const Class_counts& c) {
  const Class_counts t = expected_counts(n);
  return c.all <= t.all && c.essential <= t.essential && c.symmetrical <= t.symmetrical &&
         c.g_symmetrical <= t.g_symmetrical;
}

std::string identity_failure(std::int32_t n, const Class_counts& c) {
  if (n < 3 || c.all == 8 * c.essential - 4 * c.symmetrical) return {};
  return "order " + std::to_string(n) + ": " + std::to_string(c.all) +
         " arrays break all = 8 * essential - 4 * symmetrical (" + counts_text(c) + ")";
}

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
  switch (options.units_command) {
    using enum Builder_options::Units_command;
    case unit: return run_search_unit(options, console);
    case merge: return merge_search_units(options, console);
    case status: return report_search_units(options, console);
    case none: break;
  }
  if (!options.out.empty()) {
    Builder builder(options, console, terminal);
    const Build_report report = builder.run();
    if (!report.failure.empty()) {
      console.err() << "make_database: " << report.failure << '\n';
      return 1;
    }
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f", builder.seconds());
    console.line("Wrote " + std::to_string(report.orders) + " orders, " +
                 std::to_string(report.arrays) + " arrays, into " + options.out + " in " + seconds + " s");
    if (options.check_counts) {
      console.line("Count check: " + std::to_string(report.matching) +
                   " orders match the count tables, " + std::to_string(report.differing) +
                   " differ" +
                   (report.constructions_only > 0
                        ? ", " + std::to_string(report.constructions_only) + " constructions only"
                        : std::string()));
    }
  }
  if (!options.options_database_path.empty() &&
      !write_options_for(options.options_database_path, console)) {
    return 1;
  }
  return 0;
}
