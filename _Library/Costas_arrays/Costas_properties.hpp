// Costas arrays as permutations: the Costas test, the eight rotations and reflections with their
// transform bits, the class representative that names a class, and the two symmetry tests.
// An array of order N is held 0-based: entry c is the row (0..N-1) of the dot in column c.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

using Costas_perm = std::vector<std::uint16_t>;

// Hash of a permutation, for the class maps of the builder.
struct Costas_perm_hash {
  std::size_t operator()(const Costas_perm& a) const noexcept;
};

// True when a is a permutation of 0..N-1 whose displacement vectors are all distinct.
bool is_costas(std::span<const std::uint16_t> a);

// Image of a under transform t (0..7): t = bit24 + 2*bit25 + 4*bit26 of the method flags.
// t = 1 reverses the rows, 2 the columns, 4 transposes first; a t outside 0..7 is taken mod 8.
Costas_perm transform(std::span<const std::uint16_t> a, int t);
// Every member of the class of every array of every part, sorted, each once.
std::vector<Costas_perm> class_members_sorted(std::span<const std::vector<Costas_perm>> parts);
// Whether b equals transform(a, t) (a a permutation of 0..N-1, b of the same order with entries
// in 0..N-1), checked entry by entry without building the image: the database verifier asks it
// once per array line.
bool is_image(std::span<const std::uint16_t> a, int t, std::span<const std::uint16_t> b);
// The method-flag bits 24..26 that name transform t.
std::uint32_t transform_flag_bits(int t);

// Symmetric about the main diagonal: a[a[c]] == c for every c.
bool is_symmetrical(std::span<const std::uint16_t> a);
// Glide symmetry: even N, a[c + N/2] == N-1-a[c] for c < N/2; odd N, the middle column holds
// the middle row and a[c + m + 1] == N-1-a[c] for c < m = (N-1)/2.
bool is_g_symmetrical(std::span<const std::uint16_t> a);

// The first member of the class of a under the eight transforms: the lexicographically
// smallest symmetrical image if there is one, else the smallest G-symmetrical image, else the
// smallest image. Equal for every member of a class, so it serves as the class key.
Costas_perm class_representative(std::span<const std::uint16_t> a);

// One distinct member of a class and the transform t that maps the representative onto it.
struct Class_member {
  int t = 0;
  Costas_perm perm;
};
// The distinct images of rep in the order t = 0..7 (each image once, with its first t).
std::vector<Class_member> class_members(std::span<const std::uint16_t> rep);

// ---- Corner operations, corners numbered 0: (col 0, row 0), 1: (col 0, row N-1),
// 2: (col N-1, row 0), 3: (col N-1, row N-1) ----

// a without the dot of corner k, when that dot is there; rows and columns closed up.
std::optional<Costas_perm> remove_corner_dot(std::span<const std::uint16_t> a, int k);
// a without the size x size square of corner k, when the square holds size dots; order N-size.
std::optional<Costas_perm> remove_corner_square(std::span<const std::uint16_t> a, int k,
                                                std::size_t size);
// a without the 2x2 block of corner k, when the block holds two dots (either diagonal).
std::optional<Costas_perm> remove_corner_block(std::span<const std::uint16_t> a, int k);
// a with one dot added outside corner k (order N+1); no Costas test.
Costas_perm add_corner_dot(std::span<const std::uint16_t> a, int k);
// a with dots added at two opposite corners (order N+2): diagonal 0 adds (0,0) and (N+1,N+1),
// diagonal 1 adds (0,N+1) and (N+1,0); no Costas test.
Costas_perm add_opposite_corners(std::span<const std::uint16_t> a, int diagonal);
