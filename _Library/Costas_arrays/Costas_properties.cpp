#include "_Library/Costas_arrays/Costas_properties.hpp"

#include <algorithm>

std::size_t Costas_perm_hash::operator()(const Costas_perm& a) const noexcept {
  std::uint64_t h = 1469598103934665603ULL;
  for (std::uint16_t v : a) {
    h ^= v;
    h *= 1099511628211ULL;
  }
  return static_cast<std::size_t>(h ^ (h >> 29));
}

namespace {

// Only the distances d <= N/2 are checked: a vector repeated at distance d, from columns c < c',
// repeats at distance c' - c <= N-1-d too (the dots c, c', c+d, c'+d form a parallelogram), so
// a permutation with distinct vectors up to N/2 has them at every distance.

// Orders up to 64: the rows seen in one word, the differences of one distance in two.
bool is_small_costas(std::span<const std::uint16_t> rows_of) {
  // Raw pointers: this runs for every candidate window and corner addition.
  const std::uint16_t* a = rows_of.data();
  const std::size_t n = rows_of.size();
  std::uint64_t rows = 0;
  for (std::size_t c = 0; c < n; ++c) {
    if (a[c] >= n || (rows >> a[c]) & 1) return false;
    rows |= std::uint64_t{1} << a[c];
  }
  for (std::size_t d = 1; d <= n / 2; ++d) {
    std::uint64_t seen[2] = {0, 0};
    for (std::size_t c = 0; c + d < n; ++c) {
      const std::size_t diff = 63 + a[c + d] - a[c];
      const std::uint64_t bit = std::uint64_t{1} << (diff & 63);
      if (seen[diff >> 6] & bit) return false;
      seen[diff >> 6] |= bit;
    }
  }
  return true;
}

}  // namespace

bool is_costas(std::span<const std::uint16_t> rows_of) {
  const std::size_t n = rows_of.size();
  if (n <= 64) return is_small_costas(rows_of);
  const std::uint16_t* a = rows_of.data();
  // stamp[row], then per distance stamp[difference + n], hold the pass that last saw them;
  // shifted[c] holds the differences of one distance, n added.
  std::vector<std::uint16_t> buffer(3 * n + 1, 0);
  std::uint16_t* stamp = buffer.data();
  std::uint16_t* shifted = stamp + 2 * n + 1;
  for (std::size_t c = 0; c < n; ++c) {
    if (a[c] >= n || stamp[a[c]] != 0) return false;
    stamp[a[c]] = 1;
  }
  std::fill(stamp, shifted, 0);
  // The differences of a distance in one vectorised pass, then one look-up each and one test
  // per distance: this runs once per class of an order of hundreds in the database verifier.
  const auto order = static_cast<std::uint16_t>(n);
  for (std::size_t d = 1; d <= n / 2; ++d) {
    const auto pass = static_cast<std::uint16_t>(d);
    const std::uint16_t* b = a + d;
    const std::size_t m = n - d;
    for (std::size_t c = 0; c < m; ++c) shifted[c] = static_cast<std::uint16_t>(order + b[c] - a[c]);
    unsigned repeated = 0;
    std::size_t c = 0;
    for (; c + 4 <= m; c += 4) {   // unrolled: about a fifth faster at order 478
      repeated |= stamp[shifted[c]] == pass;
      stamp[shifted[c]] = pass;
      repeated |= stamp[shifted[c + 1]] == pass;
      stamp[shifted[c + 1]] = pass;
      repeated |= stamp[shifted[c + 2]] == pass;
      stamp[shifted[c + 2]] = pass;
      repeated |= stamp[shifted[c + 3]] == pass;
      stamp[shifted[c + 3]] = pass;
    }
    for (; c < m; ++c) {
      repeated |= stamp[shifted[c]] == pass;
      stamp[shifted[c]] = pass;
    }
    if (repeated != 0) return false;
  }
  return true;
}

