#include "_Library/Costas_arrays/Costas_properties.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "_Library/Text_layout.hpp"
#include "_Library/Costas_arrays/method_bitmask.hpp"

namespace {

struct Costas_case {
  Costas_perm a;
  bool costas;
};

TEST(Costas_test, KnownArraysAndNonArrays) {
  const Costas_case cases[] = {
      {{}, true},
      {{0}, true},
      {{0, 1}, true},
      {{0, 1, 3, 2}, true},
      {{0, 2, 1, 5, 3, 4}, true},          // exponential Welch, p = 7, g = 3
      {{0, 1, 2}, false},                  // three equal vectors (1, 1)
      {{0, 2, 1, 3}, false},               // (1, 2) twice
      {{0, 0, 1}, false},                  // not a permutation
      {{0, 1, 3}, false},                  // row outside 0..N-1
      {{1, 3, 0, 2}, false},               // (1, 2) twice
      {{2, 4, 3, 0, 1}, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(is_costas(c.a), c.costas) << testing::PrintToString(c.a);
  }
}

TEST(Costas_test, AgreesWithPairwiseVectorsOnEveryPermutationOfOrderSix) {
  Costas_perm a{0, 1, 2, 3, 4, 5};
  int costas = 0;
  do {
    std::set<std::pair<int, int>> vectors;
    bool distinct = true;
    for (int c = 0; c < 6; ++c) {
      for (int d = c + 1; d < 6; ++d) distinct &= vectors.insert({d - c, a[d] - a[c]}).second;
    }
    ASSERT_EQ(is_costas(a), distinct) << testing::PrintToString(a);
    costas += distinct ? 1 : 0;
  } while (std::next_permutation(a.begin(), a.end()));
  EXPECT_EQ(costas, 116);
}

// Whether the vectors between every two dots of a are distinct: the definition, pair by pair.
bool distinct_vectors(const Costas_perm& a) {
  std::set<std::pair<int, int>> vectors;
  std::set<int> rows(a.begin(), a.end());
  if (rows.size() != a.size() || (!a.empty() && *rows.rbegin() >= static_cast<int>(a.size()))) {
    return false;
  }
  for (std::size_t c = 0; c < a.size(); ++c) {
    for (std::size_t d = c + 1; d < a.size(); ++d) {
      if (!vectors.insert({static_cast<int>(d - c), a[d] - a[c]}).second) return false;
    }
  }
  return true;
}

// Above order 64 the test takes its other path; it checks the distances up to N/2 only, which
// must agree with all pairs: the Welch array of order 70 (p = 71, g = 7) and the arrays one
// transposition of two columns up to 16 apart away from it.
TEST(Costas_test, AgreesWithPairwiseVectorsAboveOrderSixtyFour) {
  Costas_perm welch(70);
  int power = 1;
  for (auto& row : welch) {
    power = power * 7 % 71;
    row = static_cast<std::uint16_t>(power - 1);
  }
  ASSERT_TRUE(distinct_vectors(welch));
  EXPECT_TRUE(is_costas(welch));
  for (std::size_t i = 0; i < welch.size(); ++i) {
    for (std::size_t j = i + 1; j < std::min<std::size_t>(welch.size(), i + 17); ++j) {
      Costas_perm a = welch;
      std::swap(a[i], a[j]);
      ASSERT_EQ(is_costas(a), distinct_vectors(a)) << i << " " << j;
    }
  }
  Costas_perm repeated_row = welch;
  repeated_row[69] = repeated_row[0];
  EXPECT_FALSE(is_costas(repeated_row));
}

// The eight images of an array without symmetries, worked out by hand, with the flag names of
// their transform bits.
TEST(Transforms, EightImagesAndTheirFlagNames) {
  const Costas_perm a{0, 2, 3, 1};   // inverse {0, 3, 1, 2}
  struct Image_case {
    int t;
    Costas_perm image;
    std::string_view name;
  };
  const Image_case cases[] = {
      {0, {0, 2, 3, 1}, "No rotation"},
      {1, {3, 1, 0, 2}, "Transpose, rotate 90 CCW"},
      {2, {1, 3, 2, 0}, "Transpose, rotate 90 CW"},
      {3, {2, 0, 1, 3}, "Rotate 180"},
      {4, {0, 3, 1, 2}, "Transpose"},
      {5, {3, 0, 2, 1}, "Rotate 90 CCW"},
      {6, {2, 1, 3, 0}, "Rotate 90 CW"},
      {7, {1, 2, 0, 3}, "Transpose, rotate 180"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(transform(a, c.t), c.image) << "t = " << c.t;
    EXPECT_EQ(trim_right(transform_name(transform_flag_bits(c.t))), c.name) << "t = " << c.t;
  }
  EXPECT_EQ(transform_flag_bits(5), (1U << 24) | (1U << 26));
  EXPECT_EQ(transform_flag_bits(7), 7U << 24);
}

TEST(Transforms, FormAGroupThatKeepsTheCostasProperty) {
  const Costas_perm a{0, 2, 1, 5, 3, 4};
  std::set<Costas_perm> images;
  for (int t = 0; t < 8; ++t) images.insert(transform(a, t));
  ASSERT_EQ(images.size(), 8U);
  for (const auto& image : images) {
    EXPECT_TRUE(is_costas(image));
    for (int t = 0; t < 8; ++t) EXPECT_TRUE(images.contains(transform(image, t)));
  }
  EXPECT_EQ(transform(transform(a, 4), 4), a);
  EXPECT_EQ(transform(transform(a, 5), 6), a);   // 90 degrees one way, then back
}

TEST(Transforms, ImageTestAgreesWithTheBuiltImages) {
  for (const Costas_perm& a : {Costas_perm{0, 2, 1, 5, 3, 4}, Costas_perm{0, 1, 3, 2},
                               Costas_perm{2, 0, 1}}) {
    for (int t = 0; t < 8; ++t) {
      for (int u = 0; u < 8; ++u) {
        const Costas_perm image = transform(a, u);
        EXPECT_EQ(is_image(a, t, image), transform(a, t) == image) << t << " " << u;
      }
    }
  }
}

TEST(Symmetry, DiagonalAndGlideTests) {
  struct Symmetry_case {
    Costas_perm a;
    bool symmetrical, g_symmetrical;
  };
  const Symmetry_case cases[] = {
      {{0, 1, 3, 2}, true, true},
      {{0, 2, 3, 1}, false, true},
      {{1, 0}, true, true},
      {{0, 1, 2, 4, 3}, true, true},        // odd: the middle column holds the middle row
      {{1, 3, 2, 0, 4}, false, false},
      {{0, 2, 1, 5, 3, 4}, false, true},    // every exponential Welch array
      {{3, 1, 2, 0}, true, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(is_symmetrical(c.a), c.symmetrical) << testing::PrintToString(c.a);
    EXPECT_EQ(is_g_symmetrical(c.a), c.g_symmetrical) << testing::PrintToString(c.a);
  }
}

TEST(Classes, RepresentativeIsSharedByEveryMemberAndPrefersSymmetry) {
  const Costas_perm welch{0, 2, 1, 5, 3, 4};
  const Costas_perm rep = class_representative(welch);
  for (int t = 0; t < 8; ++t) EXPECT_EQ(class_representative(transform(welch, t)), rep);
  EXPECT_TRUE(is_g_symmetrical(rep));   // no symmetrical member, so a G-symmetrical one
  const auto members = class_members(rep);
  ASSERT_EQ(members.size(), 8U);
  EXPECT_EQ(members[0].t, 0);
  EXPECT_EQ(members[0].perm, rep);
  for (const auto& member : members) EXPECT_EQ(transform(rep, member.t), member.perm);

  // {0, 1, 3, 2} is symmetric about the diagonal: a class of four.
  const auto small = class_members(class_representative(Costas_perm{2, 3, 1, 0}));
  ASSERT_EQ(small.size(), 4U);
  EXPECT_TRUE(is_symmetrical(small[0].perm));
  EXPECT_EQ(small[0].perm, (Costas_perm{0, 1, 3, 2}));
}

TEST(Corners, RemovalAndAdditionByHand) {
  const Costas_perm a{0, 1, 3, 2};
  EXPECT_EQ(remove_corner_dot(a, 0), (Costas_perm{0, 2, 1}));
  EXPECT_FALSE(remove_corner_dot(a, 1).has_value());
  EXPECT_FALSE(remove_corner_dot(a, 3).has_value());
  EXPECT_EQ(remove_corner_block(a, 0), (Costas_perm{1, 0}));    // (0,0) and (1,1)
  EXPECT_EQ(remove_corner_block(a, 3), (Costas_perm{0, 1}));    // (2,3) and (3,2), off the corner
  EXPECT_FALSE(remove_corner_block(a, 1).has_value());
  EXPECT_EQ(remove_corner_square(Costas_perm{2, 0, 1, 4, 3}, 0, 3), (Costas_perm{1, 0}));
  EXPECT_FALSE(remove_corner_square(Costas_perm{2, 0, 1, 4, 3}, 3, 3).has_value());

  const Costas_perm b{0, 2, 1};
  EXPECT_EQ(add_corner_dot(b, 0), (Costas_perm{0, 1, 3, 2}));
  EXPECT_EQ(add_corner_dot(b, 1), (Costas_perm{3, 0, 2, 1}));
  EXPECT_EQ(add_corner_dot(b, 2), (Costas_perm{1, 3, 2, 0}));
  EXPECT_EQ(add_corner_dot(b, 3), (Costas_perm{0, 2, 1, 3}));
  EXPECT_EQ(add_opposite_corners(Costas_perm{0}, 0), (Costas_perm{0, 1, 2}));
  EXPECT_EQ(add_opposite_corners(Costas_perm{0}, 1), (Costas_perm{2, 1, 0}));
}

TEST(Corners, AddingThenRemovingGivesTheArrayBack) {
  const Costas_perm welch{0, 2, 1, 5, 3, 4};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(remove_corner_dot(add_corner_dot(welch, k), k), welch) << "corner " << k;
  }
  // Removing any corner dot of a Costas array leaves a Costas array.
  const auto smaller = remove_corner_dot(welch, 0);
  ASSERT_TRUE(smaller.has_value());
  EXPECT_TRUE(is_costas(*smaller));
}

}  // namespace
