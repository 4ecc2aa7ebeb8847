// The exhaustive search against the search as it stood before (bench/search_before), side by side
// in one run on one thread, the two alternating order by order: per order 12-17 the nodes
// visited, the processor time, the nodes per second of processor time and the growth factor
// from the order before; a line says so when the two searches' sorted arrays differ. Each search
// runs once per order; --benchmark_filter='/1[2-5]/' keeps to the short ones.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "Make_Database/Costas_search.hpp"
#include "bench/search_before.hpp"

namespace {

struct Measure {
  std::uint64_t nodes = 0;
  std::size_t arrays = 0;
  std::uint64_t digest = 0;   // of the sorted arrays, entry by entry
  double cpu_seconds = 0;
};

std::uint64_t digest_of(const std::vector<Costas_perm>& arrays) {
  std::uint64_t h = 14695981039346656037ULL;
  for (const auto& a : arrays) {
    for (const auto r : a) h = (h ^ r) * 1099511628211ULL;
    h = (h ^ 0xFFFF) * 1099511628211ULL;
  }
  return h;
}
std::map<std::pair<std::string, int>, Measure> measures;   // (search, order)

template <bool before>
void run(benchmark::State& state) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  Measure m;
  for (auto _ : state) {
    const std::clock_t start = std::clock();   // processor time of the whole process
    const auto arrays = before ? search_before_counting_nodes(n, m.nodes)
                               : search_costas_arrays_counting_nodes(n, 1, m.nodes);
    m.cpu_seconds = static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
    m.arrays = arrays.size();
    m.digest = digest_of(arrays);
  }
  state.counters["nodes"] = static_cast<double>(m.nodes);
  state.counters["arrays"] = static_cast<double>(m.arrays);
  measures[{before ? "old" : "new", n}] = m;
}

void register_searches() {
  for (int n = 12; n <= 17; ++n) {
    for (const bool before : {true, false}) {
      benchmark::RegisterBenchmark(before ? "old" : "new", before ? run<true> : run<false>)
          ->Arg(n)
          ->Iterations(1)
          ->MeasureProcessCPUTime()
          ->UseRealTime()
          ->Unit(benchmark::kMillisecond);
    }
  }
}

double ratio(double a, double b) { return b > 0 ? a / b : 0; }

void print_table() {
  std::printf("\n%5s | %14s %9s %7s %6s %6s | %14s %9s %7s %6s %6s | %13s %11s\n", "order",
              "old nodes", "old CPU s", "M/s", "x node", "x CPU", "new nodes", "new CPU s", "M/s",
              "x node", "x CPU", "nodes new/old", "CPU new/old");
  for (int n = 12; n <= 17; ++n) {
    const auto old_it = measures.find({"old", n});
    const auto new_it = measures.find({"new", n});
    if (old_it == measures.end() && new_it == measures.end()) continue;
    std::printf("%5d |", n);
    for (const char* search : {"old", "new"}) {
      const auto it = measures.find({search, n});
      const auto before = measures.find({search, n - 1});
      if (it == measures.end()) {
        std::printf(" %14s %9s %7s %6s %6s |", "-", "-", "-", "-", "-");
        continue;
      }
      const Measure& m = it->second;
      std::printf(" %14llu %9.2f %7.1f", static_cast<unsigned long long>(m.nodes), m.cpu_seconds,
                  ratio(static_cast<double>(m.nodes), m.cpu_seconds) / 1e6);
      if (before != measures.end()) {
        std::printf(" %6.2f %6.2f |", ratio(static_cast<double>(m.nodes),
                                            static_cast<double>(before->second.nodes)),
                    ratio(m.cpu_seconds, before->second.cpu_seconds));
      } else {
        std::printf(" %6s %6s |", "-", "-");
      }
    }
    if (old_it != measures.end() && new_it != measures.end()) {
      std::printf(" %13.3f %11.3f", ratio(static_cast<double>(new_it->second.nodes),
                                          static_cast<double>(old_it->second.nodes)),
                  ratio(new_it->second.cpu_seconds, old_it->second.cpu_seconds));
      if (new_it->second.digest != old_it->second.digest) std::printf("  ARRAYS DIFFER");
    }
    std::printf("\n");
  }
}

// Registers the searches before the benchmark runs and prints the side-by-side table once
// they are over (at exit, before the measures above are destroyed).
const bool table_at_exit = [] {
  register_searches();
  std::atexit(print_table);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
