// The members of the classes of an order by their hash, for the database verifier: open
// addressing in one flat vector, which the lookups of the long files hit once each instead of
// walking the nodes of a map.
#pragma once

#include <cstddef>
#include <utility>
#include <vector>

#include "_Library/Costas_arrays/Costas_properties.hpp"

// The key of an array in the table: four rows per step, for the long arrays of high orders.
std::size_t member_hash(const Costas_perm& a);

// Values stored under hashes; equal hashes take successive slots. A slot holds the hash and
// the value + 1 (0 marks a free slot).
class Member_table {
 public:
  void insert(std::size_t hash, std::size_t value);
  // Calls found(value) for each value stored under hash until it returns true; whether one did.
  template <typename Found>
  bool find(std::size_t hash, Found found) const {
    if (slots_.empty()) return false;
    for (std::size_t i = hash & mask_; slots_[i].second != 0; i = (i + 1) & mask_) {
      if (slots_[i].first == hash && found(slots_[i].second - 1)) return true;
    }
    return false;
  }

 private:
  void place(std::size_t hash, std::size_t stored);
  void grow();

  std::vector<std::pair<std::size_t, std::size_t>> slots_;
  std::size_t mask_ = 0;
  std::size_t count_ = 0;
};
