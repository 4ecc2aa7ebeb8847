// Small database trees written from texts, for the tests, the fuzz targets and the memory check
// of scripts/valgrind.sh: the nine files of one order, and the sample database of order 4.
#pragma once

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

// A file written whole (replaced) with exactly these bytes, and read back whole.
void write_text(const std::filesystem::path& file, std::string_view contents);
std::string read_text(const std::filesystem::path& file);
// Every regular file under folder, by path, with its contents; none for an absent folder.
std::map<std::string, std::string> folder_contents(const std::filesystem::path& folder);

// The nine files of one order; the methods files are written only for the generated database.
struct Order_files {
  std::string all, all_methods;
  std::string essential, essential_methods;
  std::string symmetrical, symmetrical_methods;
  std::string g_symmetrical, g_symmetrical_methods;
  std::string log;
};

// Writes the files of order n into folder (created when absent) under the database's file
// names, each exactly as given; the methods files only when generated.
void write_order(const std::filesystem::path& folder, int n, const Order_files& f,
                 bool generated);

// The sample order 4: three arrays in the all-arrays file, two in the essential set and in the
// G-symmetrical file, none symmetrical; one-based with methods lines when generated.
Order_files sample_order_4(bool generated);
// Writes the sample database under top: order 4 in both databases and, in the generated one,
// the order-2 essential-set file that the database path prompt looks for.
void write_sample_database(const std::filesystem::path& top);
