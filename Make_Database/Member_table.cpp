#include "Make_Database/Member_table.hpp"

#include <algorithm>
#include <cstdint>
#include <cstring>

std::size_t member_hash(const Costas_perm& a) {
  constexpr std::uint64_t odd = 0x9E3779B97F4A7C15ULL;
  std::uint64_t h = a.size();
  std::size_t c = 0;
  for (; c + 4 <= a.size(); c += 4) {
    std::uint64_t word = 0;
    std::memcpy(&word, a.data() + c, sizeof word);
    h = (h ^ word) * odd;
    h ^= h >> 29;
  }
  for (; c < a.size(); ++c) h = ((h ^ a[c]) * odd) ^ (h >> 29);
  return static_cast<std::size_t>(h);
}

void Member_table::insert(std::size_t hash, std::size_t value) {
  if (2 * (count_ + 1) > slots_.size()) grow();   // at most half full
  place(hash, value + 1);
  ++count_;
}

void Member_table::place(std::size_t hash, std::size_t stored) {
  std::size_t i = hash & mask_;
  while (slots_[i].second != 0) i = (i + 1) & mask_;
  slots_[i] = {hash, stored};
}

void Member_table::grow() {
  std::vector<std::pair<std::size_t, std::size_t>> old(std::max<std::size_t>(64, 2 * slots_.size()));
  old.swap(slots_);
  mask_ = slots_.size() - 1;
  for (const auto& [hash, stored] : old) {
    if (stored != 0) place(hash, stored);
  }
}
