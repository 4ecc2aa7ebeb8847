#include "_Library/Costas_arrays/method_bitmask.hpp"

#include <gtest/gtest.h>

#include <string>

#include "_Library/Text_layout.hpp"

TEST(Method_names, TablesHaveTheirFixedWidths) {
  for (std::string_view name : method_flag_names) EXPECT_EQ(name.size(), 13u) << name;
  for (std::string_view name : transform_names) EXPECT_EQ(name.size(), 24u) << name;
  EXPECT_EQ(method_flag_names[0], "Search       ");
  EXPECT_EQ(method_flag_names[19], "Rickard L-G_1");
  EXPECT_EQ(method_flag_names[29], "G-Symmetrical");
  EXPECT_EQ(transform_names[1], "Transpose, rotate 90 CCW");
}

struct Name_case {
  Method_flags flags;
  const char* method;
  const char* transform;
};

TEST(Method_names, NameOfLowestBitAndOfTransform) {
  constexpr Name_case cases[] = {
      {0u, "Zero invalid!", "No rotation             "},
      {1u << 28, "None found!  ", "No rotation             "},
      {(1u << 28) | (1u << 29), "None found!  ", "No rotation             "},
      {(1u << 2) | (1u << 5), "Welch 1      ", "No rotation             "},
      {1u, "Search       ", "No rotation             "},
      {1u << 20, "20 Reserved  ", "No rotation             "},
      {1u << 24, "None found!  ", "Transpose, rotate 90 CCW"},
      {(1u << 24) | (1u << 25) | (1u << 26), "None found!  ", "Transpose, rotate 180   "},
      {(1u << 26) | (1u << 25) | (1u << 7), "Lempel 2     ", "Rotate 90 CW            "},
      {0xFFFFFFFFu, "Search       ", "Transpose, rotate 180   "},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(method_name(c.flags), c.method) << std::hex << c.flags;
    EXPECT_EQ(transform_name(c.flags), c.transform) << std::hex << c.flags;
  }
}
