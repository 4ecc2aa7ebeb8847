// For each written Costas array of order N, the polynomial P of degree below N over GF(q) with
// P(a^(i-1)) = a^(r_i + 1), a = primitive element 1, written as the exponents of its
// coefficients (-99 for zero) on one line of the polynomials CSV file. The interpolation matrix
// V is built and inverted once per run and field; each array then costs one product c = V^-1 y:
// over GF(p), GF(2^k) and GF(p^2) as a map over GF(p) (the k x k blocks of V^-1 in an extension
// field) with a^s for s = 1..N kept as residue digits, k per power; over GF(p^k), p odd and
// k >= 3, where that map would hold k^2 N^2 residues, by logarithms with packed digits.
#include "Read_Database/GF_Polynomial.hpp"

#include <algorithm>
#include <cstring>

#include "_Library/Console_io.hpp"
#include "_Library/Pause_m.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"

GF_Polynomial::GF_Polynomial(Console& console, Pause_m& pause,
                             Galois_Fields_Prime_Modulus& gfpm,
                             Galois_Fields_Vector_Extension& gfve,
                             Galois_Fields_PM_Matrix_Utilities& gfpm_matrix,
                             Galois_Fields_Matrix_Utilities& gfve_matrix)
    : console_(console), pause_(pause), gfpm_(gfpm), gfve_(gfve),
      gfpm_matrix_(gfpm_matrix), gfve_matrix_(gfve_matrix) {}

void GF_Polynomial::identifier_error(std::int32_t gf_kind) {
  console_.line("###ERROR: get_GFPolynomial called with Galois field identifier" +
                fixed_int(gf_kind, 4));
  stop_with_code("");
}

namespace {

// The error line of a field that cannot be set up: the routine it names and what the order
// should have been.
struct Setup_error_texts {
  const char* routine;
  const char* order_should_be;
};
constexpr Setup_error_texts prime_texts{"get_GFPFpolynomial", " not a prime number"};
constexpr Setup_error_texts extension_texts{"get_GFVEpolynomial", " not a prime number to a power"};

}  // namespace

void GF_Polynomial::get_GFPolynomial(std::span<const std::int32_t> row_indices,
                                     const Finder_field& field, Text_output* polynomials_csv) {
  field_ = field;
  const int n = std::max(field.array_order, 0);
  permutation_.assign(static_cast<std::size_t>(n), 0);
  std::copy_n(row_indices.begin(), std::min(row_indices.size(), permutation_.size()),
              permutation_.begin());
  // A matrix built for another N or field kind is never reused, even without a release.
  if (n != n_ || field.gf_kind != built_kind_) rebuild = 1;
  if (field.gf_kind != 1 && field.gf_kind != 2) identifier_error(field.gf_kind);
  const bool prime = field.gf_kind == 1;
  prepare(prime);
  if (prime) {
    if (withheld_) return;   // a singular prime matrix: no line for the rest of the run
    solve_prime();
  } else if (rebuild != 0) {
    return;   // a singular extension matrix: no line
  } else {
    solve_extension();
  }
  write_coefficients(polynomials_csv);
}

void GF_Polynomial::prepare(bool prime) {
  const Setup_error_texts& texts = prime ? prime_texts : extension_texts;
  const std::int32_t q = field_.gf_order;
  if (prime ? gfpm_.GFPM_prime != q : gfve_.GFVE_order != q) {
    if (!(prime ? gfpm_.GFPM_setup(q) : gfve_.GFVE_setup(q))) {
      // An order refused for its size has had its own line; it is no improper order.
      if (q <= Gf_field::max_order) {
        console_.line(free_form(std::string("###Error in ") + texts.routine +
                                    "; Galois Field order",
                                q, texts.order_should_be));
      }
      stop_with_code("");
    }
    rebuild = 1;
  }
  if (rebuild == 0) return;
  const Inverse inverse = prime ? invert_prime() : invert_extension();
  console_.line(free_form("Determinant:", inverse.det_log));
  rebuild = 0;
  withheld_ = false;
  if (inverse.singular && !prime) {
    console_.line("###Error in get_GFVEpolynomial; matrix is singular.");
    console_.line("No polynomial coefficients will be produced.");
    rebuild = 1;
    return;
  }
  if (prime) {
    map_prime();
  } else {
    map_extension();
  }
  n_ = static_cast<int>(permutation_.size());
  built_kind_ = prime ? 1 : 2;
  output.assign(permutation_.size(), 0);
  if (inverse.singular) {
    console_.line("###Error in get_GFPMpolynomial; matrix is singular.");
    console_.line("You may proceed but the polynomial coefficients are INVALID.");
    if (!pause_.ask_yes_no("Proceed?")) stop_with_code("");
    // Coefficients from a singular matrix would be wrong, and nothing in the file could tell.
    console_.line("No polynomial coefficients will be produced.");
    withheld_ = true;
  }
}

