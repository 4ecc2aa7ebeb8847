#include "Galois_Fields_Vector_Extension.hpp"

#include <algorithm>

#include "Console_io.hpp"
#include "Log_units.hpp"
#include "Number_Theory_M.hpp"
#include "Program_stop.hpp"
#include "Text_layout.hpp"

namespace {

std::int32_t floor_mod(std::int64_t a, std::int32_t p) {
  const std::int64_t r = a % p;
  return static_cast<std::int32_t>(r < 0 ? r + p : r);
}

}  // namespace

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

GFVE_element Galois_Fields_Vector_Extension::x_element() const {
  GFVE_element x;
  x(2) = 1;
  return x;
}


bool Galois_Fields_Vector_Extension::GFVE_setup(std::int32_t q) {
  if (q > max_order) {
    console_.line(free_form("***GFVE_setup refuses order", q,
                            " : field orders above", max_order,
                            " are not supported (beyond its table of squares)"));
    GFVE_initialized = false;
    return false;
  }
  GFVE_initialized = true;
  GFVE_order = q;
  tables_.ready = false;
  number_theory_.factorize(q);
  const Factor_record& record = number_theory_.factor_record;
  GFVE_prime = record.count >= 1 ? static_cast<std::int32_t>(record.primes[1]) : 0;
  GFVE_degree = record.count >= 1 ? record.mults[1] : 0;
  if (q < 2 || record.count != 1 || GFVE_degree + 1 > 31) {
    report_improper_order(console_, record, "GFVE", q, GFVE_message, [this] { GFVE_log_message(); });
    GFVE_initialized = false;
    return false;
  }
  const std::int32_t k = GFVE_degree;
  GFVE_one = GFVE_element{};
  GFVE_zero = GFVE_element{};
  GFVE_generator.fill(0);
  GFVE_one(1) = 1;
  GFVE_generator[static_cast<std::size_t>(k)] = 1;
  GFVE_generator[0] = 1;

  const bool found = search_generator(q);
  GFVE_initialized = found;
  if (!found) {
    console_.line(free_form("###Generator polynomial not found."));
    GFVE_message = free_form("###Generator polynomial not found.");
    GFVE_log_message();
    return false;
  }
  const GFVE_element x = x_element();
  tables_.build(q, GFVE_prime, k, [this, &x](std::uint32_t v) {
    return to_index(multiply_by_subtraction(from_index(v), x));
  });
  GFVE_primitive();
  return true;
}

bool Galois_Fields_Vector_Extension::search_generator(std::int32_t q) {
  const std::int32_t p = GFVE_prime;
  const std::int32_t k = GFVE_degree;
  for (std::int32_t step = 1; step <= q - 1; ++step) {
    // Advance like an odometer in base p, entry 1 turning fastest.
    std::int32_t entry = 0;
    ++GFVE_generator[0];
    while (GFVE_generator[static_cast<std::size_t>(entry)] >= p) {
      GFVE_generator[static_cast<std::size_t>(entry)] = 0;
      ++entry;
      if (entry > k) {
        GFVE_message = free_form("####Generator polynomial not found.");
        GFVE_log_message();
        stop_with_code("");
      }
      ++GFVE_generator[static_cast<std::size_t>(entry)];
    }
    if (GFVE_generator[0] != 0 && is_primitive_x()) return true;
  }
  return false;
}

bool Galois_Fields_Vector_Extension::is_primitive_x() {
  const std::int32_t q = GFVE_order;
  squares_[0] = GFVE_one;
  squares_[1] = x_element();
  std::int32_t e = q - 1;
  for (std::size_t j = 3; j <= squares_.size(); ++j) {
    e /= 2;
    if (e == 0) break;
    squares_[j - 1] = GFVE_Multiply(squares_[j - 2], squares_[j - 2]);
  }
  number_theory_.factorize(q - 1);
  if (number_theory_.factor_record.is_prime) return GFVE_equal(x_power(q - 1), GFVE_one);
  for (std::int32_t d = 1; d <= q - 2; ++d) {
    if ((q - 1) % d == 0 && GFVE_equal(x_power(d), GFVE_one)) return false;
  }
  return GFVE_equal(x_power(q - 1), GFVE_one);
}

