#include "tests/support/Test_database.hpp"

#include <fstream>
#include <iterator>

#include "_Library/Database_format.hpp"

namespace fs = std::filesystem;

void write_text(const fs::path& file, std::string_view contents) {
  std::ofstream stream(file, std::ios::binary | std::ios::trunc);
  stream.write(contents.data(), static_cast<std::streamsize>(contents.size()));
}

std::string read_text(const fs::path& file) {
  std::ifstream stream(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(stream), std::istreambuf_iterator<char>());
}

std::map<std::string, std::string> folder_contents(const fs::path& folder) {
  std::map<std::string, std::string> files;
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error)) {
    if (entry.is_regular_file()) files[entry.path().string()] = read_text(entry.path());
  }
  return files;
}

void write_order(const fs::path& folder, int n, const Order_files& f, bool generated) {
  fs::create_directories(folder);
  const auto pair = [&](std::string_view kind, const std::string& arrays,
                        const std::string& methods) {
    const std::string name = database_file_name("", kind, n);
    write_text(folder / name, arrays);
    if (generated) write_text(folder / methods_file_name(name), methods);
  };
  pair(all_arrays_kind, f.all, f.all_methods);
  pair(essential_kind, f.essential, f.essential_methods);
  pair(symmetrical_kind, f.symmetrical, f.symmetrical_methods);
  pair(g_symmetrical_kind, f.g_symmetrical, f.g_symmetrical_methods);
  write_text(folder / database_file_name("", log_kind, n), f.log);
}

Order_files sample_order_4(bool generated) {
  Order_files f;
  const std::string arrays =
      generated ? " 1 2 4 3\nPolymorph: 3 4 2 1\n" : " 0 1 3 2\nPolymorph: 2 3 1 0\n";
  const std::string methods = " 10000002\n 11000002\n";
  f.all = generated ? "4 3\n 1 2 4 3\nPolymorph: 3 4 2 1\n 2 1 3 4\n"
                    : "4 3\n 0 1 3 2\nPolymorph: 2 3 1 0\n 1 0 2 3\n";
  f.all_methods = "4 3\n 10000002\n 11000002\n 00000100\n";
  f.essential = arrays;
  f.essential_methods = methods;
  f.symmetrical = "No symmetrical Costas arrays.\n";
  f.g_symmetrical = arrays;
  f.g_symmetrical_methods = methods;
  f.log =
      "Costas arrays of order 4\nNumber of unique Costas arrays: 3\n"
      "Number of essential Costas arrays: 2\n1 symmetrical Costas arrays\n"
      "8  G-symmetrical Costas arrays\nNumber of unique G-symmetrical arrays: 8\n";
  return f;
}

void write_sample_database(const fs::path& top) {
  const fs::path generated = top / generated_folder;
  write_order(generated, 4, sample_order_4(true), true);
  write_order(top / searched_folder, 4, sample_order_4(false), false);
  write_text(generated / database_file_name("", essential_kind, 2), " 1 2\n");
}