GF_Polynomial::Inverse GF_Polynomial::invert_prime() {
  const int n = static_cast<int>(permutation_.size());
  prime_a_ = gfpm_.GFPM_pes.empty() ? 0 : gfpm_.GFPM_pes[0];
  prime_matrix_ = Gf_matrix<std::int32_t>(n, n);
  for (int i = 1; i <= n; ++i) {
    const std::int32_t b = gfpm_.GFPM_Exp(prime_a_, i - 1);
    for (int j = 1; j <= n; ++j) prime_matrix_(i, j) = gfpm_.GFPM_Exp(b, j - 1);
  }
  if (prime_matrix_hook) prime_matrix_hook(prime_matrix_);
  const std::int32_t det = gfpm_matrix_.GFPM_Minv(prime_matrix_);
  return {gfpm_matrix_.GFPM_log(det, 1), gfpm_.GFPM_equal(det, gfpm_.GFPM_zero)};
}

GF_Polynomial::Inverse GF_Polynomial::invert_extension() {
  const int n = static_cast<int>(permutation_.size());
  extension_a_ = gfve_.GFVE_pes.empty() ? GFVE_element{} : gfve_.GFVE_pes[0];
  extension_matrix_ = Gf_matrix<std::uint32_t>(n, n);
  for (int i = 1; i <= n; ++i) {
    const GFVE_element b = gfve_.GFVE_Exp(extension_a_, i - 1);
    for (int j = 1; j <= n; ++j) extension_matrix_(i, j) = gfve_.to_index(gfve_.GFVE_Exp(b, j - 1));
  }
  if (extension_matrix_hook) extension_matrix_hook(extension_matrix_);
  const std::uint32_t det = gfve_matrix_.GFVE_Minv(extension_matrix_);
  return {gfve_matrix_.GFVE_log(gfve_.from_index(det), 1), det == 0};
}

void GF_Polynomial::map_prime() {
  const int n = static_cast<int>(permutation_.size());
  degree_ = 1;
  powers_.resize(static_cast<std::size_t>(n));
  for (int s = 1; s <= n; ++s) {
    powers_[static_cast<std::size_t>(s - 1)] = static_cast<std::uint32_t>(gfpm_.GFPM_Exp(prime_a_, s));
  }
  const auto p = static_cast<std::uint32_t>(gfpm_.GFPM_prime);
  map_.assign(n, p, [this, p](int r, int s) {
    // Residues of the inverse (of the partly reduced matrix after a singular build).
    const std::int64_t v = prime_matrix_(r + 1, s + 1) % static_cast<std::int64_t>(p);
    return static_cast<std::uint32_t>(v < 0 ? v + p : v);
  });
  y_.assign(static_cast<std::size_t>(n), 0);
  c_.assign(static_cast<std::size_t>(n), 0);
}

void GF_Polynomial::map_extension() {
  const int n = static_cast<int>(permutation_.size());
  const int k = gfve_.GFVE_degree;
  degree_ = k;
  const Gf_tables& tables = gfve_.tables();
  const auto p = static_cast<std::uint32_t>(tables.p);
  packed_product_ = tables.p != 2 && k >= 3;
  if (packed_product_) {
    // Entries stay field elements, held by their logarithms; y by exponents.
    packed_.assign(n, tables, [this](int j, int i) { return extension_matrix_(j + 1, i + 1); });
    y_.assign(static_cast<std::size_t>(n), 0);
    c_.assign(static_cast<std::size_t>(n), 0);
    return;
  }
  // The digits of x^s, s = 1..N (x is primitive element 1 and the tables' generator).
  powers_.assign(static_cast<std::size_t>(n * k), 0);
  for (int s = 1; s <= n; ++s) {
    std::uint32_t index = tables.exp[static_cast<std::size_t>(s % (tables.q - 1))];
    for (int d = 0; d < k; ++d, index /= p) powers_[static_cast<std::size_t>((s - 1) * k + d)] = index % p;
  }
  // Block (j, i) of the map is multiplication by V^-1(j, i): its column b holds the digits of
  // V^-1(j, i) x^b.
  map_.start(n * k, p);
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      const std::uint32_t v = extension_matrix_(j + 1, i + 1);
      if (v == 0) continue;
      for (int b = 0; b < k; ++b) {
        std::uint32_t w = tables.exp[static_cast<std::size_t>(tables.log[v] + b)];
        if (p == 2) {
          map_.set_bits(j * k, i * k + b, w, k);
          continue;
        }
        for (int d = 0; d < k; ++d, w /= p) map_.set(j * k + d, i * k + b, w % p);
      }
    }
  }
  y_.assign(static_cast<std::size_t>(n * k), 0);
  c_.assign(static_cast<std::size_t>(n * k), 0);
}

