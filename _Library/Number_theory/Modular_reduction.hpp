// Reduction modulo a run-time modulus without a division instruction (Lemire's method): exact
// for every 32-bit dividend.
#pragma once

#include <cstdint>

class Fast_modulus {
 public:
  explicit Fast_modulus(std::uint32_t d) : d_(d), m_(d == 0 ? 0 : UINT64_C(0xFFFFFFFFFFFFFFFF) / d + 1) {}
  std::uint32_t reduce(std::uint32_t a) const {
    __extension__ using u128 = unsigned __int128;
    const std::uint64_t low = m_ * a;
    return static_cast<std::uint32_t>((static_cast<u128>(low) * d_) >> 64);
  }
  // Floor modulo of a signed value.
  std::uint32_t reduce_signed(std::int64_t a) const {
    const std::int64_t r = a % static_cast<std::int64_t>(d_);
    return static_cast<std::uint32_t>(r < 0 ? r + d_ : r);
  }
  std::uint32_t divisor() const { return d_; }

 private:
  std::uint32_t d_;
  std::uint64_t m_;
};
