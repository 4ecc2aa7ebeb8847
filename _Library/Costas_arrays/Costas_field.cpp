#include "Costas_field.hpp"

#include <numeric>

#include "Number_Theory_M.hpp"

namespace {

constexpr std::int32_t max_field_order = 1024;

}  // namespace

Costas_field::Costas_field(std::int32_t q, Number_Theory_M& number_theory) {
  if (q < 2 || q > max_field_order) return;
  number_theory.factorize(q);
  if (number_theory.factor_record.count != 1) return;
  const auto p = static_cast<std::int32_t>(number_theory.factor_record.primes[1]);
  const std::int32_t k = number_theory.factor_record.mults[1];
  p_ = p;
  k_ = k;
  q_ = q;
  // x is primitive modulo x^k - (c_0 + c_1 x + ... ): try the low coefficients in turn as
  // base-p numbers; the first that makes x generate every non-zero element wins.
  std::vector<std::int32_t> low(static_cast<std::size_t>(k), 0);
  for (std::int32_t code = 1; code < q; ++code) {
    std::int32_t rest = code;
    for (auto& c : low) {
      c = rest % p;
      rest /= p;
    }
    if (try_generator(low)) break;
  }
  for (std::int32_t e = 1; e < q - 1; ++e) {
    if (std::gcd(e, q - 1) == 1) primitive_exponents_.push_back(e);
  }
  if (q == 2) primitive_exponents_ = {0};
}

bool Costas_field::try_generator(const std::vector<std::int32_t>& low) {
  // Elements as base-p digit vectors; multiplying by x shifts up and folds x^k back.
  const std::size_t k = low.size();
  std::vector<std::int32_t> digits(k, 0), next(k);
  digits[0] = 1;
  std::vector<std::int32_t> exp(static_cast<std::size_t>(q_ - 1));
  std::vector<std::int32_t> log(static_cast<std::size_t>(q_), -1);
  auto encode = [this](const std::vector<std::int32_t>& d) {
    std::int32_t value = 0;
    for (std::size_t i = d.size(); i-- > 0;) value = value * p_ + d[i];
    return value;
  };
  if (k == 1) {
    // Prime field: x stands for the root low[0] itself.
    digits[0] = 1;
  }
  for (std::int32_t e = 0; e < q_ - 1; ++e) {
    const std::int32_t value = encode(digits);
    if (log[static_cast<std::size_t>(value)] != -1) return false;   // order below q-1
    log[static_cast<std::size_t>(value)] = e;
    exp[static_cast<std::size_t>(e)] = value;
    if (k == 1) {
      digits[0] = digits[0] * low[0] % p_;
      continue;
    }
    const std::int32_t top = digits[k - 1];
    for (std::size_t i = k; i-- > 1;) next[i] = digits[i - 1];
    next[0] = 0;
    for (std::size_t i = 0; i < k; ++i) next[i] = (next[i] + top * low[i]) % p_;
    digits.swap(next);
  }
  if (encode(digits) != 1) return false;
  exp_ = std::move(exp);
  log_ = std::move(log);
  generator_ = low;
  return true;
}

std::int32_t Costas_field::power(std::int64_t e) const {
  const std::int64_t m = q_ - 1;
  return exp_[static_cast<std::size_t>(((e % m) + m) % m)];
}

std::int32_t Costas_field::log(std::int32_t x) const { return log_[static_cast<std::size_t>(x)]; }

std::int32_t Costas_field::add(std::int32_t x, std::int32_t y) const {
  if (k_ == 1) return (x + y) % p_;
  std::int32_t sum = 0, scale = 1;
  for (std::int32_t i = 0; i < k_; ++i) {
    sum += ((x % p_ + y % p_) % p_) * scale;
    x /= p_;
    y /= p_;
    scale *= p_;
  }
  return sum;
}

std::int32_t Costas_field::negate(std::int32_t x) const {
  std::int32_t out = 0, scale = 1;
  for (std::int32_t i = 0; i < k_; ++i) {
    out += ((p_ - x % p_) % p_) * scale;
    x /= p_;
    scale *= p_;
  }
  return out;
}

std::int32_t Costas_field::multiply(std::int32_t x, std::int32_t y) const {
  if (x == 0 || y == 0) return 0;
  return power(static_cast<std::int64_t>(log(x)) + log(y));
}

std::vector<std::int32_t> primitive_roots(std::int32_t p) {
  std::vector<std::int32_t> roots;
  for (std::int32_t g = 1; g < p; ++g) {
    std::int64_t x = 1;
    std::int32_t order = 0;
    do {
      x = x * g % p;
      ++order;
    } while (x != 1);
    if (order == p - 1) roots.push_back(g);
  }
  return roots;
}
