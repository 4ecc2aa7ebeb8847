// The extension field GF(p^k), k >= 2: one field at a time. An element is a vector of
// coefficients reduced by the generator polynomial, the first monic polynomial of degree k in
// the odometer order for which x is primitive; errors are shown and logged in GFVE_Log.txt.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "Galois_Fields_tables.hpp"

class Console;
class Log_units;
class Number_Theory_M;

// 31 coefficients; entry i (1-based) is the coefficient of x^(i-1). In a field of degree k only
// entries 1..k+1 are significant.
struct GFVE_element {
  std::array<std::int32_t, 31> c{};
  std::int32_t& operator()(int i) { return c[static_cast<std::size_t>(i - 1)]; }
  std::int32_t operator()(int i) const { return c[static_cast<std::size_t>(i - 1)]; }
  bool operator==(const GFVE_element&) const = default;   // all 31 entries
};

class Galois_Fields_Vector_Extension {
 public:
  Galois_Fields_Vector_Extension(Console& console, Number_Theory_M& number_theory,
                                 Log_units& log_units);

  // Sets up GF(q) for a prime power q = p^k (k at most 30, q at most max_order); prints nothing
  // on success. False after the improper-order lines, or after one line for an order above
  // max_order.
  bool GFVE_setup(std::int32_t q);
  void GFVE_primitive();                   // lists the powers x^w, w coprime to q - 1
  bool is_primitive_x();                   // whether x is primitive modulo GFVE_generator
  GFVE_element x_power(std::int32_t e);    // x^e by the table of repeated squares

  GFVE_element GFVE_Add(const GFVE_element& a, const GFVE_element& b) const;   // remainder
  GFVE_element GFVE_Sub(const GFVE_element& a, const GFVE_element& b) const;   // floor modulo
  GFVE_element GFVE_Multiply(const GFVE_element& a, const GFVE_element& b);
  GFVE_element GFVE_Divide(const GFVE_element& a, const GFVE_element& b);  // b zero stops "2"
  GFVE_element GFVE_Exp(const GFVE_element& a, std::int32_t n);  // zero, n <= 0 stops "2"
  bool GFVE_equal(const GFVE_element& a, const GFVE_element& b) const;  // entries 1..k+1
  void GFVE_log_message();   // shows GFVE_message and appends it to GFVE_Log.txt

  // The product as specified: schoolbook product, then reduction by repeated subtraction of
  // the generator. The tables give the same element faster once the field is set up.
  GFVE_element multiply_by_subtraction(const GFVE_element& a, const GFVE_element& b);

  // Compact indices (c1 + c2 p + ... + ck p^(k-1)) of the current field.
  // The free-form line of entries 1..k+1 of a, as error and trace lines show an element.
  std::string coefficient_line(const GFVE_element& a) const;
  bool is_reduced(const GFVE_element& a) const;   // entries 1..k in 0..p-1, entry k+1 zero
  std::uint32_t to_index(const GFVE_element& a) const;     // for a reduced element
  GFVE_element from_index(std::uint32_t index) const;
  // The logarithm of the reduced nonzero element x to the base GFVE_pes(npe) by the tables;
  // -1 when the tables cannot answer (the caller then searches).
  std::int32_t table_log(const GFVE_element& x, std::int32_t npe);
  const Gf_tables& tables() const { return tables_; }
  bool tables_ready() const {
    return GFVE_initialized && tables_.ready && tables_.p == GFVE_prime && tables_.k == GFVE_degree;
  }

  static constexpr std::int32_t max_order = 65536;   // the table of squares covers q - 1 < 2^16

  bool GFVE_initialized = false;
  std::int32_t GFVE_order = 0;
  std::int32_t GFVE_prime = 0;
  std::int32_t GFVE_degree = 0;
  std::array<std::int32_t, 31> GFVE_generator{};   // entry i (1-based) at [i - 1]
  GFVE_element GFVE_one;
  GFVE_element GFVE_zero;
  std::int32_t GFVE_no_of_pes = 0;
  std::vector<GFVE_element> GFVE_pes;   // primitive element npe at GFVE_pes[npe - 1]
  std::string GFVE_message;
  std::int32_t GFVE_log_unit = 50;
  static constexpr const char* log_file_name = "GFVE_Log.txt";

 private:
  void warn(const char* operation);
  bool search_generator(std::int32_t q);
  GFVE_element reduced(const GFVE_element& a);   // the same field element, reduced
  GFVE_element x_element() const;

  Console& console_;
  Number_Theory_M& number_theory_;
  Log_units& log_units_;
  Gf_tables tables_;
  std::array<GFVE_element, 17> squares_;      // T(j) = x^(2^(j-2)) at [j - 1]
  std::vector<std::int64_t> base_inverse_;   // per npe: inverse of log(GFVE_pes(npe)); 0 unknown
};
