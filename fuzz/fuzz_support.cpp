#include "fuzz/fuzz_support.hpp"

#include <cstdlib>
#include <unistd.h>

namespace fs = std::filesystem;

const fs::path& fuzz_working_dir() {
  static const fs::path dir = [] {
    std::string pattern = (fs::temp_directory_path() / "vellumcairn_fuzz_XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) std::abort();
    fs::current_path(pattern);
    return fs::path(pattern);
  }();
  return dir;
}
