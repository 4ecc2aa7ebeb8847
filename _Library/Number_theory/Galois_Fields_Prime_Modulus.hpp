// The prime field GF(p) of the program: the field core (Galois_Fields_core.hpp) set up one
// field at a time, its residue arithmetic (floor modulo) and the list of all primitive
// elements, with progress and errors shown on the console and logged in GFPM_Log.txt.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "_Library/Number_theory/Galois_Fields_core.hpp"

class Console;
class Log_units;
class Number_Theory_M;

class Galois_Fields_Prime_Modulus {
 public:
  Galois_Fields_Prime_Modulus(Console& console, Number_Theory_M& number_theory,
                              Log_units& log_units);
  Galois_Fields_Prime_Modulus(const Galois_Fields_Prime_Modulus&) = delete;

  // Sets up GF(q) for a prime q <= max_order; false after the lines of a refused order.
  [[nodiscard]] bool GFPM_setup(std::int32_t q);
  // Lists the powers alpha^w, w coprime to q - 1, as GFPM_pes and logs each one.
  void GFPM_primitive(std::int32_t alpha);

  std::int32_t GFPM_Add(std::int32_t a, std::int32_t b);       // (a + b) mod p
  std::int32_t GFPM_Sub(std::int32_t a, std::int32_t b);       // (a - b) mod p
  std::int32_t GFPM_Multiply(std::int32_t a, std::int32_t b);  // (a * b) mod p, exact
  std::int32_t GFPM_Divide(std::int32_t a, std::int32_t b);    // a * b^-1; b == 0 stops with "2"
  std::int32_t GFPM_Exp(std::int32_t a, std::int32_t n);       // a^n; a == 0, n <= 0 stops with "2"
  bool GFPM_equal(std::int32_t a, std::int32_t b) const { return a == b; }   // as integers
  std::int32_t GFPM_2array(std::int32_t a);                    // a unchanged
  void GFPM_log_message();   // shows GFPM_message and appends it to GFPM_Log.txt

  // log of the residue x in 1..p-1 to the base GFPM_pes(npe) by the tables; -1: search instead
  std::int32_t table_log(std::int32_t x, std::int32_t npe);
  const Gf_tables& tables() const { return core_.tables(); }
  // GFPM_initialized holds only after a set-up that built the tables of the field whose p
  // GFPM_setup copied into GFPM_prime, so the flag alone says the tables serve.
  bool tables_ready() const { return GFPM_initialized; }

  // Orders above this are refused; no Costas order up to 500 needs one.
  static constexpr std::int32_t max_order = Gf_field::max_order;

  bool GFPM_initialized = false;
  std::int32_t GFPM_order = 0;
  std::int32_t GFPM_prime = 0;        // 0 until a field has been set up
  std::int32_t GFPM_one = 1;
  std::int32_t GFPM_zero = 0;
  std::int32_t GFPM_no_of_pes = 0;
  std::vector<std::int32_t> GFPM_pes;   // primitive element npe at GFPM_pes[npe - 1]
  std::string GFPM_message;             // composed free-form line, shown by GFPM_log_message
  std::int32_t GFPM_log_unit = 50;
  static constexpr const char* log_file_name = "GFPM_Log.txt";

 private:
  void warn(const char* operation);
  std::int32_t reduce(std::int64_t a) const;   // floor modulo p; 0 while no modulus is known
  [[noreturn]] void exp_of_zero(std::int32_t n);

  Console& console_;
  Number_Theory_M& number_theory_;
  Log_units& log_units_;
  Gf_field core_;
  std::vector<std::int64_t> base_inverse_;   // per npe: inverse of log(GFPM_pes(npe)); 0 unknown
};
