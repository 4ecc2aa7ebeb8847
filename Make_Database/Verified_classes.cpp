#include "Make_Database/Verified_classes.hpp"

#include <bit>

Class_entry class_entry(const Costas_perm& array, long essential_line) {
  Class_entry entry;
  entry.array = array;
  entry.essential_line = essential_line;
  for (const Class_member& member : class_members(array)) {
    const auto bit = static_cast<std::uint8_t>(1 << member.t);
    entry.members |= bit;
    if (is_symmetrical(member.perm)) entry.symmetric = true;
    if (is_g_symmetrical(member.perm)) entry.g_members |= bit;
  }
  return entry;
}

std::string record_symmetry_line(Class_entry& entry, bool symmetrical_file, int t, long line) {
  if (symmetrical_file) {
    if (entry.symmetrical_line != 0) {
      return "a second array of the class of line " + std::to_string(entry.symmetrical_line);
    }
    entry.symmetrical_line = line;
    return {};
  }
  const auto bit = static_cast<std::uint8_t>(1 << t);
  if (entry.in_g & bit) return "repeats an earlier array of the file";
  entry.in_g |= bit;
  return {};
}

Lacking_members lacking_members(const std::vector<Class_entry>& classes) {
  Lacking_members lacking;
  for (const Class_entry& entry : classes) {
    if (entry.symmetric && entry.symmetrical_line == 0) lacking.symmetrical.push_back(entry.essential_line);
    for (int g = std::popcount(static_cast<unsigned>(entry.g_members & ~entry.in_g)); g > 0; --g) {
      lacking.g_symmetrical.push_back(entry.essential_line);
    }
    const int all = std::popcount(static_cast<unsigned>(entry.members & ~entry.in_all));
    if (all > 0 && lacking.first_all_line == 0) lacking.first_all_line = entry.essential_line;
    lacking.all += all;
  }
  return lacking;
}
