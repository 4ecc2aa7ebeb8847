#include "Make_Database/Builder_options.hpp"

#include "_Library/Text_layout.hpp"

namespace {

// "FROM-TO" or a single order "N", inside min..max.
std::string parse_range(std::string_view name, std::string_view text, std::int32_t min,
                        std::int32_t max, Order_range& range) {
  const auto dash = text.find('-');
  const std::string_view first = text.substr(0, dash);
  const std::string_view second = dash == std::string_view::npos ? first : text.substr(dash + 1);
  if (!parse_whole(first, range.from) || !parse_whole(second, range.to)) {
    return std::string(name) + " needs FROM-TO or one order, not '" + std::string(text) + "'";
  }
  if (range.from < min || range.to > max || range.from > range.to) {
    return std::string(name) + " " + std::string(text) + ": orders must run upwards within " +
           std::to_string(min) + "-" + std::to_string(max);
  }
  return {};
}

// --unit k/K (1 <= k <= K), --merge K or --status K; one of them at most.
std::string parse_units(const std::string& name, const std::string& value, Builder_options& options) {
  using Command = Builder_options::Units_command;
  if (options.units_command != Command::none) return "--unit, --merge and --status go alone";
  const auto slash = value.find('/');
  const bool unit = name == "--unit";
  if (unit != (slash != std::string::npos) ||
      !parse_whole(std::string_view(value).substr(unit ? slash + 1 : 0), options.units) ||
      (unit && !parse_whole(std::string_view(value).substr(0, slash), options.unit)) ||
      options.units < 1 || options.units > max_search_units ||
      (unit && (options.unit < 1 || options.unit > options.units))) {
    return name + (unit ? " needs k/K with 1 <= k <= K <= " : " needs a number of units 1-") +
           std::to_string(max_search_units) + ", not '" + value + "'";
  }
  options.units_command = unit ? Command::unit : name == "--merge" ? Command::merge : Command::status;
  return {};
}

}  // namespace

namespace {

bool takes_value(const std::string& name) {
  return name == "--out" || name == "--searched" || name == "--generated" || name == "--jobs" ||
         name == "--write-options" || name == "--verify" || name == "--unit" ||
         name == "--merge" || name == "--status";
}

// Applies one option with its value; returns an empty text or the message.
std::string apply_option(const std::string& name, const std::string& value,
                         Builder_options& options, bool& ranges_given) {
  if (name == "--help" || name == "-h") {
    options.help = true;
  } else if (name == "--version") {
    options.version = true;
  } else if (name == "--check-counts") {
    options.check_counts = true;
  } else if (name == "--check-methods") {
    options.check_methods = true;
  } else if (name == "--out") {
    if (value.empty()) return "--out needs a folder name";
    options.out = value;
  } else if (name == "--searched" || name == "--generated") {
    ranges_given = true;
    return name == "--searched"
               ? parse_range(name, value, min_searched_order, max_searched_order, options.searched)
               : parse_range(name, value, min_generated_order, max_generated_order, options.generated);
  } else if (name == "--jobs") {
    std::int32_t jobs = 0;
    if (!parse_whole(value, jobs) || jobs < 1 || jobs > 256) return "--jobs needs a number 1-256";
    options.jobs = jobs;
    options.jobs_given = true;
  } else if (name == "--unit" || name == "--merge" || name == "--status") {
    return parse_units(name, value, options);
  } else if (name == "--verify") {
    if (value.empty()) return "--verify needs a folder name";
    options.verify = value;
  } else if (name == "--write-options") {
    if (value.empty()) return "--write-options needs a database path";
    options.options_database_path = value;
  }
  return {};
}

}  // namespace

