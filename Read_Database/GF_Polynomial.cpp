// For each written Costas array of order N, the polynomial P of degree below N over GF(q) with
// P(a^(i-1)) = a^(r_i + 1), a = primitive element 1, written as the exponents of its
// coefficients (-99 for zero) on one line of the polynomials CSV file. The interpolation matrix
// V is built and inverted once per run and field; each array then costs one product c = V^-1 y:
// as a map over GF(p) (the k x k blocks of V^-1, k = 1 in a prime field) with a^s for s = 1..N
// kept as residue digits, k per power; over GF(p^k), p odd and k >= 3, where that map would
// hold k^2 N^2 residues, by logarithms with packed digits. Both kinds of field take the same
// steps on element indices; only the set-up and the inversion go through the field's module,
// whose console lines they are.
#include "Read_Database/GF_Polynomial.hpp"

#include <algorithm>
#include <cstring>

#include "_Library/Console_io.hpp"
#include "_Library/Pause_m.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"

Finder_context::Finder_context(Gf_kind kind, const Gf_tables& tables, std::uint32_t a,
                               const std::function<std::int32_t(std::uint32_t)>& log_a)
    : kind_(kind), tables_(tables), a_(a), a_log_(tables.log[a]) {
  log_.assign(static_cast<std::size_t>(tables_.q), -99);
  for (std::int32_t x = 1; x < tables_.q; ++x) log_[static_cast<std::size_t>(x)] = log_a(static_cast<std::uint32_t>(x));
}

std::uint32_t Finder_context::power(std::int64_t e) const {
  const std::int64_t m = tables_.q - 1;
  const std::int64_t r = (a_log_ * (e % m)) % m;
  return tables_.exp[static_cast<std::size_t>(r < 0 ? r + m : r)];
}

GF_Polynomial::GF_Polynomial(Console& console, Pause_m& pause,
                             Galois_Fields_Prime_Modulus& gfpm,
                             Galois_Fields_Vector_Extension& gfve,
                             Galois_Fields_PM_Matrix_Utilities& gfpm_matrix,
                             Galois_Fields_Matrix_Utilities& gfve_matrix)
    : console_(console), pause_(pause), gfpm_(gfpm), gfve_(gfve),
      gfpm_matrix_(gfpm_matrix), gfve_matrix_(gfve_matrix) {}

void GF_Polynomial::identifier_error() {
  // The options hold no field kind until a field order has been chosen, shown as kind 0.
  console_.line("###ERROR: get_GFPolynomial called with Galois field identifier" + fixed_int(0, 4));
  stop_with_code("");
}

namespace {

// The lines of each kind of field: the routine a set-up error names and what the order should
// have been, and what a singular matrix says.
struct Kind_texts {
  const char* routine;
  const char* order_should_be;
  const char* singular;
};
constexpr Kind_texts prime_texts{"get_GFPFpolynomial", " not a prime number",
                                 "###Error in get_GFPMpolynomial; matrix is singular."};
constexpr Kind_texts extension_texts{"get_GFVEpolynomial", " not a prime number to a power",
                                     "###Error in get_GFVEpolynomial; matrix is singular."};
const Kind_texts& texts_of(Gf_kind kind) {
  return kind == Gf_kind::prime ? prime_texts : extension_texts;
}

}  // namespace

void GF_Polynomial::get_GFPolynomial(std::span<const std::int32_t> row_indices,
                                     const Finder_field& field, Text_output* polynomials_csv) {
  const int n = std::max(field.array_order, 0);
  permutation_.assign(static_cast<std::size_t>(n), 0);
  std::copy_n(row_indices.begin(), std::min(row_indices.size(), permutation_.size()),
              permutation_.begin());
  // A matrix built for another N or field kind is never reused, even without a release.
  if (n != n_ || field.gf_kind != built_kind_) rebuild = 1;
  if (!field.gf_kind) identifier_error();
  const Finder_context& context = context_for(*field.gf_kind, field.gf_order);
  prepare(context);
  // A singular matrix writes no line: a prime one for the rest of the run, an extension one
  // until the next array builds again.
  if (withheld_ || rebuild != 0) return;
  solve(context);
  write_coefficients(context.order(), polynomials_csv);
}

const Finder_context& GF_Polynomial::context_for(Gf_kind kind, std::int32_t q) {
  std::optional<Finder_context>& held = contexts_[kind == Gf_kind::prime ? 0 : 1];
  if (held && held->order() == q) return *held;
  const bool prime = kind == Gf_kind::prime;
  if (!(prime ? gfpm_.GFPM_setup(q) : gfve_.GFVE_setup(q))) {
    // An order refused for its size has had its own line; it is no improper order.
    if (q <= Gf_field::max_order) {
      console_.line(free_form(std::string("###Error in ") + texts_of(kind).routine +
                                  "; Galois Field order",
                              q, texts_of(kind).order_should_be));
    }
    stop_with_code("");
  }
  rebuild = 1;
  if (prime) {
    held.emplace(kind, gfpm_.tables(), static_cast<std::uint32_t>(gfpm_.GFPM_pes[0]),
                 [this](std::uint32_t x) { return gfpm_matrix_.GFPM_log(static_cast<std::int32_t>(x), 1); });
  } else {
    held.emplace(kind, gfve_.tables(), gfve_.to_index(gfve_.GFVE_pes[0]),
                 [this](std::uint32_t x) { return gfve_matrix_.GFVE_log(gfve_.from_index(x), 1); });
  }
  return *held;
}

