// The construction methods by number, as the method prompt and its help item list them.
#pragma once

#include <array>
#include <string_view>

inline constexpr std::array<std::string_view, 20> method_list = {
    "0  => All methods",  "1  => Welch 0",      "2  => Welch 1",       "3  => Welch 2",
    "4  => Welch 3",      "5  => Taylor 0",     "6  => Taylor 1",      "7  => Lempel 2",
    "8  => Golomb 2",     "9  => Lempel 3",     "10 => Golomb 3",      "11 => Lempel 4",
    "12 => Golomb 4",     "13 => Taylor 4",     "14 => Golomb *4",     "15 => Golomb *5",
    "16 => Inhom. A 1",   "17 => Inhom. S 1",   "18 => Rickard W 0",   "19 => Rickard L-G 1",
};
