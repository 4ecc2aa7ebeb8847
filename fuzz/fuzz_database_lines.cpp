// Fuzz target: the readers of database array lines and methods lines. The first two bytes
// choose the order and the base; the rest is the line. A line that is accepted must give N
// indices within 0..N-1: the reader never makes up an array.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "Read_Database/Vellumcairn_get_file.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const std::int32_t n = 2 + data[0] % 60;
  const std::int32_t base = data[1] & 1;
  const std::string_view line(reinterpret_cast<const char*>(data + 2), size - 2);
  std::array<std::int32_t, MAX_ORDER_CAPACITY> perm{};
  if (read_row_indices(line, n, base, perm).empty()) {
    for (std::int32_t i = 0; i < n; ++i) {
      if (perm[static_cast<std::size_t>(i)] < 0 || perm[static_cast<std::size_t>(i)] >= n) std::abort();
    }
  }
  Method_flags flags{};
  read_method_flags(line, flags);
  return 0;
}
