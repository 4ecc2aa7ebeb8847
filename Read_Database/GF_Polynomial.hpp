// The generating-polynomial finder: one line of coefficient exponents per written Costas array.
#pragma once

#include <cstdint>
#include <functional>
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
  std::int32_t array_order = 0;   // N, the number of row indices used
  std::int32_t gf_order = 0;      // q
  std::int32_t gf_kind = 0;       // 1 prime field, 2 extension field; any other value stops
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
  // Frees the matrices so that the next call builds again; a gf_kind not 1 or 2 stops.
  void release_GFPolynomial(std::int32_t gf_kind);

  std::int32_t rebuild = 1;              // nonzero: build the matrix before the next solve
  std::vector<std::int32_t> output;      // e_0 .. e_(N-1) of the last array

  // Test seams: change V between its build and its inversion.
  std::function<void(Gf_matrix<std::int32_t>&)> prime_matrix_hook;
  std::function<void(Gf_matrix<std::uint32_t>&)> extension_matrix_hook;

 private:
  // The log of det(V) to primitive element 1, and whether V was singular.
  struct Inverse {
    std::int32_t det_log;
    bool singular;
  };

  [[noreturn]] void identifier_error(std::int32_t gf_kind);
  // Sets up the field of gf_order when it changed and builds V^-1 when rebuild asks for it.
  void prepare(bool prime);
  Inverse invert_prime();       // V over GF(p), inverted in prime_matrix_
  Inverse invert_extension();   // V over GF(p^k), inverted in extension_matrix_
  void map_prime();             // powers_ and map_ from prime_matrix_
  void map_extension();         // powers_ and map_ from extension_matrix_
  void solve_prime();           // output for permutation_
  void solve_extension();
  void write_coefficients(Text_output* csv);

  Console& console_;
  Pause_m& pause_;
  Galois_Fields_Prime_Modulus& gfpm_;
  Galois_Fields_Vector_Extension& gfve_;
  Galois_Fields_PM_Matrix_Utilities& gfpm_matrix_;
  Galois_Fields_Matrix_Utilities& gfve_matrix_;

  Finder_field field_;                       // the field of the current call
  int n_ = 0;                                // N of the matrix held
  std::int32_t built_kind_ = 0;              // gf_kind it was built for
  bool withheld_ = false;                    // the prime matrix held is singular: write no line
  std::vector<std::int32_t> permutation_;    // the current array, during one call
  Gf_matrix<std::int32_t> prime_matrix_;     // V^-1 over GF(p)
  Gf_matrix<std::uint32_t> extension_matrix_;   // V^-1 over GF(p^k), as element indices
  std::int32_t prime_a_ = 0;
  GFVE_element extension_a_;
  Gfp_linear_map map_;                      // c = V^-1 y over GF(p), per array
  Packed_digit_map packed_;                 // c = V^-1 y over GF(p^k), p odd, k >= 3, per array
  bool packed_product_ = false;             // packed_ serves the extension field held
  int degree_ = 1;
  std::vector<std::uint32_t> powers_;       // digits of a^s at [(s - 1) k + d]
  std::vector<std::uint32_t> y_;            // digits of y, or for packed_ its exponents
  std::vector<std::uint32_t> c_;
  struct Item {
    char text[15];
    std::uint8_t length;
  };
  std::vector<Item> items_;   // " ," and the item of e at [e + 1], of -99 at [0]
  std::int32_t item_order_ = 0;
  std::string line_;
};
