#include "_Library/Number_theory/Number_Theory_M.hpp"

#include <algorithm>
#include <utility>

#include "_Library/Console_io.hpp"
#include "_Library/Text_layout.hpp"

namespace {

// Divides every factor d out of x, recording it in the record.
void divide_out(Factor_record& record, std::int64_t& x, std::int64_t d) {
  bool first = true;
  while (x % d == 0) {
    if (first) {
      ++record.count;
      record.primes[static_cast<std::size_t>(record.count)] = d;
      record.mults[static_cast<std::size_t>(record.count)] = 0;
      first = false;
    }
    x /= d;
    ++record.mults[static_cast<std::size_t>(record.count)];
  }
}

}  // namespace

// Exact trial division over 2, 3, 5 and the numbers coprime to 30, stopping at the square root
// of what is left. The absolute value is taken in 64 bits, so -2147483648 factors as 2^31.
void factorize_into(Factor_record& record, std::int32_t n) {
  record.initialized = true;
  record.count = 0;
  const std::int64_t magnitude = n < 0 ? -static_cast<std::int64_t>(n) : n;
  record.n = magnitude;
  std::int64_t x = magnitude;
  if (x == 1) {
    record.count = 1;
    record.primes[1] = 1;
    record.mults[1] = 1;
  } else if (x > 1) {
    divide_out(record, x, 2);
    divide_out(record, x, 3);
    divide_out(record, x, 5);
    static constexpr std::int64_t steps[8] = {6, 4, 2, 4, 2, 4, 6, 2};
    std::int64_t d = 1;
    while (d * d < x) {
      for (std::int64_t step : steps) {
        d += step;
        divide_out(record, x, d);
      }
    }
    if (x != 1) {
      ++record.count;
      record.primes[static_cast<std::size_t>(record.count)] = x;
      record.mults[static_cast<std::size_t>(record.count)] = 1;
    }
  }
  record.is_prime = record.count == 1 && record.mults[1] == 1;
  record.phi = 1;
  if (magnitude >= 2) {
    for (std::int32_t i = 1; i <= record.count; ++i) {
      const auto slot = static_cast<std::size_t>(i);
      record.phi *= record.primes[slot] - 1;
      for (std::int32_t m = 1; m < record.mults[slot]; ++m) record.phi *= record.primes[slot];
    }
  }
}

Factor_record factor_record_of(std::int32_t n) {
  Factor_record record;
  factorize_into(record, n);
  return record;
}

std::int32_t next_prime_power(std::int32_t q) {
  // From 2 on, so that a start below every prime power cannot stop at 1 (whose record also has
  // a count of 1).
  for (q = std::max(q, 2); factor_record_of(q).count != 1; ++q) {
  }
  return q;
}

void Number_Theory_M::factorize(std::int32_t n) { factorize_into(factor_record, n); }

std::int64_t Number_Theory_M::euler_phi(std::int32_t n) {
  if (!factor_record.initialized || factor_record.n != n) factorize(n);
  return factor_record.phi;
}

std::int64_t Number_Theory_M::gcd(std::int64_t a, std::int64_t b) {
  std::int64_t big = a < 0 ? -a : a;
  std::int64_t small = b < 0 ? -b : b;
  if (big < small) std::swap(big, small);
  if (small == 0) {
    console_.line(free_form("***Error in lcm; inputs:", a, b, ", min value set to 1"));
    return 1;
  }
  std::int64_t r = big % small;
  while (r > 0) {
    big = small;
    small = r;
    r = big % small;
  }
  return small;
}
