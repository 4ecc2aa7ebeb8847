#include "_Library/Number_theory/Galois_Fields_PM_Matrix_Utilities.hpp"

#include "_Library/Number_theory/Modular_reduction.hpp"

void GFPM_field_traits::scale_row(element* row, int n, element v) const {
  // a / v is a * v^-1 with the same inverse for every a.
  const element inverse = field->GFPM_Exp(v, -1);
  for (int j = 0; j < n; ++j) row[j] = field->GFPM_Multiply(row[j], inverse);
}

void GFPM_field_traits::eliminate_row(element* target, const element* pivot, int n,
                                      element d) const {
  if (!field->tables_ready()) {
    for (int j = 0; j < n; ++j) target[j] = sub(target[j], mul(pivot[j], d));
    return;
  }
  // (t - b d) mod p as (t + b (p - d)) mod p: below 2^32 for residues of a prime below 65536.
  const auto p = static_cast<std::uint32_t>(field->GFPM_prime);
  const Fast_modulus modulus(p);
  const std::uint32_t minus_d = (p - modulus.reduce_signed(d)) % p;
  for (int j = 0; j < n; ++j) {
    const auto t = static_cast<std::uint32_t>(target[j]);
    const auto b = static_cast<std::uint32_t>(pivot[j]);
    if (t < p && b < p) {
      target[j] = static_cast<element>(modulus.reduce(t + b * minus_d));
    } else {
      target[j] = sub(target[j], mul(pivot[j], d));
    }
  }
}
