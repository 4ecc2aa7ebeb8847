// What the verifier of one order knows of each class of the essential set while it reads the
// other files, and what those files lack of them when all are read.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "_Library/Costas_arrays/Costas_properties.hpp"

// One class of the essential set: its array there and what the other files showed of it.
struct Class_entry {
  Costas_perm array;          // the essential set's array of the class
  long essential_line = 0;
  std::uint8_t members = 0;   // bit t: transform t of the array is a member (its first t)
  std::uint8_t in_all = 0;    // bit t: that member seen in the all-arrays file
  std::uint8_t files = 0;     // bit k: a line of the class seen in file kind k
  std::uint32_t yields = 0;   // the bits of the families that yield the class
  bool symmetric = false;     // a member is symmetric about the diagonal
  std::uint8_t g_members = 0; // bit t: that member is G-symmetrical
  std::uint8_t in_g = 0;      // bit t: that member seen in the G-symmetrical file
  long symmetrical_line = 0;  // the line of the class in the symmetrical file
};

// The entry of the class of array (its essential-set line given), with its members' symmetries.
Class_entry class_entry(const Costas_perm& array, long essential_line);

// Records a line of the symmetrical file (one line per symmetric class) or of the G-symmetrical
// file (each G-symmetrical member once) as member t of entry; an empty text, or what is wrong
// with a second line.
std::string record_symmetry_line(Class_entry& entry, bool symmetrical_file, int t, long line);

// What the files lack of the classes: the essential-set lines of the classes whose symmetrical
// line is missing, one such line for each missing G-symmetrical member, and the members missing
// from the all-arrays file with the line of the first class that lacks one.
struct Lacking_members {
  std::vector<long> symmetrical, g_symmetrical;
  std::int64_t all = 0;
  long first_all_line = 0;
};
Lacking_members lacking_members(const std::vector<Class_entry>& classes);