Costas_perm transform(std::span<const std::uint16_t> a, int t) {
  const std::size_t n = a.size();
  t &= 7;
  Costas_perm source(a.begin(), a.end());
  if (t & 4) {
    for (std::size_t c = 0; c < n; ++c) source[a[c]] = static_cast<std::uint16_t>(c);
  }
  Costas_perm image(n);
  for (std::size_t c = 0; c < n; ++c) {
    const std::uint16_t row = (t & 2) ? source[n - 1 - c] : source[c];
    image[c] = (t & 1) ? static_cast<std::uint16_t>(n - 1 - row) : row;
  }
  return image;
}

namespace {

// transform(a, T) holds in column c the row h(a[g(c)]) (h and g reflect rows and columns as T
// says), or with T's transposition h(a'[g(c)]) for the inverse a' of a, which is
// a[h(b[c])] == g(c). a is a permutation of
// 0..n-1 and every entry of b lies in 0..n-1. One loop per transform, without early exit, so
// that the compiler can vectorise it: the hash table almost always offers the right member.
template <int T>
bool is_image_by(const std::uint16_t* a, const std::uint16_t* b, std::size_t n) {
  unsigned differ = 0;
  for (std::size_t c = 0; c < n; ++c) {
    const std::size_t column = (T & 2) ? n - 1 - c : c;
    const std::size_t row = (T & 1) ? n - 1 - b[c] : b[c];
    differ |= (T & 4) ? a[row] ^ column : a[column] ^ row;
  }
  return differ == 0;
}

}  // namespace

bool is_image(std::span<const std::uint16_t> a, int t, std::span<const std::uint16_t> b) {
  const std::size_t n = a.size();
  switch (t & 7) {
    case 0: return is_image_by<0>(a.data(), b.data(), n);
    case 1: return is_image_by<1>(a.data(), b.data(), n);
    case 2: return is_image_by<2>(a.data(), b.data(), n);
    case 3: return is_image_by<3>(a.data(), b.data(), n);
    case 4: return is_image_by<4>(a.data(), b.data(), n);
    case 5: return is_image_by<5>(a.data(), b.data(), n);
    case 6: return is_image_by<6>(a.data(), b.data(), n);
    default: return is_image_by<7>(a.data(), b.data(), n);
  }
}

std::vector<Costas_perm> class_members_sorted(std::span<const std::vector<Costas_perm>> parts) {
  std::vector<Costas_perm> arrays;
  for (const auto& part : parts) {
    for (const auto& array : part) {
      for (int t = 0; t < 8; ++t) arrays.push_back(transform(array, t));
    }
  }
  std::sort(arrays.begin(), arrays.end());
  arrays.erase(std::unique(arrays.begin(), arrays.end()), arrays.end());
  return arrays;
}

std::uint32_t transform_flag_bits(int t) { return static_cast<std::uint32_t>(t & 7) << 24; }

bool is_symmetrical(std::span<const std::uint16_t> a) {
  for (std::size_t c = 0; c < a.size(); ++c) {
    if (a[c] >= a.size() || a[a[c]] != c) return false;
  }
  return true;
}

bool is_g_symmetrical(std::span<const std::uint16_t> a) {
  const std::size_t n = a.size();
  if (n < 2) return false;
  std::size_t half = n / 2;
  std::size_t offset = half;
  if (n % 2 == 1) {
    const std::size_t m = (n - 1) / 2;
    if (a[m] != m) return false;
    half = m;
    offset = m + 1;
  }
  for (std::size_t c = 0; c < half; ++c) {
    if (a[c + offset] != n - 1 - a[c]) return false;
  }
  return true;
}

Costas_perm class_representative(std::span<const std::uint16_t> a) {
  // rank 0: symmetrical, 1: G-symmetrical, 2: neither; the best rank wins, then the smallest.
  // The images are built in one reused buffer: this runs for every constructed array.
  const std::size_t n = a.size();
  Costas_perm inverse(n), image(n), best;
  for (std::size_t c = 0; c < n; ++c) inverse[a[c]] = static_cast<std::uint16_t>(c);
  int best_rank = 3;
  for (int t = 0; t < 8; ++t) {
    const std::span<const std::uint16_t> source = (t & 4) ? std::span<const std::uint16_t>(inverse) : a;
    for (std::size_t c = 0; c < n; ++c) {
      const std::uint16_t row = (t & 2) ? source[n - 1 - c] : source[c];
      image[c] = (t & 1) ? static_cast<std::uint16_t>(n - 1 - row) : row;
    }
    if (best_rank == 0 && !(image < best)) continue;
    const int rank = is_symmetrical(image) ? 0 : is_g_symmetrical(image) ? 1 : 2;
    if (rank < best_rank || (rank == best_rank && image < best)) {
      best = image;
      best_rank = rank;
    }
  }
  return best;
}

