#include "_Library/Number_theory/Galois_Fields_Matrix_Utilities.hpp"

#include "_Library/Text_layout.hpp"

namespace {

// Digit-wise (a - b) mod p of two compact indices.
std::uint32_t subtract_digits(std::uint32_t a, std::uint32_t b, std::uint32_t p, int k) {
  std::uint32_t result = 0;
  std::uint32_t place = 1;
  for (int i = 0; i < k; ++i) {
    const std::uint32_t da = a % p;
    const std::uint32_t db = b % p;
    a /= p;
    b /= p;
    result += (da + p - db) % p * place;
    place *= p;
  }
  return result;
}

// a - g^e over odd p, e in 0..2(q-1)-2, by a Zech logarithm: a - g^e = a (1 - g^(e - log a)),
// with -1 = g^((q-1)/2) when a is zero: three look-ups in tables of about q entries, where a
// table of all differences would have q^2.
std::uint32_t minus_power(std::uint32_t a, std::int32_t e, const Gf_tables& tables,
                          const std::int32_t* zech) {
  const std::int32_t cycle = tables.q - 1;
  if (a == 0) return tables.exp[static_cast<std::size_t>(e % cycle + cycle / 2)];
  const std::int32_t log_a = tables.log[a];
  const std::int32_t z = zech[e - log_a + cycle];
  return z < 0 ? 0 : tables.exp[static_cast<std::size_t>(log_a + z)];
}

}  // namespace


GFVE_compact_traits::element GFVE_compact_traits::sub(element a, element b) const {
  const Gf_tables& tables = field->tables();
  if (tables.p == 2) return a ^ b;
  return b == 0 ? a : minus_power(a, tables.log[b], tables, zech->data());
}

std::int32_t GFVE_compact_traits::table_log(element x, std::int32_t npe) const {
  const std::int64_t inverse = field->tables().log_base_inverse(pe(npe));
  return inverse < 0 ? -1 : field->tables().log_to_base(x, inverse);
}


void GFVE_compact_traits::scale_row(element* row, int n, element v) const {
  const element inverse = field->tables().inverse(v);
  for (int j = 0; j < n; ++j) row[j] = mul(row[j], inverse);
}

void GFVE_compact_traits::eliminate_row(element* target, const element* pivot, int n,
                                        element d) const {
  if (d == 0) return;   // indices are always reduced: subtracting zero changes nothing
  const Gf_tables& tables = field->tables();
  const std::int32_t log_d = tables.log[d];
  const std::uint32_t* exp = tables.exp.data();
  const std::int32_t* log = tables.log.data();
  if (tables.p == 2) {
    for (int j = 0; j < n; ++j) {
      if (pivot[j] != 0) target[j] ^= exp[log[pivot[j]] + log_d];
    }
    return;
  }
  for (int j = 0; j < n; ++j) {
    if (pivot[j] != 0) target[j] = minus_power(target[j], log[pivot[j]] + log_d, tables, zech->data());
  }
}

Gf_matrix_ops<GFVE_compact_traits> Galois_Fields_Matrix_Utilities::compact_ops() {
  const Gf_tables& tables = field_.tables();
  if (tables.p != 2 && (zech_order_ != tables.q || zech_prime_ != tables.p)) {
    const std::int32_t cycle = tables.q - 1;
    zech_.assign(3 * static_cast<std::size_t>(cycle), -1);
    for (std::int32_t d = 0; d < 3 * cycle; ++d) {
      const std::uint32_t power = tables.exp[static_cast<std::size_t>(d % cycle)];
      if (power == 1) continue;
      zech_[static_cast<std::size_t>(d)] =
          tables.log[subtract_digits(1, power, static_cast<std::uint32_t>(tables.p), tables.k)];
    }
    zech_order_ = tables.q;
    zech_prime_ = tables.p;
  }
  return Gf_matrix_ops<GFVE_compact_traits>(console_, GFVE_compact_traits{{}, &field_, &zech_});
}

std::uint32_t Galois_Fields_Matrix_Utilities::GFVE_Minv(Index_matrix& a) {
  auto compact = compact_ops();
  const std::uint32_t det = compact.Minv(a);
  ops_.rank = compact.rank;
  return det;
}
