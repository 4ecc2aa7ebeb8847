// Exhaustive search times by order and number of threads.
#include <benchmark/benchmark.h>

#include "Make_Database/Costas_search.hpp"

static void search(benchmark::State& state) {
  const auto n = static_cast<std::int32_t>(state.range(0));
  const auto jobs = static_cast<int>(state.range(1));
  std::size_t found = 0;
  for (auto _ : state) found = search_costas_arrays(n, jobs, {}).size();
  state.counters["arrays"] = static_cast<double>(found);
}
BENCHMARK(search)->ArgsProduct({{10, 11, 12, 13}, {1, 2}})->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
