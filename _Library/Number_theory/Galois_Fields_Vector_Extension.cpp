#include "_Library/Number_theory/Galois_Fields_Vector_Extension.hpp"

#include <algorithm>

#include "_Library/Console_io.hpp"
#include "_Library/Number_theory/Log_units.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_layout.hpp"

Galois_Fields_Vector_Extension::Galois_Fields_Vector_Extension(Console& console,
                                                               Number_Theory_M& number_theory,
                                                               Log_units& log_units)
    : console_(console), number_theory_(number_theory), log_units_(log_units) {
  GFVE_one(1) = 1;
}

void Galois_Fields_Vector_Extension::warn(const char* operation) {
  if (!GFVE_initialized) {
    console_.line(free_form(std::string("***WARNING -- ") + operation +
                            " called without initializing GFVE module"));
  }
}

void Galois_Fields_Vector_Extension::GFVE_log_message() {
  field_log_message(console_, log_units_, GFVE_log_unit, log_file_name, "GFVE", GFVE_message);
}

bool Galois_Fields_Vector_Extension::GFVE_setup(std::int32_t q) {
  const Gf_setup outcome = core_.set_up(q, Gf_kind::extension);
  GFVE_initialized = outcome == Gf_setup::ready;
  if (outcome != Gf_setup::too_large) {
    GFVE_order = q;
    GFVE_prime = core_.characteristic();
    GFVE_degree = core_.degree();
  }
  if (refused_setup(console_, outcome, q, core_, "GFVE", "beyond its table of squares",
                    GFVE_message, [this] { GFVE_log_message(); })) {
    return false;
  }
  GFVE_one = GFVE_element{};
  GFVE_zero = GFVE_element{};
  GFVE_one(1) = 1;
  if (outcome == Gf_setup::search_overflow) {
    GFVE_message = free_form("####Generator polynomial not found.");
    GFVE_log_message();
    stop_with_code("");
  }
  if (outcome != Gf_setup::ready) {
    console_.line(free_form("###Generator polynomial not found."));
    GFVE_message = free_form("###Generator polynomial not found.");
    GFVE_log_message();
    return false;
  }
  GFVE_primitive();
  return true;
}

void Galois_Fields_Vector_Extension::GFVE_primitive() {
  warn("GFVE_primitive");
  const std::int32_t q = GFVE_order;
  GFVE_no_of_pes = static_cast<std::int32_t>(number_theory_.euler_phi(q - 1));
  GFVE_pes.assign(static_cast<std::size_t>(GFVE_no_of_pes > 0 ? GFVE_no_of_pes : 0),
                  GFVE_element{});
  base_inverse_.assign(GFVE_pes.size(), 0);
  const GFVE_element x = x_element();
  GFVE_element v = GFVE_one;
  std::int32_t count = 0;
  for (std::int32_t w = 1; w <= q - 1 && count < GFVE_no_of_pes; ++w) {
    v = GFVE_Multiply(v, x);
    if (number_theory_.gcd(w, q - 1) == 1) GFVE_pes[static_cast<std::size_t>(count++)] = v;
  }
}

GFVE_element Galois_Fields_Vector_Extension::GFVE_Add(const GFVE_element& a,
                                                      const GFVE_element& b) const {
  GFVE_element sum;
  if (GFVE_prime <= 0) return sum;
  const int top = std::min(GFVE_degree + 1, 31);
  for (int i = 1; i <= top; ++i) {
    sum(i) = static_cast<std::int32_t>((std::int64_t{a(i)} + b(i)) % GFVE_prime);
  }
  return sum;
}

GFVE_element Galois_Fields_Vector_Extension::GFVE_Sub(const GFVE_element& a,
                                                      const GFVE_element& b) const {
  GFVE_element difference;
  if (GFVE_prime <= 0) return difference;
  const int top = std::min(GFVE_degree + 1, 31);
  for (int i = 1; i <= top; ++i) difference(i) = floor_mod(std::int64_t{a(i)} - b(i), GFVE_prime);
  return difference;
}

bool Galois_Fields_Vector_Extension::GFVE_equal(const GFVE_element& a,
                                                const GFVE_element& b) const {
  return core_.equal(a, b);
}

std::string Galois_Fields_Vector_Extension::coefficient_line(const GFVE_element& a) const {
  Free_line line;
  for (int i = 1; i <= std::clamp(GFVE_degree + 1, 1, 31); ++i) line.num(a(i));
  return line.str();
}

GFVE_element Galois_Fields_Vector_Extension::reduced(const GFVE_element& a) const {
  return is_reduced(a) ? a : multiply_by_subtraction(a, GFVE_one);
}

GFVE_element Galois_Fields_Vector_Extension::GFVE_Multiply(const GFVE_element& a,
                                                           const GFVE_element& b) {
  warn("GFVE_Multiply");
  if (tables_ready()) {
    return from_index(tables().multiply(to_index(reduced(a)), to_index(reduced(b))));
  }
  return multiply_by_subtraction(a, b);
}

GFVE_element Galois_Fields_Vector_Extension::GFVE_Divide(const GFVE_element& a,
                                                         const GFVE_element& b) {
  warn("GFVE_Divide");
  if (GFVE_equal(b, GFVE_zero)) {
    console_.line(free_form("####Error in GFVE_Divide, zero denominator."));
    stop_with_code("2");
  }
  return GFVE_Multiply(a, GFVE_Exp(b, -1));
}

GFVE_element Galois_Fields_Vector_Extension::GFVE_Exp(const GFVE_element& a, std::int32_t n) {
  warn("GFVE_Exp");
  bool all_zero = true;
  for (int i = 1; i <= std::clamp(GFVE_degree + 1, 1, 31); ++i) all_zero = all_zero && a(i) == 0;
  if (all_zero) {
    if (n > 0) return GFVE_element{};
    GFVE_message = free_form("####ERROR IN GFVE_Exp, 0 to power of:", n);
    GFVE_log_message();
    stop_with_code("2");
  }
  const std::int64_t m = std::int64_t{GFVE_order} - 1;
  std::int64_t e = m > 0 ? n % m : 0;
  if (e < 0) e += m;
  if (e == 0) return GFVE_one;
  if (e == 1) return a;
  if (tables_ready()) {
    const std::uint32_t index = to_index(reduced(a));
    return index == 0 ? GFVE_element{} : from_index(tables().power(index, e));
  }
  if (e == 2) return GFVE_Multiply(a, a);
  GFVE_element result = GFVE_one;
  GFVE_element base = a;
  for (;;) {
    const bool bit = (e & 1) != 0;
    e >>= 1;
    if (bit) result = GFVE_Multiply(result, base);
    if (e == 0) break;
    base = GFVE_Multiply(base, base);
  }
  return result;
}

std::int32_t Galois_Fields_Vector_Extension::table_log(const GFVE_element& x, std::int32_t npe) {
  if (!tables_ready() || !is_reduced(x)) return -1;
  const std::uint32_t index = to_index(x);
  if (index == 0) return -1;
  std::int64_t& inverse = base_inverse_[static_cast<std::size_t>(npe - 1)];
  if (inverse == 0) {
    const GFVE_element& g = GFVE_pes[static_cast<std::size_t>(npe - 1)];
    inverse = is_reduced(g) ? tables().log_base_inverse(to_index(g)) : -1;
  }
  if (inverse < 0) return -1;
  return tables().log_to_base(index, inverse);
}
