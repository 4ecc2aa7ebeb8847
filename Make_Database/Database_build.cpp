#include "Make_Database/Database_build.hpp"

#include <filesystem>

#include "Make_Database/Build_progress.hpp"
#include "Make_Database/Count_check.hpp"
#include "Make_Database/Costas_search.hpp"
#include "Make_Database/Database_writer.hpp"
#include "Make_Database/Generated_family.hpp"
#include "Make_Database/Method_families.hpp"
#include "Make_Database/Searched_classes.hpp"
#include "Make_Database/Search_units.hpp"
#include "_Library/Console_io.hpp"
#include "_Library/Database_format.hpp"

namespace {

class Builder {
 public:
  Builder(const Builder_options& options, Console& console, bool terminal)
      : options_(options), console_(console),
        progress_(console.err(), terminal, total_orders(), total_work()) {}

  Build_report run() {
    if (!options_.searched.empty()) build_searched();
    if (report_.failure.empty() && !options_.generated.empty()) build_generated();
    progress_.finish();
    report_.seconds = progress_.elapsed_seconds();
    return report_;
  }

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

  // Runs the checks of one order and writes it when they pass; false ends the build. log_notes
  // (generated part) say that the order holds only its constructed arrays. The counts come
  // from the classes, so a failed check leaves the files of the order as they were.
  bool finish_order(const std::string& folder, std::int32_t n, const Costas_class_set& classes,
                    bool generated, const std::string& source,
                    const std::vector<std::string>& log_notes = {}) {
    const Class_counts counts = classes.counts();
    const std::string all_file = database_file_name(folder, all_arrays_kind, n);
    std::string failure = identity_failure(n, counts);
    if (failure.empty() && options_.check_counts) failure = check_counts(n, generated, counts, !log_notes.empty());
    if (!failure.empty()) {
      report_.failure = all_file + " not written: " + failure;
      return false;
    }
    const auto result = write_order_files(folder, n, classes, generated, source, options_.jobs,
                                          log_notes);
    if (!result.failure.empty()) {
      report_.failure = result.failure;
      return false;
    }
    ++report_.orders;
    report_.arrays += result.counts.all;
    progress_.finish_order(result.counts.all);
    return true;
  }

  // The count check of an order about to be written: its line when it differs from the count
  // tables, and a failure for a difference of no documented reason.
  std::string check_counts(std::int32_t n, bool generated, const Class_counts& counts,
                           bool constructions_only) {
    const Count_standing standing = count_standing(n, generated, counts, constructions_only);
    report_.counts.add(standing);
    const std::string order = std::string(generated ? "Generated" : "Searched") + " order " + std::to_string(n);
    const std::string beside = built_and_table_counts(counts, expected_counts(n));
    switch (standing) {
      case Count_standing::matches: return {};
      case Count_standing::constructions_only:
        console_.line(order + ": constructions only, " + beside);
        return {};
      case Count_standing::search_only_missing:
        console_.line(order + ": " + beside + ": " + std::string(search_only_words));
        return {};
      case Count_standing::differs: break;
    }
    return "order " + std::to_string(n) + " differs from the count tables: " + beside;
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
      if (auto failure = searched_source(searched_out, n, searched); !failure.empty()) {
        report_.failure = failure;
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

  // Reads searched order n as the source of generated order n; a failure names the file and
  // what is wrong, a searched order that differs from the count tables (exhaustive up to order
  // 27) included.
  static std::string searched_source(const std::string& searched_out, std::int32_t n,
                                     Costas_class_set& searched) {
    const std::string refused = "generated order " + std::to_string(n) + " not written: searched order " +
                                std::to_string(n) + " ";
    if (auto failure = read_searched_classes(searched_out, n, searched); !failure.empty()) {
      return refused + "cannot be read: " + failure;
    }
    if (const Class_counts counts = searched.counts(); counts != expected_counts(n)) {
      return refused + "is incomplete or damaged: " + database_file_name(searched_out, all_arrays_kind, n) +
             " holds " + held_and_table_counts(counts, expected_counts(n));
    }
    return {};
  }

  static constexpr const char* constructions_source = "algebraic constructions";

  const Builder_options& options_;
  Console& console_;
  Build_progress progress_;
  Build_report report_;
};

}  // namespace

Build_report build_database(const Builder_options& options, Console& console, bool terminal) {
  return Builder(options, console, terminal).run();
}
