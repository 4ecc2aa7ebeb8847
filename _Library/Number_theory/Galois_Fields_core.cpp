#include "_Library/Number_theory/Galois_Fields_core.hpp"

#include <algorithm>
#include <numeric>

Gf_setup Gf_field::set_up(std::int32_t q, Gf_kind kind) {
  if (q > max_order) return Gf_setup::too_large;
  q_ = q;
  tables_.ready = false;
  record_ = factor_record_of(q);
  p_ = record_.count >= 1 ? static_cast<std::int32_t>(record_.primes[1]) : 0;
  k_ = record_.count >= 1 ? record_.mults[1] : 0;
  // Orders below 2 are improper too: 1 would otherwise pass as a "prime" of itself.
  const bool improper = kind == Gf_kind::prime ? record_.mults[1] > 1 : k_ + 1 > 31;
  if (q < 2 || record_.count != 1 || improper) return Gf_setup::improper_order;

  if (kind == Gf_kind::prime) {
    if (!find_primitive_root()) return Gf_setup::not_found;
    // The tables run over the powers of the root (of 1 in GF(2), where the root found, 2, is
    // zero).
    const std::uint32_t g = static_cast<std::uint32_t>(q == 2 ? 1 : root_);
    tables_.build(q, q, 1, [g, q](std::uint32_t v) {
      return static_cast<std::uint32_t>(std::uint64_t{v} * g % static_cast<std::uint32_t>(q));
    });
  } else {
    const Gf_setup found = find_generator_polynomial();
    if (found != Gf_setup::ready) return found;
    const GFVE_element x = x_element();
    tables_.build(q, p_, k_, [this, &x](std::uint32_t v) {
      return to_index(multiply_by_subtraction(from_index(v), x));
    });
  }
  primitive_exponents_.clear();
  for (std::int32_t w = 1; w <= q - 1; ++w) {
    if (std::gcd(w, q - 1) == 1) primitive_exponents_.push_back(w);
  }
  return Gf_setup::ready;
}

// The first candidate none of whose powers c^1 .. c^(q-2) is 1.
bool Gf_field::find_primitive_root() {
  const std::int64_t p = p_;
  root_ = 0;
  for (std::int32_t c = 2; c <= (q_ > 2 ? q_ - 1 : 2) && root_ == 0; ++c) {
    std::int64_t v = c % p;
    bool rejected = false;
    for (std::int32_t power = 1; power <= q_ - 2; ++power) {
      if (v == 1) {
        rejected = true;
        break;
      }
      v = v * c % p;
    }
    if (!rejected) root_ = c;
  }
  return root_ != 0;
}

Gf_setup Gf_field::find_generator_polynomial() {
  generator_.fill(0);
  generator_[static_cast<std::size_t>(k_)] = 1;
  generator_[0] = 1;
  for (std::int32_t step = 1; step <= q_ - 1; ++step) {
    // Advance like an odometer in base p, entry 0 turning fastest.
    std::int32_t entry = 0;
    ++generator_[0];
    while (generator_[static_cast<std::size_t>(entry)] >= p_) {
      generator_[static_cast<std::size_t>(entry)] = 0;
      ++entry;
      if (entry > k_) return Gf_setup::search_overflow;
      ++generator_[static_cast<std::size_t>(entry)];
    }
    if (generator_[0] != 0 && is_primitive_x()) return Gf_setup::ready;
  }
  return Gf_setup::not_found;
}

// x^d != 1 for every proper divisor d of q - 1 (only x^(q-1) = 1 is checked when q - 1 is
// prime), by the table of repeated squares.
bool Gf_field::is_primitive_x() {
  GFVE_element one;
  one(1) = 1;
  squares_[0] = one;
  squares_[1] = x_element();
  std::int32_t e = q_ - 1;
  for (std::size_t j = 3; j <= squares_.size(); ++j) {
    e /= 2;
    if (e == 0) break;
    squares_[j - 1] = multiply_by_subtraction(squares_[j - 2], squares_[j - 2]);
  }
  if (factor_record_of(q_ - 1).is_prime) return equal(x_power(q_ - 1), one);
  for (std::int32_t d = 1; d <= q_ - 2; ++d) {
    if ((q_ - 1) % d == 0 && equal(x_power(d), one)) return false;
  }
  return equal(x_power(q_ - 1), one);
}

