// Matrices and vectors over the prime field GF(p): the GFPM_ names of the shared matrix
// algorithms, specialised by the prime field's traits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "_Library/Number_theory/Galois_Fields_Matrix_messages.hpp"
#include "_Library/Number_theory/Galois_Fields_Prime_Modulus.hpp"

// The prime field as the matrix algorithms see it, with the GFPM_ module's message names.
struct GFPM_field_traits {
  using element = std::int32_t;
  static constexpr std::string_view prefix = "GFPM";
  static constexpr std::string_view singular_text = " ***Singular matrix in GFPM_Minv, order";
  static constexpr std::string_view matmulv_output_label = ", output rows are";
  static constexpr bool matmul_trace = false;
  static constexpr bool write_trace = false;
  static constexpr bool dot_prod_sum_below_npe_1 = true;

  Galois_Fields_Prime_Modulus* field;

  element zero() const { return field->GFPM_zero; }
  element one() const { return field->GFPM_one; }
  element add(element a, element b) const { return field->GFPM_Add(a, b); }
  element sub(element a, element b) const { return field->GFPM_Sub(a, b); }
  element mul(element a, element b) const { return field->GFPM_Multiply(a, b); }
  element div(element a, element b) const { return field->GFPM_Divide(a, b); }
  bool equal(element a, element b) const { return field->GFPM_equal(a, b); }
  std::int32_t no_of_pes() const { return field->GFPM_no_of_pes; }
  element pe(std::int32_t npe) const { return field->GFPM_pes[static_cast<std::size_t>(npe - 1)]; }
  std::int32_t order() const { return field->GFPM_prime; }
  std::int32_t table_log(element x, std::int32_t npe) const { return field->table_log(x, npe); }
  std::int32_t to_integer(element sum) const { return field->GFPM_2array(sum); }
  std::string coefficients(element x) const { return free_form(x); }
  // Row operations of the inversion, by the tables once set up; same residues as one by one.
  void scale_row(element* row, int n, element v) const;
  void eliminate_row(element* target, const element* pivot, int n, element d) const;
};

class Galois_Fields_PM_Matrix_Utilities {
 public:
  using Matrix = Gf_matrix<std::int32_t>;
  using Vector = Gf_vector<std::int32_t>;

  Galois_Fields_PM_Matrix_Utilities(Console& console, Galois_Fields_Prime_Modulus& field)
      : ops_(console, GFPM_field_traits{&field}) {}

  void GFPM_matmul(const Matrix& a, const Matrix& b, Matrix& c) { ops_.matmul(a, b, c); }
  void GFPM_matmulv(const Matrix& a, const Vector& x, Vector& y) { ops_.matmulv(a, x, y); }
  void GFPM_matadd(const Matrix& a, const Matrix& b, Matrix& c) { ops_.matadd(a, b, c); }
  void GFPM_matsub(const Matrix& a, const Matrix& b, Matrix& c) { ops_.matsub(a, b, c); }
  // A replaced by its inverse; returns det(A), zero (with the singular line) when singular
  std::int32_t GFPM_Minv(Matrix& a) { return ops_.Minv(a); }
  // log of x . y to primitive element npe; npe < 1 gives the residue itself
  std::int32_t GFPM_dot_prod(const Vector& x, const Vector& y, std::int32_t npe) {
    return ops_.dot_prod(x, y, npe);
  }
  std::int32_t GFPM_isotropy(const Vector& x) { return ops_.isotropy(x); }
  // exponent of GFPM_pes(npe) giving x; -99 for zero; bad npe stops with code "2"
  std::int32_t GFPM_log(std::int32_t x, std::int32_t npe) { return ops_.log(x, npe); }
  // unit null or closed: the console only
  void GFPM_write_matrix(const Matrix& a, std::int32_t npe, Text_output* unit) {
    ops_.write_matrix(a, npe, unit);
  }
  void GFPM_write_vector(const Vector& x, std::int32_t npe, Text_output* unit) {
    ops_.write_vector(x, npe, unit);
  }
  std::int32_t GFPM_Minv_rank() const { return ops_.rank; }
  Gf_matrix_ops<GFPM_field_traits>& ops() { return ops_; }

 private:
  Gf_matrix_ops<GFPM_field_traits> ops_;
};
