#include "Make_Database/Database_verifier.hpp"

#include <filesystem>
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
  return parts && parts->order >= 1 && parts->order <= max_generated_order ? parts->order : 0;
}

std::set<std::int32_t> orders_in(const fs::path& folder) {
  std::set<std::int32_t> orders;
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(folder, error)) {
    if (const auto n = order_of_file(entry.path().filename().string()); n > 0) orders.insert(n);
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

std::vector<Order_to_verify> orders_to_verify(const Builder_options& options) {
  std::vector<Order_to_verify> orders;
  const bool scan = options.searched.empty() && options.generated.empty();
  for (const bool generated : {false, true}) {
    const fs::path folder = fs::path(options.verify) / (generated ? generated_folder : searched_folder);
    const std::string prefix = folder.string() + "/";
    const Order_range range = generated ? options.generated : options.searched;
    std::set<std::int32_t> numbers;
    if (scan) {
      numbers = orders_in(folder);
    } else {
      for (auto n = range.from; n <= range.to; ++n) numbers.insert(n);
    }
    for (const auto n : numbers) orders.push_back({generated, n, prefix, order_bytes(prefix, n, generated)});
  }
  return orders;
}

// The tally of the count check over all orders.
struct Count_check {
  int matching = 0, constructions_only = 0, search_only_missing = 0, differing = 0;
};

// Compares an order's counts with the count tables: the words for its summary line; a
// difference that is neither "constructions only" nor generated search_only_arrays_order is a
// problem line.
std::string check_counts(const Order_to_verify& order, Order_verdict& verdict, Count_check& tally,
                         std::string& problem_line) {
  const Class_counts expected = expected_counts(order.n);
  if (verdict.counts == expected) {
    ++tally.matching;
    return "; matches the count tables";
  }
  const std::string held = counts_text(verdict.counts) + " where the count tables list " +
                           counts_text(expected) + " " + std::string(counts_legend);
  if (verdict.constructions_only) {
    ++tally.constructions_only;
    return "; constructions only: " + held;
  }
  if (order.generated && order.n == search_only_arrays_order) {
    ++tally.search_only_missing;
    return "; " + held + ": the tables also count the arrays only the exhaustive search finds";
  }
  ++tally.differing;
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
  const auto orders = orders_to_verify(options);
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
  std::int64_t problems = 0;
  Count_check count_check;
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
                (verdict.problems == 0 ? std::string("well") : std::to_string(verdict.problems) +
                                                                  (verdict.problems == 1 ? " problem" : " problems")) +
                counts_words);
    problems += verdict.problems;
    orders_with_problems += verdict.problems > 0 ? 1 : 0;
  }
  progress.finish();
  console.line("Verified " + std::to_string(orders.size()) + " orders of " + options.verify + ": " +
               (problems == 0 ? std::string("all well")
                              : std::to_string(orders_with_problems) + " with problems, " +
                                    std::to_string(problems) + (problems == 1 ? " problem" : " problems")));
  if (options.check_counts) {
    console.line("Count check: " + std::to_string(count_check.matching) +
                 " orders match the count tables, " + std::to_string(count_check.constructions_only) +
                 " hold constructions only, " + std::to_string(count_check.search_only_missing) +
                 " lack the arrays only the search finds (generated " +
                 std::to_string(search_only_arrays_order) + "), " +
                 std::to_string(count_check.differing) + " differ");
  }
  return problems == 0 ? 0 : 1;
}