GFVE_element Gf_field::x_power(std::int32_t e) const {
  if (e == 0) return squares_[0];
  const GFVE_element x = x_element();
  if (e == 1) return x;
  if (e == 2) return multiply_by_subtraction(x, x);
  GFVE_element result = squares_[0];
  std::size_t j = 2;
  for (;;) {
    if (e % 2 != 0) result = multiply_by_subtraction(result, squares_[j - 1]);
    e /= 2;
    if (e == 0) break;
    ++j;
  }
  return result;
}

std::int32_t Gf_field::power(std::int64_t e) const {
  const std::int64_t m = q_ - 1;
  return static_cast<std::int32_t>(tables_.exp[static_cast<std::size_t>(((e % m) + m) % m)]);
}

std::int32_t Gf_field::log(std::int32_t x) const { return tables_.log[static_cast<std::size_t>(x)]; }

std::int32_t Gf_field::add(std::int32_t x, std::int32_t y) const {
  std::int32_t sum = 0, scale = 1;
  for (std::int32_t i = 0; i < k_; ++i) {
    sum += (x % p_ + y % p_) % p_ * scale;
    x /= p_;
    y /= p_;
    scale *= p_;
  }
  return sum;
}

std::int32_t Gf_field::negate(std::int32_t x) const {
  std::int32_t out = 0, scale = 1;
  for (std::int32_t i = 0; i < k_; ++i) {
    out += (p_ - x % p_) % p_ * scale;
    x /= p_;
    scale *= p_;
  }
  return out;
}

std::int32_t Gf_field::multiply(std::int32_t x, std::int32_t y) const {
  return static_cast<std::int32_t>(
      tables_.multiply(static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)));
}

GFVE_element Gf_field::multiply_by_subtraction(const GFVE_element& a, const GFVE_element& b) const {
  const std::int32_t p = p_;
  const std::int32_t k = k_;
  GFVE_element result;
  // Before any set-up there is no field, and without a monic generator of degree k (after a
  // failed set-up) the repeated subtraction would never end: the product is then zero.
  if (p <= 0 || k < 1 || k > 30 || generator_[static_cast<std::size_t>(k)] != 1) return result;
  std::array<std::int64_t, 64> w{};   // the product workspace, 1-based
  for (int i = 1; i <= k + 1; ++i) {
    for (int j = 1; j <= k + 1; ++j) {
      w[static_cast<std::size_t>(i + j - 1)] =
          floor_mod(w[static_cast<std::size_t>(i + j - 1)] + std::int64_t{a(i)} * b(j), p);
    }
  }
  for (int i = 2 * k + 1; i >= k + 1; --i) {
    while (w[static_cast<std::size_t>(i)] != 0) {
      for (int j = 1; j <= k + 1; ++j) {
        auto& slot = w[static_cast<std::size_t>(i - k - 1 + j)];
        slot = floor_mod(slot - generator_[static_cast<std::size_t>(j - 1)], p);
      }
    }
  }
  for (int i = 1; i <= k + 1; ++i) result(i) = static_cast<std::int32_t>(w[static_cast<std::size_t>(i)]);
  return result;
}

bool Gf_field::equal(const GFVE_element& a, const GFVE_element& b) const {
  const int top = std::clamp(k_ + 1, 1, 31);
  for (int i = 1; i <= top; ++i) {
    if (a(i) != b(i)) return false;
  }
  return true;
}

bool Gf_field::is_reduced(const GFVE_element& a) const {
  for (int i = 1; i <= k_; ++i) {
    if (a(i) < 0 || a(i) >= p_) return false;
  }
  return a(k_ + 1) == 0;
}

std::uint32_t Gf_field::to_index(const GFVE_element& a) const {
  std::uint32_t index = 0;
  for (int i = k_; i >= 1; --i) {
    index = index * static_cast<std::uint32_t>(p_) + static_cast<std::uint32_t>(a(i));
  }
  return index;
}

GFVE_element Gf_field::from_index(std::uint32_t index) const {
  GFVE_element a;
  const auto p = static_cast<std::uint32_t>(p_);
  for (int i = 1; i <= k_; ++i) {
    a(i) = static_cast<std::int32_t>(index % p);
    index /= p;
  }
  return a;
}
