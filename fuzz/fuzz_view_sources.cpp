// Fuzz target: costas_view's readers of arrays. The first byte chooses the kind of file (output
// CSV file, output text file, a searched database file, a generated all-arrays file with its
// methods file), the second the order of a database file's name; the rest is the file, and
// after a byte 0xFF, its methods file. Every array read must be a permutation of 0..N-1, of the
// order the name gives for a database file; check must end with status 0, 1 or 2.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "View_Arrays/Array_sources.hpp"
#include "_Library/Database_format.hpp"
#include "View_Arrays/View_run.hpp"
#include "fuzz/fuzz_support.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  fuzz_working_dir();
  const int kind = data[0] % 4;
  const int order = 2 + data[1] % 40;
  std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
  const auto split = rest.find('\xff');
  const std::string_view arrays = rest.substr(0, split);
  const std::string_view methods =
      split == std::string_view::npos ? std::string_view() : rest.substr(split + 1);
  const std::string all_arrays = database_file_name("", all_arrays_kind, order);
  const std::string names[][2] = {
      {"run.csv", "run_methods.csv"},
      {"out.txt", ""},
      {database_file_name("", essential_kind, order), ""},
      {all_arrays, methods_file_name(all_arrays)},
  };
  const std::string& name = names[kind][0];
  const std::string& methods_name = names[kind][1];
  write_text(name, arrays);
  if (!methods_name.empty()) write_text(methods_name, methods);

  for (const Index_base base : {Index_base::automatic, Index_base::zero, Index_base::one}) {
    Array_reader reader(name, base, Line_selection(), 1);
    if (!reader.open().empty()) std::abort();
    Viewed_array array;
    while (reader.next(array)) {
      const std::size_t length = array.rows.size();
      if (length == 0 || (kind >= 2 && length != static_cast<std::size_t>(order))) std::abort();
      std::vector<bool> seen(length, false);
      for (const auto row : array.rows) {
        if (row >= length || seen[row]) std::abort();
        seen[row] = true;
      }
    }
  }
  std::ostringstream out;
  std::ostringstream err;
  const int status = run_costas_view({"check", name}, out, err);
  if (status < 0 || status > 2) std::abort();
  return 0;
}
