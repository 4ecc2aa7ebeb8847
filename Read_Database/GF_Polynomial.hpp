// The generating-polynomial finder: one line of coefficient exponents per written Costas array.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "Read_Database/GF_Polynomial_packed.hpp"
#include "Read_Database/GF_Polynomial_solver.hpp"
#include "_Library/Number_theory/Galois_Fields_Matrix_Utilities.hpp"
#include "_Library/Number_theory/Galois_Fields_PM_Matrix_Utilities.hpp"

class Console;
class Pause_m;
class Text_output;

// The field the polynomials of a run are found in, and the order of its arrays.
struct Finder_field {
  std::int32_t array_order = 0;      // N, the number of row indices used
  std::int32_t gf_order = 0;         // q
  std::optional<Gf_kind> gf_kind;    // none: no field was chosen, which stops
};

// The field the finder works in, fixed once it is set up: its tables, primitive element 1 (a)
// and the logarithms to a. Elements are held by index (the residue itself in GF(p), the digits
// c1 + c2 p + ... + ck p^(k-1) in GF(p^k)), so that each step of the finder takes one path for
// both kinds of field.
class Finder_context {
 public:
  // log_a(x) is the exponent of a giving the nonzero element x.
  Finder_context(Gf_kind kind, const Gf_tables& tables, std::uint32_t a,
                 const std::function<std::int32_t(std::uint32_t)>& log_a);

  Gf_kind kind() const { return kind_; }
  std::int32_t order() const { return tables_.q; }
  std::int32_t characteristic() const { return tables_.p; }
  std::int32_t degree() const { return tables_.k; }
  const Gf_tables& tables() const { return tables_; }
  bool a_is_generator() const { return tables_.exp[1] == a_; }   // a = the tables' g
  std::uint32_t power(std::int64_t e) const;   // a^e, e taken modulo q - 1
  std::int32_t log(std::uint32_t x) const {    // to the base a; -99 for zero
    return log_[x];
  }

 private:
  Gf_kind kind_;
  Gf_tables tables_;
  std::uint32_t a_;
  std::int64_t a_log_;               // log_g(a)
  std::vector<std::int32_t> log_;    // log_a at [x]
};

class GF_Polynomial {
 public:
  GF_Polynomial(Console& console, Pause_m& pause, Galois_Fields_Prime_Modulus& gfpm,
                Galois_Fields_Vector_Extension& gfve,
                Galois_Fields_PM_Matrix_Utilities& gfpm_matrix,
                Galois_Fields_Matrix_Utilities& gfve_matrix);

  // Writes the array's polynomial line to polynomials_csv if open, none while the matrix of the
  // run is singular; a field it cannot use stops.
  void get_GFPolynomial(std::span<const std::int32_t> row_indices, const Finder_field& field,
                        Text_output* polynomials_csv);
  // Frees the matrices so that the next call builds again; no field kind stops.
  void release_GFPolynomial(std::optional<Gf_kind> gf_kind);

  std::int32_t rebuild = 1;              // nonzero: build the matrix before the next solve
  std::vector<std::int32_t> output;      // e_0 .. e_(N-1) of the last array

  // Test seam: change V between its build and its inversion.
  std::function<void(Gf_matrix<std::uint32_t>&)> matrix_hook;

 private:
  // The log of det(V) to a, and whether V was singular.
  struct Inverse {
    std::int32_t det_log;
    bool singular;
  };

  [[noreturn]] void identifier_error();
  // The context of the field of order q and kind, set up by its module the first time.
  const Finder_context& context_for(Gf_kind kind, std::int32_t q);
  // Builds V^-1 in the field when rebuild asks for it.
  void prepare(const Finder_context& field);
  Inverse invert(const Finder_context& field);   // V, inverted in matrix_
  void map(const Finder_context& field);         // the product c = V^-1 y of every array
  void solve(const Finder_context& field);       // output for permutation_
  void write_coefficients(std::int32_t q, Text_output* csv);

  Console& console_;
  Pause_m& pause_;
  Galois_Fields_Prime_Modulus& gfpm_;
  Galois_Fields_Vector_Extension& gfve_;
  Galois_Fields_PM_Matrix_Utilities& gfpm_matrix_;
  Galois_Fields_Matrix_Utilities& gfve_matrix_;

  // The field of each kind set up by this finder; the modules hold the same fields.
  std::optional<Finder_context> contexts_[2];
  int n_ = 0;                                // N of the matrix held
  std::optional<Gf_kind> built_kind_;        // the kind of field it was built in
  bool withheld_ = false;                    // the prime matrix held is singular: write no line
  std::vector<std::int32_t> permutation_;    // the current array, during one call
  Gf_matrix<std::uint32_t> matrix_;          // V^-1, as element indices
  Gfp_linear_map map_;                       // c = V^-1 y over GF(p), per array
  Packed_digit_map packed_;                  // c = V^-1 y over GF(p^k), p odd, k >= 3, per array
  bool packed_product_ = false;              // packed_ serves the field held
  int degree_ = 1;
  std::vector<std::uint32_t> powers_;        // digits of a^s at [(s - 1) k + d]
  std::vector<std::uint32_t> y_;             // digits of y, or for packed_ its exponents
  std::vector<std::uint32_t> c_;
  struct Item {
    char text[15];
    std::uint8_t length;
  };
  std::vector<Item> items_;   // " ," and the item of e at [e + 1], of -99 at [0]
  std::int32_t item_order_ = 0;
  std::string line_;
};