void GF_Polynomial::prepare(const Finder_context& field) {
  if (rebuild == 0) return;
  const Inverse inverse = invert(field);
  console_.line(free_form("Determinant:", inverse.det_log));
  rebuild = 0;
  withheld_ = false;
  if (inverse.singular && field.kind() == Gf_kind::extension) {
    console_.line(texts_of(field.kind()).singular);
    console_.line("No polynomial coefficients will be produced.");
    rebuild = 1;
    return;
  }
  map(field);
  n_ = static_cast<int>(permutation_.size());
  built_kind_ = field.kind();
  output.assign(permutation_.size(), 0);
  if (inverse.singular) {
    console_.line(texts_of(field.kind()).singular);
    console_.line("You may proceed but the polynomial coefficients are INVALID.");
    if (!pause_.ask_yes_no("Proceed?")) stop_with_code("");
    // Coefficients from a singular matrix would be wrong, and nothing in the file could tell.
    console_.line("No polynomial coefficients will be produced.");
    withheld_ = true;
  }
}

GF_Polynomial::Inverse GF_Polynomial::invert(const Finder_context& field) {
  const int n = static_cast<int>(permutation_.size());
  matrix_ = Gf_matrix<std::uint32_t>(n, n);
  for (int i = 1; i <= n; ++i) {
    for (int j = 1; j <= n; ++j) matrix_(i, j) = field.power(std::int64_t{i - 1} * (j - 1));
  }
  if (matrix_hook) matrix_hook(matrix_);
  std::uint32_t det = 0;
  if (field.kind() == Gf_kind::extension) {
    det = gfve_matrix_.GFVE_Minv(matrix_);
  } else {
    // The prime field's module inverts residues; they are the element indices.
    Gf_matrix<std::int32_t> residues(n, n);
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) residues(i, j) = static_cast<std::int32_t>(matrix_(i, j));
    }
    det = static_cast<std::uint32_t>(floor_mod(gfpm_matrix_.GFPM_Minv(residues), field.characteristic()));
    for (int i = 1; i <= n; ++i) {
      for (int j = 1; j <= n; ++j) {
        matrix_(i, j) = static_cast<std::uint32_t>(floor_mod(residues(i, j), field.characteristic()));
      }
    }
  }
  return {field.log(det), det == 0};
}

void GF_Polynomial::map(const Finder_context& field) {
  const int n = static_cast<int>(permutation_.size());
  const int k = field.degree();
  degree_ = k;
  const Gf_tables& tables = field.tables();
  const auto p = static_cast<std::uint32_t>(tables.p);
  // The packed product takes y by exponents of the tables' generator, which a is.
  packed_product_ = tables.p != 2 && k >= 3 && field.a_is_generator();
  if (packed_product_) {
    // Entries stay field elements, held by their logarithms; y by exponents.
    packed_.assign(n, tables, [this](int j, int i) { return matrix_(j + 1, i + 1); });
    y_.assign(static_cast<std::size_t>(n), 0);
    c_.assign(static_cast<std::size_t>(n), 0);
    return;
  }
  // The digits of a^s, s = 1..N.
  powers_.assign(static_cast<std::size_t>(n * k), 0);
  for (int s = 1; s <= n; ++s) {
    std::uint32_t index = field.power(s);
    for (int d = 0; d < k; ++d, index /= p) powers_[static_cast<std::size_t>((s - 1) * k + d)] = index % p;
  }
  // Block (j, i) of the map is multiplication by V^-1(j, i): its column b holds the digits of
  // V^-1(j, i) x^b (x is the tables' generator, a root of the field's polynomial).
  map_.start(n * k, p);
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      const std::uint32_t v = matrix_(j + 1, i + 1);
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

void GF_Polynomial::solve(const Finder_context& field) {
  const std::size_t n = permutation_.size();
  const auto k = static_cast<std::size_t>(degree_);
  const std::int32_t q = field.order();
  if (packed_product_) {
    // y_i = a^(r_i + 1) by its exponent; c comes back as element indices.
    for (std::size_t i = 0; i < n; ++i) {
      y_[i] = static_cast<std::uint32_t>(floor_mod(std::int64_t{permutation_[i]} + 1, q - 1));
    }
    packed_.apply(y_.data(), c_.data());
    for (std::size_t j = 0; j < n; ++j) output[j] = field.log(c_[j]);
    return;
  }
  const auto p = static_cast<std::uint32_t>(field.characteristic());
  for (std::size_t i = 0; i < n; ++i) {
    const std::int32_t s = permutation_[i] + 1;
    if (s >= 1 && static_cast<std::size_t>(s) <= n) {
      std::copy_n(powers_.begin() + static_cast<std::ptrdiff_t>((s - 1) * k), k,
                  y_.begin() + static_cast<std::ptrdiff_t>(i * k));
    } else {
      std::uint32_t index = field.power(s);
      for (std::size_t d = 0; d < k; ++d, index /= p) y_[i * k + d] = index % p;
    }
  }
  map_.apply(y_.data(), c_.data());
  for (std::size_t j = 0; j < n; ++j) {
    std::uint32_t index = 0;
    for (std::size_t d = k; d-- > 0;) index = index * p + c_[j * k + d];
    output[j] = field.log(index);
  }
}

void GF_Polynomial::write_coefficients(std::int32_t q, Text_output* csv) {
  if (csv == nullptr || !csv->is_open()) return;
  if (output.empty()) {
    csv->write_line(" ");
    return;
  }
  // The free-form items: " " first, then the integers separated by " ,". Every exponent of
  // the field is formatted once per field, as " ," and its free-form item.
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

void GF_Polynomial::release_GFPolynomial(std::optional<Gf_kind> gf_kind) {
  if (!gf_kind) identifier_error();
  matrix_.release();
  map_.release();
  packed_.release();
  std::vector<std::uint32_t>().swap(y_);
  std::vector<std::uint32_t>().swap(c_);
  std::vector<std::int32_t>().swap(output);
  rebuild = 1;
}
