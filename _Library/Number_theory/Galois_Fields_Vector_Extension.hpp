// The extension field GF(p^k) of the program, k >= 2: the field core (Galois_Fields_core.hpp)
// set up one field at a time by its generator polynomial, elements as coefficient vectors
// (GFVE_element); errors are shown and logged in GFVE_Log.txt.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "_Library/Number_theory/Galois_Fields_core.hpp"

class Console;
class Log_units;
class Number_Theory_M;

class Galois_Fields_Vector_Extension {
  Gf_field core_;   // first, so that the views of its state below can be bound to it

 public:
  Galois_Fields_Vector_Extension(Console& console, Number_Theory_M& number_theory,
                                 Log_units& log_units);
  Galois_Fields_Vector_Extension(const Galois_Fields_Vector_Extension&) = delete;

  // Sets up GF(p^k), k <= 30, silently; false after the lines of a refused order.
  [[nodiscard]] bool GFVE_setup(std::int32_t q);
  void GFVE_primitive();                   // lists the powers x^w, w coprime to q - 1

  GFVE_element GFVE_Add(const GFVE_element& a, const GFVE_element& b) const;   // remainder
  GFVE_element GFVE_Sub(const GFVE_element& a, const GFVE_element& b) const;   // floor modulo
  GFVE_element GFVE_Multiply(const GFVE_element& a, const GFVE_element& b);
  GFVE_element GFVE_Divide(const GFVE_element& a, const GFVE_element& b);  // b zero stops "2"
  GFVE_element GFVE_Exp(const GFVE_element& a, std::int32_t n);  // zero, n <= 0 stops "2"
  bool GFVE_equal(const GFVE_element& a, const GFVE_element& b) const;  // entries 1..k+1
  void GFVE_log_message();   // shows GFVE_message and appends it to GFVE_Log.txt

  // Schoolbook product reduced by repeated subtraction of the generator, without tables.
  GFVE_element multiply_by_subtraction(const GFVE_element& a, const GFVE_element& b) const {
    return core_.multiply_by_subtraction(a, b);
  }

  // The free-form line of entries 1..k+1 of a, as error and trace lines show an element.
  std::string coefficient_line(const GFVE_element& a) const;
  // entries 1..k in 0..p-1, entry k+1 zero
  bool is_reduced(const GFVE_element& a) const { return core_.is_reduced(a); }
  // compact index c1 + c2 p + ... + ck p^(k-1) of a reduced element, and back
  std::uint32_t to_index(const GFVE_element& a) const { return core_.to_index(a); }
  GFVE_element from_index(std::uint32_t index) const { return core_.from_index(index); }
  // log of the reduced nonzero x to the base GFVE_pes(npe) by the tables; -1: search instead
  std::int32_t table_log(const GFVE_element& x, std::int32_t npe);
  const Gf_tables& tables() const { return core_.tables(); }
  // GFVE_initialized holds only after a set-up that built the tables of the field whose p and k
  // GFVE_setup copied into GFVE_prime and GFVE_degree, so the flag alone says the tables serve.
  bool tables_ready() const { return GFVE_initialized; }

  static constexpr std::int32_t max_order = Gf_field::max_order;   // squares cover q - 1 < 2^16

  bool GFVE_initialized = false;
  std::int32_t GFVE_order = 0;
  std::int32_t GFVE_prime = 0;
  std::int32_t GFVE_degree = 0;
  // coefficient of x^(i-1) at [i - 1]
  const std::array<std::int32_t, 31>& GFVE_generator = core_.generator();
  GFVE_element GFVE_one;
  GFVE_element GFVE_zero;
  std::int32_t GFVE_no_of_pes = 0;
  std::vector<GFVE_element> GFVE_pes;   // primitive element npe at GFVE_pes[npe - 1]
  std::string GFVE_message;
  std::int32_t GFVE_log_unit = 50;
  static constexpr const char* log_file_name = "GFVE_Log.txt";

 private:
  void warn(const char* operation);
  GFVE_element reduced(const GFVE_element& a) const;   // the same field element, reduced

  Console& console_;
  Number_Theory_M& number_theory_;
  Log_units& log_units_;
  std::vector<std::int64_t> base_inverse_;   // per npe: inverse of log(GFVE_pes(npe)); 0 unknown
};
