#include "Galois_Fields_Prime_Modulus.hpp"

#include "Console_io.hpp"
#include "Log_units.hpp"
#include "Number_Theory_M.hpp"
#include "Program_stop.hpp"
#include "Text_layout.hpp"

Galois_Fields_Prime_Modulus::Galois_Fields_Prime_Modulus(Console& console,
                                                         Number_Theory_M& number_theory,
                                                         Log_units& log_units)
    : console_(console), number_theory_(number_theory), log_units_(log_units) {}

void Galois_Fields_Prime_Modulus::warn(const char* operation) {
  if (!GFPM_initialized) {
    console_.line(free_form(std::string("***WARNING -- ") + operation +
                            " called without initializing GFPM module"));
  }
}

std::int32_t Galois_Fields_Prime_Modulus::reduce(std::int64_t a) const {
  if (GFPM_prime <= 0) return 0;
  const std::int64_t r = a % GFPM_prime;
  return static_cast<std::int32_t>(r < 0 ? r + GFPM_prime : r);
}

void Galois_Fields_Prime_Modulus::GFPM_log_message() {
  field_log_message(console_, log_units_, GFPM_log_unit, log_file_name, "GFPM", GFPM_message);
}


bool Galois_Fields_Prime_Modulus::GFPM_setup(std::int32_t q) {
  if (q > max_order) {
    console_.line(free_form("***GFPM_setup refuses order", q,
                            " : field orders above", max_order,
                            " are not supported (its tables and lists would not fit)"));
    GFPM_initialized = false;
    return false;
  }
  GFPM_initialized = true;
  GFPM_order = q;
  tables_.ready = false;
  number_theory_.factorize(q);
  const Factor_record& record = number_theory_.factor_record;
  GFPM_prime = record.count >= 1 ? static_cast<std::int32_t>(record.primes[1]) : 0;
  // Orders below 2 are improper too: 1 would otherwise pass as a "prime" of itself.
  if (q < 2 || record.count != 1 || record.mults[1] > 1) {
    report_improper_order(console_, record, "GFPM", q, GFPM_message, [this] { GFPM_log_message(); });
    GFPM_initialized = false;
    return false;
  }
  GFPM_message = free_form("###Order = prime:", q, GFPM_prime);
  GFPM_log_message();
  GFPM_zero = 0;
  GFPM_one = 1;

  // The first candidate none of whose powers c^1 .. c^(q-2) is 1.
  const std::int64_t p = GFPM_prime;
  std::int32_t found = 0;
  for (std::int32_t c = 2; c <= (q > 2 ? q - 1 : 2) && found == 0; ++c) {
    std::int64_t v = c % p;
    bool rejected = false;
    for (std::int32_t power = 1; power <= q - 2; ++power) {
      if (v == 1) {
        rejected = true;
        break;
      }
      v = v * c % p;
    }
    if (!rejected) found = c;
  }
  GFPM_initialized = found != 0;
  if (found == 0) {
    GFPM_message = free_form("###Primitive element not found.");
    GFPM_log_message();
    return false;
  }
  // The tables run over the powers of the element found (of 1 in GF(2), where the element
  // found, 2, is zero).
  const std::uint32_t g = static_cast<std::uint32_t>(q == 2 ? 1 : found);
  tables_.build(q, q, 1, [g, q](std::uint32_t v) {
    return static_cast<std::uint32_t>(std::uint64_t{v} * g % static_cast<std::uint32_t>(q));
  });
  GFPM_primitive(found);
  return true;
}

void Galois_Fields_Prime_Modulus::GFPM_primitive(std::int32_t alpha) {
  warn("GFPM_primitive");
  const std::int32_t q = GFPM_order;
  GFPM_no_of_pes = static_cast<std::int32_t>(number_theory_.euler_phi(q - 1));
  console_.line(free_form("GFPM_no_of_pes:", GFPM_no_of_pes));
  GFPM_message = free_form("GFPM_no_of_pes:", GFPM_no_of_pes);
  GFPM_log_message();
  GFPM_pes.assign(static_cast<std::size_t>(GFPM_no_of_pes > 0 ? GFPM_no_of_pes : 0), 0);
  base_inverse_.assign(GFPM_pes.size(), 0);
  std::int32_t v = 1;
  std::int32_t count = 0;
  for (std::int32_t w = 1; w <= q - 1 && count < GFPM_no_of_pes; ++w) {
    v = GFPM_Multiply(v, alpha);
    if (number_theory_.gcd(w, q - 1) == 1) {
      ++count;
      GFPM_pes[static_cast<std::size_t>(count - 1)] = v;
      GFPM_message = free_form("New Primitive element", count, ", power", w, " is", v);
      GFPM_log_message();
    }
  }
}

