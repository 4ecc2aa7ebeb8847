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

constexpr std::int32_t largest_sub_table_order = 2048;

}  // namespace


GFVE_compact_traits::element GFVE_compact_traits::sub(element a, element b) const {
  const Gf_tables& tables = field->tables();
  if (tables.p == 2) return a ^ b;
  if (!sub_table->empty()) return (*sub_table)[a * static_cast<std::uint32_t>(tables.q) + b];
  return subtract_digits(a, b, static_cast<std::uint32_t>(tables.p), tables.k);
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
    if (pivot[j] != 0) target[j] = sub(target[j], exp[log[pivot[j]] + log_d]);
  }
}

Gf_matrix_ops<GFVE_compact_traits> Galois_Fields_Matrix_Utilities::compact_ops() {
  const Gf_tables& tables = field_.tables();
  if (tables.p != 2 && tables.q <= largest_sub_table_order &&
      (sub_table_order_ != tables.q || sub_table_prime_ != tables.p)) {
    const auto q = static_cast<std::uint32_t>(tables.q);
    sub_table_.assign(static_cast<std::size_t>(q) * q, 0);
    for (std::uint32_t a = 0; a < q; ++a) {
      for (std::uint32_t b = 0; b < q; ++b) {
        sub_table_[a * q + b] = static_cast<std::uint16_t>(
            subtract_digits(a, b, static_cast<std::uint32_t>(tables.p), tables.k));
      }
    }
    sub_table_order_ = tables.q;
    sub_table_prime_ = tables.p;
  }
  static const std::vector<std::uint16_t> none;
  const bool use_table = tables.p != 2 && tables.q <= largest_sub_table_order;
  return Gf_matrix_ops<GFVE_compact_traits>(
      console_, GFVE_compact_traits{{}, &field_, use_table ? &sub_table_ : &none});
}

std::uint32_t Galois_Fields_Matrix_Utilities::GFVE_Minv(Index_matrix& a) {
  auto compact = compact_ops();
  const std::uint32_t det = compact.Minv(a);
  ops_.rank = compact.rank;
  return det;
}
