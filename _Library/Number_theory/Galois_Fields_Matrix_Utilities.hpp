// Matrices and vectors over the extension field GF(p^k): the GFVE_ names of the shared matrix
// algorithms, specialised by the extension field's traits. Besides matrices of GFVE_element,
// the inversion also takes matrices of compact element indices (see Galois_Fields_tables.hpp),
// which the polynomial finder uses for its large matrices.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "_Library/Number_theory/Galois_Fields_Matrix_messages.hpp"
#include "_Library/Number_theory/Galois_Fields_Vector_Extension.hpp"

// The points where the GFVE_ module differs from the GFPM_ module.
struct GFVE_names {
  static constexpr std::string_view prefix = "GFVE";
  static constexpr std::string_view singular_text = " ***Singular matrix in GAUJOR, order";
  static constexpr std::string_view matmulv_output_label = ", output rows, cols are";
  static constexpr bool matmul_trace = true;
  static constexpr bool write_trace = true;
  static constexpr bool dot_prod_sum_below_npe_1 = false;
};

// The extension field on GFVE_element, through the module's operations.
struct GFVE_field_traits : GFVE_names {
  using element = GFVE_element;
  Galois_Fields_Vector_Extension* field;

  element zero() const { return field->GFVE_zero; }
  element one() const { return field->GFVE_one; }
  element add(const element& a, const element& b) const { return field->GFVE_Add(a, b); }
  element sub(const element& a, const element& b) const { return field->GFVE_Sub(a, b); }
  element mul(const element& a, const element& b) const { return field->GFVE_Multiply(a, b); }
  element div(const element& a, const element& b) const { return field->GFVE_Divide(a, b); }
  bool equal(const element& a, const element& b) const { return field->GFVE_equal(a, b); }
  std::int32_t no_of_pes() const { return field->GFVE_no_of_pes; }
  element pe(std::int32_t npe) const { return field->GFVE_pes[static_cast<std::size_t>(npe - 1)]; }
  std::int32_t order() const { return field->GFVE_order; }
  std::int32_t table_log(const element& x, std::int32_t npe) const {
    return field->table_log(x, npe);
  }
  std::string coefficients(const element& x) const { return field->coefficient_line(x); }
};

// The extension field on compact indices by the tables: the results of GFVE_field_traits.
struct GFVE_compact_traits : GFVE_names {
  using element = std::uint32_t;
  const Galois_Fields_Vector_Extension* field;
  // Over odd p, log(1 - g^(d mod (q - 1))) at [d], d < 3(q - 1); -1 where g^d is one.
  const std::vector<std::int32_t>* zech;

  element zero() const { return 0; }
  element one() const { return 1; }
  element add(element a, element b) const { return sub(a, sub(0, b)); }
  element sub(element a, element b) const;
  element mul(element a, element b) const { return field->tables().multiply(a, b); }
  element div(element a, element b) const { return mul(a, field->tables().inverse(b)); }
  bool equal(element a, element b) const { return a == b; }
  std::int32_t no_of_pes() const { return field->GFVE_no_of_pes; }
  element pe(std::int32_t npe) const {
    return field->to_index(field->GFVE_pes[static_cast<std::size_t>(npe - 1)]);
  }
  std::int32_t order() const { return field->GFVE_order; }
  std::int32_t table_log(element x, std::int32_t npe) const;
  std::string coefficients(element x) const { return field->coefficient_line(field->from_index(x)); }
  void scale_row(element* row, int n, element v) const;
  void eliminate_row(element* target, const element* pivot, int n, element d) const;
};

class Galois_Fields_Matrix_Utilities {
 public:
  using Matrix = Gf_matrix<GFVE_element>;
  using Vector = Gf_vector<GFVE_element>;
  using Index_matrix = Gf_matrix<std::uint32_t>;

  Galois_Fields_Matrix_Utilities(Console& console, Galois_Fields_Vector_Extension& field)
      : console_(console), field_(field), ops_(console, GFVE_field_traits{{}, &field}) {}

  void GFVE_matmul(const Matrix& a, const Matrix& b, Matrix& c) { ops_.matmul(a, b, c); }
  void GFVE_matmulv(const Matrix& a, const Vector& x, Vector& y) { ops_.matmulv(a, x, y); }
  void GFVE_matadd(const Matrix& a, const Matrix& b, Matrix& c) { ops_.matadd(a, b, c); }
  void GFVE_matsub(const Matrix& a, const Matrix& b, Matrix& c) { ops_.matsub(a, b, c); }
  // A replaced by its inverse; returns det(A), zero (with the singular line) when singular
  GFVE_element GFVE_Minv(Matrix& a) { return ops_.Minv(a); }
  // The same on compact indices of the set-up field (the field must be set up)
  std::uint32_t GFVE_Minv(Index_matrix& a);
  // log of x . y to primitive element npe; npe out of range stops with code "2"
  std::int32_t GFVE_dot_prod(const Vector& x, const Vector& y, std::int32_t npe) {
    return ops_.dot_prod(x, y, npe);
  }
  std::int32_t GFVE_isotropy(const Vector& x) { return ops_.isotropy(x); }
  // exponent of GFVE_pes(npe) giving x; -99 for zero; bad npe stops "2", no power stops blank
  std::int32_t GFVE_log(const GFVE_element& x, std::int32_t npe) { return ops_.log(x, npe); }
  // unit null or closed: the console only
  void GFVE_write_matrix(const Matrix& a, std::int32_t npe, Text_output* unit) {
    ops_.write_matrix(a, npe, unit);
  }
  void GFVE_write_vector(const Vector& x, std::int32_t npe, Text_output* unit) {
    ops_.write_vector(x, npe, unit);
  }
  std::int32_t GFVE_Minv_rank() const { return ops_.rank; }
  Gf_matrix_ops<GFVE_field_traits>& ops() { return ops_; }
  // Operations on compact indices (for the finder and for tests).
  Gf_matrix_ops<GFVE_compact_traits> compact_ops();

 private:
  Console& console_;
  Galois_Fields_Vector_Extension& field_;
  Gf_matrix_ops<GFVE_field_traits> ops_;
  std::vector<std::int32_t> zech_;   // the Zech logarithms of GFVE_compact_traits::zech
  std::int32_t zech_order_ = 0;
  std::int32_t zech_prime_ = 0;
};
