#include "Make_Database/Database_writer.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <cstdio>
#include <optional>
#include <thread>
#include <vector>

#include "_Library/Database_format.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Costas_arrays/method_bitmask.hpp"
#include "_Library/Text_layout.hpp"
#include "_Library/iostat_table.hpp"

namespace {

std::uint32_t member_flags(int method, const Class_member& member) {
  std::uint32_t flags = std::uint32_t{1} << method;
  flags |= transform_flag_bits(member.t);
  if (is_symmetrical(member.perm)) flags |= std::uint32_t{1} << 28;
  if (is_g_symmetrical(member.perm)) flags |= std::uint32_t{1} << 29;
  return flags;
}

// One arrays file and, in the generated part, its methods file, written in step.
struct Arrays_pair {
  Arrays_pair(const std::string& name, bool generated)
      : arrays(name), methods(generated ? std::optional<Staged_file>(std::in_place, methods_file_name(name))
                                        : std::nullopt),
        base(generated ? 1 : 0) {}

  void header(std::int32_t n, std::int64_t count) {
    const std::string line = all_arrays_header(n, count);
    arrays.line(line);
    if (methods) methods->line(line);
  }
  void array(const Class_member& member, int method, bool polymorph) {
    write_array_line(buffer, member.perm, base, polymorph);
    arrays.line(buffer);
    if (methods) methods->line(methods_line(member_flags(method, member)));
    ++count;
  }
  void end_line_if_empty(std::string_view end_line) {
    if (count == 0) arrays.line(end_line);
  }
  std::string finish() {
    std::string failure = arrays.finish();
    if (methods && failure.empty()) failure = methods->finish();
    return failure;
  }
  std::string commit() {
    std::string failure = arrays.commit();
    if (methods && failure.empty()) failure = methods->commit();
    return failure;
  }

  Staged_file arrays;
  std::optional<Staged_file> methods;
  int base;
  std::int64_t count = 0;
  std::string buffer;
};

void write_log(Staged_file& log, std::int32_t n, const Class_counts& counts, std::int64_t g_classes,
               const std::string& source) {
  const Log_summary summary{n, counts.all, counts.essential, counts.symmetrical, g_classes,
                            counts.g_symmetrical};
  for (const auto& line : log_summary_lines(summary, source)) log.line(line);
}

// The generated part also lists how many arrays each method flag carries.
void write_method_lines(Staged_file& log, const std::array<std::int64_t, 32>& per_method) {
  log.line("Arrays by the method that first found their class:");
  for (std::size_t bit = 0; bit < per_method.size(); ++bit) {
    if (per_method[bit] == 0) continue;
    log.line(pad_right(trim_right(method_flag_names[bit]), 14) + fixed_int(per_method[bit], 10));
  }
}

}  // namespace

bool every_member_is_costas(const std::vector<std::pair<const Costas_perm*, int>>& classes, int jobs) {
  std::atomic<std::size_t> next{0};
  std::atomic<bool> all_pass{true};
  constexpr std::size_t chunk = 64;
  auto worker = [&]() {
    for (std::size_t start; all_pass && (start = next.fetch_add(chunk)) < classes.size();) {
      for (std::size_t i = start; i < std::min(start + chunk, classes.size()); ++i) {
        for (const auto& member : class_members(*classes[i].first)) {
          if (!is_costas(member.perm)) all_pass = false;
        }
      }
    }
  };
  std::vector<std::thread> threads;
  for (int j = 1; j < jobs; ++j) threads.emplace_back(worker);
  worker();
  for (auto& thread : threads) thread.join();
  return all_pass;
}

Order_write_result write_order_files(const std::string& folder, std::int32_t n,
                                     const Costas_class_set& classes, bool generated,
                                     const std::string& source, int jobs,
                                     const std::vector<std::string>& log_notes) {
  Order_write_result result;
  const auto sorted = classes.sorted();
  if (!every_member_is_costas(sorted, jobs)) {
    result.failure = "an array of order " + std::to_string(n) + " fails the Costas test";
    return result;
  }
  // First pass: the counts, for the header line of the all-arrays files.
  std::int64_t g_classes = 0;
  std::array<std::int64_t, 32> per_method{};
  for (const auto& [rep, method] : sorted) {
    const auto members = class_members(*rep);
    per_method[static_cast<std::size_t>(method) & 31] += static_cast<std::int64_t>(members.size());
    std::int64_t g_members = 0;
    for (const auto& member : members) g_members += is_g_symmetrical(member.perm) ? 1 : 0;
    result.counts.all += static_cast<std::int64_t>(members.size());
    result.counts.g_symmetrical += g_members;
    result.counts.symmetrical += is_symmetrical(*rep) ? 1 : 0;
    g_classes += g_members > 0 ? 1 : 0;
  }
  result.counts.essential = static_cast<std::int64_t>(sorted.size());

  Arrays_pair all(database_file_name(folder, all_arrays_kind, n), generated);
  Arrays_pair essential(database_file_name(folder, essential_kind, n), generated);
  Arrays_pair symmetrical(database_file_name(folder, symmetrical_kind, n), generated);
  Arrays_pair g_symmetrical(database_file_name(folder, g_symmetrical_kind, n), generated);
  all.header(n, result.counts.all);
  for (const auto& [rep, method] : sorted) {
    bool g_first = true;
    for (const auto& member : class_members(*rep)) {
      const bool first = member.t == 0;
      all.array(member, method, !first);
      if (first) essential.array(member, method, false);
      if (first && is_symmetrical(member.perm)) symmetrical.array(member, method, false);
      if (is_g_symmetrical(member.perm)) {
        g_symmetrical.array(member, method, !g_first);
        g_first = false;
      }
    }
  }
  all.end_line_if_empty(no_arrays_line);
  essential.end_line_if_empty(no_arrays_line);
  symmetrical.end_line_if_empty(no_symmetrical_line);
  g_symmetrical.end_line_if_empty(no_g_symmetrical_line);
  Staged_file log(database_file_name(folder, log_kind, n));
  write_log(log, n, result.counts, g_classes, source);
  for (const auto& note : log_notes) log.line(note);
  if (generated) write_method_lines(log, per_method);
  // Every file is complete before the first is renamed, so a failed write leaves the files of
  // the order as they were. The essential-set file goes last: the program takes its presence as
  // the sign that the order is there, so an interrupted build never leaves an order that looks
  // complete.
  result.failure = log.finish();
  for (Arrays_pair* pair : {&g_symmetrical, &symmetrical, &all, &essential}) {
    if (result.failure.empty()) result.failure = pair->finish();
  }
  if (result.failure.empty()) result.failure = log.commit();
  for (Arrays_pair* pair : {&g_symmetrical, &symmetrical, &all, &essential}) {
    if (result.failure.empty()) result.failure = pair->commit();
  }
  return result;
}
