// A set of Costas arrays of one order held as classes under the eight transforms: one
// representative per class (see class_representative) with the method bit of the first
// construction that produced any member of it.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <vector>

#include "_Library/Costas_arrays/Costas_properties.hpp"

// The four counts of a set: every array, the classes (essential set), the classes that hold a
// symmetrical array, and the G-symmetrical arrays.
struct Class_counts {
  std::int64_t all = 0, essential = 0, symmetrical = 0, g_symmetrical = 0;
  bool operator==(const Class_counts&) const = default;
};

class Costas_class_set {
 public:
  // Adds the class of a with method bit m; an existing class keeps the lower method bit.
  // Returns true when the class is new.
  bool add(std::span<const std::uint16_t> a, int method);
  // Adds a class whose representative is already known (rep == class_representative(rep)).
  bool add_representative(const Costas_perm& rep, int method);
  void merge(const Costas_class_set& other);     // adds every class of other
  // Adds every class of other that this set lacks, with method; the classes held keep theirs.
  void add_missing(const Costas_class_set& other, int method);
  std::size_t size() const { return classes_.size(); }
  bool contains_class_of(std::span<const std::uint16_t> a) const;
  // Representatives with their method bits, sorted by representative.
  std::vector<std::pair<const Costas_perm*, int>> sorted() const;
  const std::unordered_map<Costas_perm, int, Costas_perm_hash>& classes() const { return classes_; }
  Class_counts counts() const;   // walks every member of every class

 private:
  std::unordered_map<Costas_perm, int, Costas_perm_hash> classes_;
};