std::vector<Class_member> class_members(std::span<const std::uint16_t> rep) {
  std::vector<Class_member> members;
  for (int t = 0; t < 8; ++t) {
    Costas_perm image = transform(rep, t);
    const bool seen = std::any_of(members.begin(), members.end(),
                                  [&image](const Class_member& m) { return m.perm == image; });
    if (!seen) members.push_back({t, std::move(image)});
  }
  return members;
}

namespace {

struct Corner {
  std::size_t column;
  std::size_t row;
};

Corner corner_of(std::size_t n, int k) {
  return {(k & 2) ? n - 1 : 0, (k & 1) ? n - 1 : 0};
}

// a with the given columns deleted and the given rows closed up (rows must be those columns').
Costas_perm delete_dots(std::span<const std::uint16_t> a, std::span<const std::size_t> columns) {
  Costas_perm out;
  out.reserve(a.size() - columns.size());
  for (std::size_t c = 0; c < a.size(); ++c) {
    if (std::find(columns.begin(), columns.end(), c) != columns.end()) continue;
    std::uint16_t row = a[c];
    for (std::size_t gone : columns) {
      if (a[gone] < a[c]) --row;
    }
    out.push_back(row);
  }
  return out;
}

}  // namespace

std::optional<Costas_perm> remove_corner_dot(std::span<const std::uint16_t> a, int k) {
  if (a.size() < 2) return std::nullopt;
  const Corner corner = corner_of(a.size(), k);
  if (a[corner.column] != corner.row) return std::nullopt;
  const std::size_t columns[] = {corner.column};
  return delete_dots(a, columns);
}

std::optional<Costas_perm> remove_corner_square(std::span<const std::uint16_t> a, int k,
                                                std::size_t size) {
  const std::size_t n = a.size();
  if (size == 0 || n < size + 1) return std::nullopt;
  const Corner corner = corner_of(n, k);
  std::vector<std::size_t> columns(size);
  const std::size_t low_row = corner.row == 0 ? 0 : n - size;
  for (std::size_t i = 0; i < size; ++i) {
    columns[i] = corner.column == 0 ? i : n - 1 - i;
    const std::size_t row = a[columns[i]];
    if (row < low_row || row >= low_row + size) return std::nullopt;
  }
  return delete_dots(a, columns);
}

std::optional<Costas_perm> remove_corner_block(std::span<const std::uint16_t> a, int k) {
  return remove_corner_square(a, k, 2);
}

Costas_perm add_corner_dot(std::span<const std::uint16_t> a, int k) {
  const std::size_t n = a.size();
  const Corner corner = corner_of(n + 1, k);
  const std::uint16_t shift = corner.row == 0 ? 1 : 0;
  Costas_perm out(n + 1);
  const std::size_t first = corner.column == 0 ? 1 : 0;
  for (std::size_t c = 0; c < n; ++c) out[first + c] = static_cast<std::uint16_t>(a[c] + shift);
  out[corner.column] = static_cast<std::uint16_t>(corner.row);
  return out;
}

Costas_perm add_opposite_corners(std::span<const std::uint16_t> a, int diagonal) {
  const std::size_t n = a.size();
  Costas_perm out(n + 2);
  out[0] = static_cast<std::uint16_t>(diagonal == 0 ? 0 : n + 1);
  for (std::size_t c = 0; c < n; ++c) out[c + 1] = static_cast<std::uint16_t>(a[c] + 1);
  out[n + 1] = static_cast<std::uint16_t>(diagonal == 0 ? n + 1 : 0);
  return out;
}