std::int32_t Galois_Fields_Prime_Modulus::GFPM_Add(std::int32_t a, std::int32_t b) {
  warn("GFPM_Add");
  return reduce(std::int64_t{a} + b);
}

std::int32_t Galois_Fields_Prime_Modulus::GFPM_Sub(std::int32_t a, std::int32_t b) {
  warn("GFPM_Sub");
  return reduce(std::int64_t{a} - b);
}

std::int32_t Galois_Fields_Prime_Modulus::GFPM_Multiply(std::int32_t a, std::int32_t b) {
  warn("GFPM_Multiply");
  const std::int32_t x = reduce(a);
  const std::int32_t y = reduce(b);
  if (tables_ready()) {
    return static_cast<std::int32_t>(
        tables_.multiply(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)));
  }
  return reduce(std::int64_t{x} * y);
}

std::int32_t Galois_Fields_Prime_Modulus::GFPM_Divide(std::int32_t a, std::int32_t b) {
  warn("GFPM_Divide");
  if (b == 0) {
    console_.line(free_form("####Error in GFPM_Divide, zero denominator."));
    stop_with_code("2");
  }
  return GFPM_Multiply(a, GFPM_Exp(b, -1));
}

void Galois_Fields_Prime_Modulus::exp_of_zero(std::int32_t n) {
  GFPM_message = free_form("####ERROR IN GFPM_Exp, 0 to power of:", n);
  GFPM_log_message();
  stop_with_code("2");
}

std::int32_t Galois_Fields_Prime_Modulus::GFPM_Exp(std::int32_t a, std::int32_t n) {
  warn("GFPM_Exp");
  if (a == 0) {
    if (n > 0) return 0;
    exp_of_zero(n);
  }
  const std::int64_t m = std::int64_t{GFPM_order} - 1;
  std::int64_t e = m > 0 ? n % m : 0;
  if (e < 0) e += m;
  if (e == 0) return GFPM_one;
  if (e == 1) return a;
  if (tables_ready()) {
    const auto x = static_cast<std::uint32_t>(reduce(a));
    return x == 0 ? 0 : static_cast<std::int32_t>(tables_.power(x, e));
  }
  if (e == 2) return GFPM_Multiply(a, a);
  // Square and multiply from the low bit.
  std::int32_t result = GFPM_one;
  std::int32_t base = a;
  for (;;) {
    const bool bit = (e & 1) != 0;
    e >>= 1;
    if (bit) result = GFPM_Multiply(result, base);
    if (e == 0) break;
    base = GFPM_Multiply(base, base);
  }
  return result;
}

std::int32_t Galois_Fields_Prime_Modulus::GFPM_2array(std::int32_t a) {
  warn("GFPM_2array");
  return a;
}

std::int32_t Galois_Fields_Prime_Modulus::table_log(std::int32_t x, std::int32_t npe) {
  if (!tables_ready() || x <= 0 || x >= GFPM_prime) return -1;
  std::int64_t& inverse = base_inverse_[static_cast<std::size_t>(npe - 1)];
  if (inverse == 0) {
    const std::int32_t g = GFPM_pes[static_cast<std::size_t>(npe - 1)];
    inverse = tables_.log_base_inverse(static_cast<std::uint32_t>(g));
    // 0 marks "not yet known"; an inverse of 0 only occurs in GF(2), where every log is 0.
    if (inverse == 0) return 0;
  }
  if (inverse < 0) return -1;
  return tables_.log_to_base(static_cast<std::uint32_t>(x), inverse);
}