void GF_Polynomial::solve_prime() {
  const std::size_t n = permutation_.size();
  for (std::size_t i = 0; i < n; ++i) {
    const std::int32_t s = permutation_[i] + 1;
    y_[i] = s >= 1 && static_cast<std::size_t>(s) <= n
                ? powers_[static_cast<std::size_t>(s - 1)]
                : static_cast<std::uint32_t>(gfpm_.GFPM_Exp(prime_a_, s));
  }
  map_.apply(y_.data(), c_.data());
  const Gf_tables& tables = gfpm_.tables();
  const bool direct = gfpm_.tables_ready() && tables.q > 2 &&
                      tables.exp[1] == static_cast<std::uint32_t>(prime_a_);
  for (std::size_t j = 0; j < n; ++j) {
    const auto c = static_cast<std::int32_t>(c_[j]);
    output[j] = c == 0 ? -99 : direct ? tables.log[c_[j]] : gfpm_matrix_.GFPM_log(c, 1);
  }
}

void GF_Polynomial::solve_extension() {
  const std::size_t n = permutation_.size();
  const auto k = static_cast<std::size_t>(degree_);
  const Gf_tables& tables = gfve_.tables();
  if (packed_product_) {
    // y_i = a^(r_i + 1), a = x, by its exponent; c comes back as element indices.
    for (std::size_t i = 0; i < n; ++i) {
      y_[i] = static_cast<std::uint32_t>(floor_mod(std::int64_t{permutation_[i]} + 1, tables.q - 1));
    }
    packed_.apply(y_.data(), c_.data());
    for (std::size_t j = 0; j < n; ++j) output[j] = c_[j] == 0 ? -99 : tables.log[c_[j]];
    return;
  }
  for (std::size_t i = 0; i < n; ++i) {
    const std::int32_t s = permutation_[i] + 1;
    if (s >= 1 && static_cast<std::size_t>(s) <= n) {
      std::copy_n(powers_.begin() + static_cast<std::ptrdiff_t>((s - 1) * k), k,
                  y_.begin() + static_cast<std::ptrdiff_t>(i * k));
    } else {
      const GFVE_element y = gfve_.GFVE_Exp(extension_a_, s);
      for (std::size_t d = 0; d < k; ++d) y_[i * k + d] = static_cast<std::uint32_t>(y.c[d]);
    }
  }
  map_.apply(y_.data(), c_.data());
  const auto p = static_cast<std::uint32_t>(gfve_.GFVE_prime);
  for (std::size_t j = 0; j < n; ++j) {
    std::uint32_t index = 0;
    for (std::size_t d = k; d-- > 0;) index = index * p + c_[j * k + d];
    output[j] = index == 0 ? -99 : tables.log[index];
  }
}

void GF_Polynomial::write_coefficients(Text_output* csv) {
  if (csv == nullptr || !csv->is_open()) return;
  if (output.empty()) {
    csv->write_line(" ");
    return;
  }
  // The free-form items: " " first, then the integers separated by " ,". Every exponent of
  // the field is formatted once per field, as " ," and its free-form item.
  const std::int32_t q = field_.gf_order;
  if (item_order_ != q) {
    items_.assign(static_cast<std::size_t>(q) + 1, Item{});
    for (std::int32_t e = -1; e < q; ++e) {
      std::string text = " ,";
      append_free_int(text, e < 0 ? -99 : e);
      Item& item = items_[static_cast<std::size_t>(e + 1)];
      item.length = static_cast<std::uint8_t>(text.size());
      text.copy(item.text, sizeof item.text);
    }
    item_order_ = q;
  }
  line_.resize(output.size() * sizeof(Item) + 16);
  char* out = line_.data();
  for (const std::int32_t e : output) {
    const auto slot = static_cast<std::size_t>(e + 1);
    const Item& item = slot < items_.size() ? items_[slot] : items_[0];
    std::memcpy(out, item.text, sizeof item.text);
    out += item.length;
  }
  line_[0] = ' ';   // the line's leading blank in place of the first " ,"
  line_[1] = ' ';
  std::memmove(line_.data() + 1, line_.data() + 2, static_cast<std::size_t>(out - line_.data() - 2));
  out -= 1;
  csv->write_line(std::string_view(line_.data(), static_cast<std::size_t>(out - line_.data())));
}

void GF_Polynomial::release_GFPolynomial(std::int32_t gf_kind) {
  if (gf_kind != 1 && gf_kind != 2) identifier_error(gf_kind);
  prime_matrix_.release();
  extension_matrix_.release();
  map_.release();
  packed_.release();
  std::vector<std::uint32_t>().swap(y_);
  std::vector<std::uint32_t>().swap(c_);
  std::vector<std::int32_t>().swap(output);
  rebuild = 1;
}
