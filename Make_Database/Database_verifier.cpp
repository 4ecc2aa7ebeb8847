#include "Make_Database/Database_verifier.hpp"

#include <filesystem>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <vector>

#include "Make_Database/Build_progress.hpp"
#include "Make_Database/Count_check.hpp"
#include "Make_Database/Method_families.hpp"
#include "Make_Database/Order_verifier.hpp"
#include "_Library/Console_io.hpp"
#include "_Library/Count_tables.hpp"
#include "_Library/Database_format.hpp"

namespace {

namespace fs = std::filesystem;

constexpr std::string_view all_kinds[] = {all_arrays_kind, essential_kind, symmetrical_kind,
                                          g_symmetrical_kind, log_kind};

struct Order_to_verify {
  bool generated;
  std::int32_t n;
  std::string folder;     // ends with a separator
  std::int64_t bytes;     // of the files present
};

// The order a database file name belongs to (any kind, its file or its methods file), or 0.
std::int32_t order_of_file(std::string_view name) {
  const auto parts = read_database_file_name(name);
  return parts ? parts->order : 0;
}

// The orders of the database files in folder; the orders beyond those the count tables know
// go to unknown, one file of each named.
std::set<std::int32_t> orders_in(const fs::path& folder, std::map<std::int32_t, std::string>& unknown) {
  std::set<std::int32_t> orders;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    const std::int32_t n = order_of_file(entry.path().filename().string());
    if (n >= 1 && n <= max_generated_order) {
      orders.insert(n);
    } else if (n > max_generated_order) {
      unknown.try_emplace(n, entry.path().string());
    }
  }
  return orders;
}

std::int64_t order_bytes(const std::string& folder, std::int32_t n, bool generated) {
  std::int64_t bytes = 0;
  const auto add = [&bytes](const std::string& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (!error) bytes += static_cast<std::int64_t>(size);
  };
  for (const std::string_view kind : all_kinds) {
    const std::string name = database_file_name(folder, kind, n);
    add(name);
    if (generated && kind != log_kind) add(methods_file_name(name));
  }
  return bytes;
}

// The orders of the ranges given, else of every database file found; the files of orders
// beyond those known go to unknown.
std::vector<Order_to_verify> orders_to_verify(const Builder_options& options,
                                              std::map<std::int32_t, std::string>& unknown) {
  std::vector<Order_to_verify> orders;
  const bool scan = options.searched.empty() && options.generated.empty();
  for (const bool generated : {false, true}) {
    const fs::path folder = fs::path(options.verify) / (generated ? generated_folder : searched_folder);
    const std::string prefix = folder.string() + "/";
    const Order_range range = generated ? options.generated : options.searched;
    std::set<std::int32_t> numbers;
    if (scan) {
      numbers = orders_in(folder, unknown);
    } else {
      for (auto n = range.from; n <= range.to; ++n) numbers.insert(n);
    }
    for (const auto n : numbers) orders.push_back({generated, n, prefix, order_bytes(prefix, n, generated)});
  }
  return orders;
}

// Compares an order's counts with the count tables: the words for its summary line; a
// difference of no documented reason is a problem line.
std::string check_counts(const Order_to_verify& order, Order_verdict& verdict, Count_tally& tally,
                         std::string& problem_line) {
  const Class_counts expected = expected_counts(order.n);
  const Count_standing standing =
      count_standing(order.n, order.generated, verdict.counts, verdict.constructions_only);
  tally.add(standing);
  const std::string held = held_and_table_counts(verdict.counts, expected);
  switch (standing) {
    case Count_standing::matches: return "; matches the count tables";
    case Count_standing::constructions_only: return "; constructions only: " + held;
    case Count_standing::search_only_missing: return "; " + held + ": " + std::string(search_only_words);
    case Count_standing::differs: break;
  }
  ++verdict.problems;
  problem_line = database_file_name(order.folder, all_arrays_kind, order.n) + ": the files hold " + held;
  return {};
}

}  // namespace

int verify_database(const Builder_options& options, Console& console, bool terminal) {
  std::error_code error;
  if (!fs::is_directory(options.verify, error)) {
    console.err() << "make_database: --verify " << options.verify << ": no such folder\n";
    return 2;
  }
  std::map<std::int32_t, std::string> unknown;
  const auto orders = orders_to_verify(options, unknown);
  for (const auto& [n, file] : unknown) {
    console.line(file + ": order " + std::to_string(n) + " lies beyond the orders 1-" +
                 std::to_string(max_generated_order) + " this verifier knows: not verified");
  }
  if (orders.empty()) {
    console.line("No database files in " + options.verify + "/" + std::string(searched_folder) +
                 " or " + options.verify + "/" + std::string(generated_folder));
    return 1;
  }
  std::int64_t total_bytes = 0;
  for (const auto& order : orders) total_bytes += order.bytes;
  Build_progress progress(console.err(), terminal, static_cast<int>(orders.size()),
                          static_cast<double>(total_bytes));
  // On a terminal the bar's line is cleared before a line of the report goes out.
  const auto report_line = [&](std::string_view text) {
    progress.clear_line();
    console.line(text);
    if (terminal) console.flush();
  };
  Method_families families;   // the families of each generated order, with --check-methods
  int orders_with_problems = 0;
  // An order beyond those known is a problem of its own.
  std::int64_t problems = static_cast<std::int64_t>(unknown.size());
  Count_tally count_check;
  for (const auto& order : orders) {
    const char* part = order.generated ? "generated" : "searched";
    progress.start_order(part, order.n, static_cast<double>(order.bytes));
    const double order_size = static_cast<double>(std::max<std::int64_t>(order.bytes, 1));
    const Verifier_output output{report_line, [&](std::int64_t bytes) {
                                   progress.update(std::min(1.0, static_cast<double>(bytes) / order_size));
                                 }};
    std::optional<Family_yields> yields;
    if (options.check_methods && order.generated) {
      yields = families.yields(order.n);
      families.forget_below(order.n);
    }
    Order_verdict verdict = verify_order(order.folder, order.n, order.generated, output,
                                         yields ? &*yields : nullptr);
    std::string counts_words;
    if (options.check_counts && verdict.complete) {
      std::string problem_line;
      counts_words = check_counts(order, verdict, count_check, problem_line);
      if (!problem_line.empty()) report_line(problem_line);
    }
    progress.finish_order(verdict.counts.all);
    const Class_counts& c = verdict.counts;
    report_line(std::string(order.generated ? "Generated" : "Searched") + " order " +
                std::to_string(order.n) + ": " + std::to_string(c.all) + " arrays, " +
                std::to_string(c.essential) + " essential, " + std::to_string(c.symmetrical) +
                " symmetrical, " + std::to_string(c.g_symmetrical) + " G-symmetrical; " +
                (verdict.problems == 0 ? std::string("well") : counted(verdict.problems, "problem", "problems")) +
                counts_words);
    problems += verdict.problems;
    orders_with_problems += verdict.problems > 0 ? 1 : 0;
  }
  progress.finish();
  console.line("Verified " + counted(static_cast<std::int64_t>(orders.size()), "order", "orders") + " of " +
               options.verify + ": " +
               (problems == 0 ? std::string("all well")
                              : std::to_string(orders_with_problems) + " with problems, " +
                                    counted(problems, "problem", "problems") +
                                    (unknown.empty() ? "" : ", " + counted(static_cast<std::int64_t>(unknown.size()),
                                                                          "order", "orders") + " not known")));
  if (options.check_counts) console.line(count_tally_line(count_check));
  return problems == 0 ? 0 : 1;
}
