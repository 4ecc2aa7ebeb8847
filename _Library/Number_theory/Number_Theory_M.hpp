// Number theory for the Galois-field order choice and the field set-ups: factorisation with
// multiplicities, Euler's totient and the greatest common divisor.
#pragma once

#include <array>
#include <cstdint>

class Console;

// The last factorisation. Arrays are 1-based: entries 1..count are significant.
struct Factor_record {
  bool initialized = false;
  std::int64_t n = 0;                  // |argument|; 2147483648 for the argument -2147483648
  std::int32_t count = 0;
  std::array<std::int64_t, 32> primes{};
  std::array<std::int32_t, 32> mults{};
  bool is_prime = false;
  std::int64_t phi = 1;
};

// Refreshes record with the factorisation of n (exact for every 32-bit n); entries past the
// new count keep their old values.
void factorize_into(Factor_record& record, std::int32_t n);
Factor_record factor_record_of(std::int32_t n);   // the same into a fresh record
// The smallest prime power (the order of a Galois field) at least q, and at least 2.
std::int32_t next_prime_power(std::int32_t q);

class Number_Theory_M {
 public:
  explicit Number_Theory_M(Console& console) : console_(console) {}

  void factorize(std::int32_t n);          // refreshes factor_record; exact for every 32-bit n
  std::int64_t euler_phi(std::int32_t n);  // refactors unless the record already holds n itself
  // Positive gcd of |a| and |b|; a zero argument prints the lcm error line and returns 1.
  std::int64_t gcd(std::int64_t a, std::int64_t b);

  Factor_record factor_record;

 private:
  Console& console_;
};
