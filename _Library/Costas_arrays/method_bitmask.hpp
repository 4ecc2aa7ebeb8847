// The 32-bit word of method flags kept with every array of the generated database: the names
// of its bits and of its transforms, and the map from the method numbers of the options to bits.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// Bit 0 marks arrays found by exhaustive search, bits 1..19 the construction method that first
// found the array, bits 24..29 the transform and symmetry marks; the rest carry no meaning.
using Method_flags = std::uint32_t;

constexpr std::int32_t method_count = 19;   // method numbers 1..19 of the options

// Names of the 32 flag bits, each exactly 13 characters, blank-padded; indexed by bit number.
extern const std::array<std::string_view, 32> method_flag_names;
// Names of the 8 transforms, each exactly 24 characters, blank-padded; indexed by
// t = bit 24 + 2 * bit 25 + 4 * bit 26.
extern const std::array<std::string_view, 8> transform_names;
// Bit of method number m (1..19) in the flags; entry 0 is unused (method 0 means all methods).
extern const std::array<std::int32_t, method_count + 1> method_bit;

// 13 characters: "Zero invalid!" for 0, else the name of the lowest set bit among bits 0..23,
// else "None found!  ".
std::string_view method_name(Method_flags flags);
// 24 characters: the entry of transform_names picked by bits 24..26; other bits are ignored.
std::string_view transform_name(Method_flags flags);

// Appends to tag the names of the set flags, without their trailing blanks, joined by ", " in
// bit order ("Welch 0, Rows Reversed, Symmetrical"); appends nothing when no flag is set. The
// tag of an array of the generated database, as the output files show it.
void append_method_tag(std::string& tag, Method_flags flags);