GFVE_element Galois_Fields_Vector_Extension::x_power(std::int32_t e) {
  if (e == 0) return GFVE_one;
  const GFVE_element x = x_element();
  if (e == 1) return x;
  if (e == 2) return GFVE_Multiply(x, x);
  GFVE_element result = GFVE_one;
  std::size_t j = 2;
  for (;;) {
    if (e % 2 != 0) result = GFVE_Multiply(result, squares_[j - 1]);
    e /= 2;
    if (e == 0) break;
    ++j;
  }
  return result;
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
  const int top = std::clamp(GFVE_degree + 1, 1, 31);
  for (int i = 1; i <= top; ++i) {
    if (a(i) != b(i)) return false;
  }
  return true;
}

GFVE_element Galois_Fields_Vector_Extension::multiply_by_subtraction(const GFVE_element& a,
                                                                     const GFVE_element& b) {
  const std::int32_t p = GFVE_prime;
  const std::int32_t k = GFVE_degree;
  GFVE_element result;
  // Before any set-up there is no field, and without a monic generator of degree k (after a
  // failed set-up) the repeated subtraction would never end: the product is then zero.
  if (p <= 0 || k < 1 || k > 30 || GFVE_generator[static_cast<std::size_t>(k)] != 1) {
    return result;
  }
  std::array<std::int64_t, 64> w{};   // the product workspace, 1-based
  for (int i = 1; i <= k + 1; ++i) {
    for (int j = 1; j <= k + 1; ++j) {
      w[static_cast<std::size_t>(i + j - 1)] =
          floor_mod(w[static_cast<std::size_t>(i + j - 1)] + std::int64_t{a(i)} * b(j), p);
    }
  }
  for (int i = 2 * k + 1; i >= k + 1; --i) {
    while (w[static_cast<std::size_t>(i)] != 0) {
      for (int j = 1; j <= k + 1; ++j) {
        auto& slot = w[static_cast<std::size_t>(i - k - 1 + j)];
        slot = floor_mod(slot - GFVE_generator[static_cast<std::size_t>(j - 1)], p);
      }
    }
  }
  for (int i = 1; i <= k + 1; ++i) result(i) = static_cast<std::int32_t>(w[static_cast<std::size_t>(i)]);
  return result;
}

std::string Galois_Fields_Vector_Extension::coefficient_line(const GFVE_element& a) const {
  Free_line line;
  for (int i = 1; i <= std::clamp(GFVE_degree + 1, 1, 31); ++i) line.num(a(i));
  return line.str();
}

bool Galois_Fields_Vector_Extension::is_reduced(const GFVE_element& a) const {
  for (int i = 1; i <= GFVE_degree; ++i) {
    if (a(i) < 0 || a(i) >= GFVE_prime) return false;
  }
  return a(GFVE_degree + 1) == 0;
}

std::uint32_t Galois_Fields_Vector_Extension::to_index(const GFVE_element& a) const {
  std::uint32_t index = 0;
  for (int i = GFVE_degree; i >= 1; --i) {
    index = index * static_cast<std::uint32_t>(GFVE_prime) + static_cast<std::uint32_t>(a(i));
  }
  return index;
}

GFVE_element Galois_Fields_Vector_Extension::from_index(std::uint32_t index) const {
  GFVE_element a;
  const auto p = static_cast<std::uint32_t>(GFVE_prime);
  for (int i = 1; i <= GFVE_degree; ++i) {
    a(i) = static_cast<std::int32_t>(index % p);
    index /= p;
  }
  return a;
}

GFVE_element Galois_Fields_Vector_Extension::reduced(const GFVE_element& a) {
  return is_reduced(a) ? a : multiply_by_subtraction(a, GFVE_one);
}

GFVE_element Galois_Fields_Vector_Extension::GFVE_Multiply(const GFVE_element& a,
                                                           const GFVE_element& b) {
  warn("GFVE_Multiply");
  if (tables_ready()) {
    return from_index(tables_.multiply(to_index(reduced(a)), to_index(reduced(b))));
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
    return index == 0 ? GFVE_element{} : from_index(tables_.power(index, e));
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
    inverse = is_reduced(g) ? tables_.log_base_inverse(to_index(g)) : -1;
  }
  if (inverse < 0) return -1;
  return tables_.log_to_base(index, inverse);
}
