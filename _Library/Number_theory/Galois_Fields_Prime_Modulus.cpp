#include "_Library/Number_theory/Galois_Fields_Prime_Modulus.hpp"

#include "_Library/Console_io.hpp"
#include "_Library/Number_theory/Log_units.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_layout.hpp"

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
  const Gf_setup outcome = core_.set_up(q, Gf_kind::prime);
  GFPM_initialized = outcome == Gf_setup::ready;
  if (outcome != Gf_setup::too_large) {
    GFPM_order = q;
    GFPM_prime = core_.characteristic();
  }
  if (refused_setup(console_, outcome, q, core_, "GFPM", "its tables and lists would not fit",
                    GFPM_message, [this] { GFPM_log_message(); })) {
    return false;
  }
  GFPM_message = free_form("###Order = prime:", q, GFPM_prime);
  GFPM_log_message();
  GFPM_zero = 0;
  GFPM_one = 1;
  if (outcome != Gf_setup::ready) {
    GFPM_message = free_form("###Primitive element not found.");
    GFPM_log_message();
    return false;
  }
  GFPM_primitive(core_.primitive_root());
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
        tables().multiply(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)));
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
    return x == 0 ? 0 : static_cast<std::int32_t>(tables().power(x, e));
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
    inverse = tables().log_base_inverse(static_cast<std::uint32_t>(g));
    // 0 marks "not yet known"; an inverse of 0 only occurs in GF(2), where every log is 0.
    if (inverse == 0) return 0;
  }
  if (inverse < 0) return -1;
  return tables().log_to_base(static_cast<std::uint32_t>(x), inverse);
}
