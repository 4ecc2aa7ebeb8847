#include "Make_Database/Costas_search.hpp"

#include "Make_Database/Search_ties.hpp"

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <span>
#include <thread>
#include <utility>

namespace {

// The search's state, compiled for any x86-64 processor (and any other) and, on x86-64, once
// more for the processors with AVX2 and BMI2, which run the forward masks' updates in wider words
// and the bit scans and shifts in fewer instructions.
namespace plain {
#include "Make_Database/Search_state.inc"
}  // namespace plain
#if defined(__x86_64__)
#pragma GCC push_options
#pragma GCC target("avx2,bmi,bmi2,popcnt")
namespace wide {
#include "Make_Database/Search_state.inc"
}  // namespace wide
#pragma GCC pop_options
#endif

// Whether the search runs its copy for AVX2 and BMI2: where the processor has them, unless
// use_wide_search turned it off.
bool processor_has_wide_words() {
#if defined(__x86_64__)
  __builtin_cpu_init();   // may run before the constructors that would have called it
  return __builtin_cpu_supports("avx2") && __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2") &&
         __builtin_cpu_supports("popcnt");
#else
  return false;
#endif
}
std::atomic<bool> wide_search{processor_has_wide_words()};

// The rows of the first two columns of every branch. The first is at most the middle row; for
// odd n, when it is the middle row, the rows reversed give a member with the same column 0, so
// only the second columns below the middle are taken.
std::vector<Search_prefix> two_column_prefixes(int n) {
  std::vector<Search_prefix> prefixes;
  const int middle = (n - 1) / 2;
  for (int r0 = 0; r0 <= middle; ++r0) {
    for (int r1 = 0; r1 < n; ++r1) {
      if (r1 == r0 || (n % 2 == 1 && r0 == middle && r1 > middle)) continue;
      prefixes.push_back({r0, r1});
    }
  }
  return prefixes;
}

// Calls progress (when not empty) about twice a second with the fraction done of all, until
// done reaches all; notices the end of a short search at once.
void report_until_done(const std::function<void(double)>& progress, const std::atomic<std::size_t>& done,
                       std::size_t all) {
  for (int tick = 0; progress && done.load() < all; ++tick) {
    if (tick % 50 == 0) progress(static_cast<double>(done.load()) / static_cast<double>(all));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

// Searches the branches of prefixes on jobs threads: the arrays each thread found, unsorted.
template <bool count_nodes>
std::vector<std::vector<Costas_perm>> search_prefix_list(std::int32_t n,
                                                         std::span<const Search_prefix> prefixes,
                                                         int jobs,
                                                         const std::function<void(double)>& progress,
                                                         std::uint64_t* nodes) {
  std::atomic<std::size_t> next{0}, done{0};
  std::atomic<std::uint64_t> visited{0};
  std::vector<std::vector<Costas_perm>> results(static_cast<std::size_t>(std::max(jobs, 1)));
  auto search_with = [&]<typename State>(std::size_t index, State*) {
    auto state = std::make_unique<State>();
    state->n = n;
    for (std::size_t k; (k = next.fetch_add(1)) < prefixes.size();) {
      std::uint32_t rows = 0;
      const std::uint32_t last = state->enter(prefixes[k], rows);
      const int column = static_cast<int>(prefixes[k].size()) - 1;
      if (last != 0) state->extend_at(column, rows, last);
      done.fetch_add(1);
    }
    results[index] = std::move(state->found);
    visited.fetch_add(state->nodes);
  };
  const bool wide = wide_search.load();
  auto worker = [&](std::size_t index) {
#if defined(__x86_64__)
    if (wide) return search_with(index, static_cast<wide::Search_state<count_nodes>*>(nullptr));
#endif
    search_with(index, static_cast<plain::Search_state<count_nodes>*>(nullptr));
  };
  std::vector<std::thread> threads;
  for (std::size_t j = 1; j < results.size(); ++j) threads.emplace_back(worker, j);
  std::thread first(worker, 0);
  report_until_done(progress, done, prefixes.size());
  first.join();
  for (auto& t : threads) t.join();
  // A short search may end before the loop above reported anything: the end is always reported.
  if (progress) progress(1.0);
  if (nodes != nullptr) *nodes = visited.load();
  return results;
}

template <bool count_nodes>
std::vector<Costas_perm> search(std::int32_t n, int jobs,
                                const std::function<void(double)>& progress,
                                std::uint64_t* nodes) {
  if (nodes != nullptr) *nodes = 0;
  if (n < 1 || n > max_search_order) return {};
  if (n == 1) {
    if (progress) progress(1.0);
    return {Costas_perm{0}};
  }
  const auto prefixes = two_column_prefixes(n);
  // Every member of the class of every array found.
  return class_members_sorted(search_prefix_list<count_nodes>(n, prefixes, jobs, progress, nodes));
}

}  // namespace

std::vector<Costas_perm> search_costas_arrays(std::int32_t n, int jobs,
                                              const std::function<void(double)>& progress) {
  return search<false>(n, jobs, progress, nullptr);
}

std::vector<Costas_perm> search_costas_arrays_counting_nodes(std::int32_t n, int jobs,
                                                             std::uint64_t& nodes) {
  return search<true>(n, jobs, {}, &nodes);
}

std::vector<Search_prefix> search_branches(std::int32_t n, int depth) {
  if (n < 3 || n > max_search_order) return {};
  depth = std::clamp(depth, 2, n - 1);
  std::vector<Search_prefix> branches;
  auto state = std::make_unique<plain::Search_state<false>>();
  state->n = n;
  auto collect = [&] { branches.emplace_back(state->a.begin(), state->a.begin() + depth); };
  for (const auto& prefix : two_column_prefixes(n)) {
    std::uint32_t rows = 0;
    const std::uint32_t last = state->enter(prefix, rows);
    if (last != 0) state->walk(1, rows, last, depth, collect);
  }
  return branches;
}

std::vector<std::uint64_t> branch_widths(std::int32_t n, std::span<const Search_prefix> branches,
                                         int depth) {
  std::vector<std::uint64_t> widths(branches.size(), 0);
  auto state = std::make_unique<plain::Search_state<false>>();
  state->n = n;
  for (std::size_t i = 0; i < branches.size(); ++i) {
    const int k = static_cast<int>(branches[i].size()) - 1;
    std::uint64_t width = 0;
    auto count = [&] { ++width; };
    std::uint32_t rows = 0;
    const std::uint32_t last = state->enter(branches[i], rows);
    if (last != 0) state->walk(k, rows, last, std::clamp(depth, k + 1, n - 1), count);
    widths[i] = width;
  }
  return widths;
}

std::vector<Costas_perm> search_branch_arrays(std::int32_t n, std::span<const Search_prefix> branches,
                                              int jobs) {
  if (n < 3 || n > max_search_order) return {};
  std::vector<Costas_perm> found;
  for (auto& part : search_prefix_list<false>(n, branches, jobs, {}, nullptr)) {
    std::move(part.begin(), part.end(), std::back_inserter(found));
  }
  std::sort(found.begin(), found.end());
  return found;
}

bool use_wide_search(bool wide) { return wide_search.exchange(wide && processor_has_wide_words()); }