std::string parse_builder_options(const std::vector<std::string>& args, Builder_options& options) {
  bool ranges_given = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string name = args[i];
    std::string value;
    const auto eq = name.find('=');
    const bool inline_value = name.starts_with("--") && eq != std::string::npos;
    if (inline_value) {
      value = name.substr(eq + 1);
      name = name.substr(0, eq);
    }
    const bool flag = name == "--help" || name == "-h" || name == "--version" || name == "--check-counts" ||
                      name == "--check-methods";
    if (!flag && !takes_value(name)) return "unknown argument '" + args[i] + "'";
    if (flag && inline_value) return name + " takes no value";
    if (takes_value(name) && !inline_value) {
      if (i + 1 >= args.size()) return name + " needs a value";
      value = args[++i];
    }
    if (const std::string error = apply_option(name, value, options, ranges_given); !error.empty()) {
      return error;
    }
  }
  if (options.help || options.version) return {};
  if (!options.verify.empty()) {
    if (!options.out.empty() || !options.options_database_path.empty() || options.jobs_given ||
        options.units_command != Builder_options::Units_command::none) {
      return "--verify only reads: it takes no --out, --write-options, --jobs, --unit, --merge or --status";
    }
    return {};
  }
  if (options.check_methods) return "--check-methods goes with --verify DIR";
  if (options.units_command != Builder_options::Units_command::none &&
      (options.out.empty() || options.searched.empty() || options.searched.from != options.searched.to ||
       !options.generated.empty() || !options.options_database_path.empty())) {
    return "--unit, --merge and --status need --out DIR and one order --searched N, and nothing else";
  }
  if (options.out.empty()) {
    if (options.options_database_path.empty()) return "--out DIR is required";
    if (ranges_given) return "--searched and --generated need --out DIR";
  } else if (!ranges_given) {
    options.searched = sample_searched;
    options.generated = sample_generated;
  }
  return {};
}

std::string builder_help_text() {
  return R"(Usage: make_database --out DIR [--searched FROM-TO] [--generated FROM-TO] [--jobs N]
                     [--check-counts] [--write-options DATABASE_PATH]
       make_database --out DIR --searched N (--unit k/K | --merge K | --status K) [--jobs N]
       make_database --verify DIR [--searched FROM-TO] [--generated FROM-TO] [--check-counts]
                     [--check-methods]

Builds a database of Costas arrays in the folder layout and file formats that vellumcairn
reads: DIR/Searches/ (exhaustive search, rows 0..N-1) and DIR/Generated/ (algebraic
constructions, rows 1..N, with methods files). Each order gets its all-arrays, essential-set,
symmetrical and G-symmetrical arrays files and a log file.

  --out DIR              database folder (created when absent)
  --searched FROM-TO     orders 3-27 to find by exhaustive search (or one order N)
  --generated FROM-TO    orders 2-500 to make by the Welch, Golomb, Lempel, Taylor and Rickard
                         constructions, closed under corner changes and the 8 transforms
                         With neither range, DIR gets the sample: searched 3-12, generated 2-60.
  --jobs N               threads for the exhaustive search (default 2)
  --check-counts         compare the counts of every order with the program's count tables
                         before it is written and report each difference; one of no
                         documented reason stops the build with status 1
  --write-options PATH   write Vellumcairn_Options.txt in the working folder, pointing at the
                         database folder PATH (which must end with a separator), generated
                         database, order 12; with --out, after the database is built
  --verify DIR           check the database in DIR and write nothing: every file of each order
                         (of the ranges given, else every order found) present and well formed,
                         every array a Costas array, the files consistent with the essential set
                         and the log; with --check-counts also against the count tables. One
                         line per problem, one per order; exit status 1 when any problem is found
  --check-methods        with --verify: make the construction families of each generated order
                         again and name every array whose method bit no family of that bit
                         yields at its order, or whose class a lower bit's family yields too
  --unit k/K             search unit k of K (1-100000) of order N (a fixed share of its
                         branches) into DIR/Searches/.units/N/K/; a complete unit is not searched
                         again, nor a unit another run is searching. --jobs defaults to the
                         CPUs a Slurm job grants, else the machine's
  --merge K              check units 1..K of order N and write the order from them (then remove
                         them); names each missing, damaged or differently planned unit, or
                         counts short of the count tables, and writes nothing then
  --status K             units of order N done and missing, arrays and processor time so far,
                         and an estimate of the time left
  --help, --version

Every check runs before the files of an order are renamed into place, and every file is
written under a temporary name and renamed when complete. Exit status: 0 when
every file was written completely, 1 when a file could not be written or a check failed,
2 for bad arguments.
)";
}

std::string builder_version_text() { return "make_database (Vellumcairn) 1.0"; }
