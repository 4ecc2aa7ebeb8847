// Builds the generated families of orders FROM..TO (default 28..500) in memory, compares the
// four counts of every order with the count tables, prints each difference, the number of
// matching orders and the time taken.
#include <chrono>
#include <cstdio>
#include <iostream>
#include <string>

#include "Make_Database/Generated_family.hpp"
#include "Make_Database/Count_check.hpp"

int main(int argc, char** argv) {
  const std::int32_t from = argc > 1 ? std::stoi(argv[1]) : 28;
  const std::int32_t to = argc > 2 ? std::stoi(argv[2]) : 500;
  Generated_family family;
  int matching = 0, orders = 0;
  std::int64_t arrays = 0;
  const auto start = std::chrono::steady_clock::now();
  family.build(from, to, [&](std::int32_t n, const Costas_class_set& classes) {
    const Class_counts counts = classes.counts();
    const std::string difference = count_difference(n, counts);
    ++orders;
    arrays += counts.all;
    if (difference.empty()) {
      ++matching;
    } else {
      std::cout << difference << '\n';
    }
    return true;
  });
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%d of %d generated orders %d-%d match the count tables; %lld arrays; %.1f s\n",
              matching, orders, from, to, static_cast<long long>(arrays), seconds);
  return 0;
}
