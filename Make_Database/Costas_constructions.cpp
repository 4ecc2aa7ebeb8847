#include "Make_Database/Costas_constructions.hpp"

#include <algorithm>

namespace {

constexpr std::int32_t max_construction_field = 1024;

}  // namespace

Gf_field construction_field(std::int32_t q) {
  Gf_field field;
  if (q < 2 || q > max_construction_field) return field;
  const Factor_record record = factor_record_of(q);
  if (record.count != 1) return field;
  // A field that could not be set up is told by valid(), which every caller asks.
  static_cast<void>(field.set_up(q, record.mults[1] == 1 ? Gf_kind::prime : Gf_kind::extension));
  return field;
}

std::vector<std::int32_t> primitive_roots(std::int32_t p) {
  const Gf_field field = construction_field(p);
  std::vector<std::int32_t> roots;
  if (!field.valid() || field.degree() != 1) return roots;
  for (const std::int32_t w : field.primitive_exponents()) roots.push_back(field.power(w));
  std::sort(roots.begin(), roots.end());
  return roots;
}

Costas_perm exponential_welch(std::int32_t p, std::int32_t g, std::int32_t shift) {
  Costas_perm a(static_cast<std::size_t>(p - 1));
  std::int64_t x = 1;
  for (std::int32_t i = 0; i < shift; ++i) x = x * g % p;
  for (auto& row : a) {
    row = static_cast<std::uint16_t>(x - 1);
    x = x * g % p;
  }
  return a;
}

std::int32_t exponential_welch_row(std::int32_t p, std::int32_t g, std::int32_t shift, std::int32_t c) {
  std::int64_t x = 1, base = g;
  for (std::int64_t e = (std::int64_t{shift} + c) % (p - 1); e > 0; e >>= 1) {
    if (e & 1) x = x * base % p;
    base = base * base % p;
  }
  return static_cast<std::int32_t>(x - 1);
}

namespace {

// Inverse of t modulo m (t prime to m).
std::int64_t inverse_mod(std::int64_t t, std::int64_t m) {
  std::int64_t r0 = m, r1 = t % m, s0 = 0, s1 = 1;
  while (r1 != 0) {
    const std::int64_t quotient = r0 / r1;
    std::int64_t tmp = r0 - quotient * r1;
    r0 = r1;
    r1 = tmp;
    tmp = s0 - quotient * s1;
    s0 = s1;
    s1 = tmp;
  }
  return ((s0 % m) + m) % m;
}

}  // namespace

namespace {

// alpha = g^s, beta = g^t (s and t prime to q-1): beta^j = 1 - alpha^i, so j = log_g(1 - g^(s i)) / t modulo q-1; the row is j-1.
std::int32_t golomb_row_with(const Gf_field& field, std::int32_t s, std::int64_t t_inverse,
                             std::int32_t i) {
  const std::int32_t rest = field.add(1, field.negate(field.power(std::int64_t{s} * i)));
  return static_cast<std::int32_t>(field.log(rest) * t_inverse % (field.order() - 1) - 1);
}

}  // namespace

Costas_perm golomb(const Gf_field& field, std::int32_t s, std::int32_t t) {
  const std::int32_t q = field.order();
  const std::int64_t t_inverse = inverse_mod(t, q - 1);
  Costas_perm a(static_cast<std::size_t>(q - 2));
  for (std::int32_t i = 1; i <= q - 2; ++i) {
    a[static_cast<std::size_t>(i - 1)] = static_cast<std::uint16_t>(golomb_row_with(field, s, t_inverse, i));
  }
  return a;
}

std::int32_t golomb_row(const Gf_field& field, std::int32_t s, std::int32_t t, std::int32_t c) {
  return golomb_row_with(field, s, inverse_mod(t, field.order() - 1), c + 1);
}

// The Golomb pattern of order q-2 sits on the (q-1) x (q-1) torus with row 0 and column 0
// empty. Shifted cyclically by u columns and v rows, it leaves column u and row v empty; the
// window of order q-1 gets the dot (u, v) there. u = v = 0 adds the corner dot.
Costas_perm torus_window(const Costas_perm& golomb_array, std::int32_t u, std::int32_t v) {
  const auto m = static_cast<std::int32_t>(golomb_array.size() + 1);
  Costas_perm b(static_cast<std::size_t>(m));
  b[static_cast<std::size_t>(u)] = static_cast<std::uint16_t>(v);
  for (std::int32_t i = 1; i < m; ++i) {
    const std::int32_t j = golomb_array[static_cast<std::size_t>(i - 1)] + 1;
    b[static_cast<std::size_t>((i + u) % m)] = static_cast<std::uint16_t>((j + v) % m);
  }
  return b;
}

std::vector<Torus_window> costas_torus_windows(const Costas_perm& golomb_array) {
  // The windows are the cyclic shifts of one array w (the pattern with the dot (0, 0) added):
  // window(u, v)[x] = (w[x - u] + v) mod m. One buffer serves every candidate.
  const Costas_perm w = torus_window(golomb_array, 0, 0);
  const auto m = static_cast<std::int32_t>(w.size());
  std::vector<Torus_window> found;
  Costas_perm b(w.size());
  for (std::int32_t u = 0; u < m; ++u) {
    for (std::int32_t v = u == 0 ? 1 : 0; v < m; ++v) {
      std::uint16_t* out = b.data();
      for (std::int32_t x = 0; x < m; ++x) {
        const std::int32_t row = w[static_cast<std::size_t>((x - u + m) % m)] + v;
        out[x] = static_cast<std::uint16_t>(row >= m ? row - m : row);
      }
      if (is_costas(b)) found.push_back({u, v, b});
    }
  }
  return found;
}
