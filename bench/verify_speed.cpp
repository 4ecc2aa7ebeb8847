// make_database --verify on one large generated order: bytes of database files read per second
// of processor time. Builds the order first unless the folder already holds it.
//   verify_speed [ORDER [FOLDER]]   (default order 478, about 640 MB, in a temporary folder)
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/resource.h>

#include "Make_Database/Make_database_run.hpp"
#include "_Library/Console_io.hpp"
#include "_Library/Database_format.hpp"

namespace fs = std::filesystem;

int main(int argc, char** argv) {
  const std::string order = argc > 1 ? argv[1] : "478";
  const bool own_folder = argc <= 2;
  const fs::path folder = own_folder ? fs::temp_directory_path() / ("verify_speed_" + order) : fs::path(argv[2]);
  const fs::path generated = folder / generated_folder;
  std::istringstream in;
  std::ostringstream out;
  Console console(in, out, std::cerr);
  const std::int32_t n = std::atoi(order.c_str());
  const std::string prefix = generated.string() + "/";
  if (!fs::exists(database_file_name(prefix, essential_kind, n))) {
    std::printf("building generated order %s in %s\n", order.c_str(), folder.c_str());
    if (run_make_database({"--out", folder.string(), "--generated", order}, console, false) != 0) return 1;
  }
  // The order's five files and the methods files of its four arrays files.
  std::uintmax_t bytes = 0;
  const auto add_size = [&bytes](const std::string& file) {
    std::error_code error;
    const auto size = fs::file_size(file, error);
    if (!error) bytes += size;
  };
  for (const std::string_view kind :
       {all_arrays_kind, essential_kind, symmetrical_kind, g_symmetrical_kind, log_kind}) {
    const std::string name = database_file_name(prefix, kind, n);
    add_size(name);
    if (kind != log_kind) add_size(methods_file_name(name));
  }
  out.str("");
  const std::clock_t cpu_start = std::clock();
  const auto wall_start = std::chrono::steady_clock::now();
  const int status = run_make_database({"--verify", folder.string(), "--generated", order}, console, false);
  const double cpu = static_cast<double>(std::clock() - cpu_start) / CLOCKS_PER_SEC;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_start).count();
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("%s", out.str().c_str());
  std::printf("generated order %s: %.1f MB verified, exit status %d\n", order.c_str(), bytes / 1e6, status);
  std::printf("processor time %.2f s: %.0f MB/s; wall time %.2f s; peak resident %ld MB (build included)\n",
              cpu, bytes / 1e6 / cpu, wall, usage.ru_maxrss / 1024);
  if (own_folder) fs::remove_all(folder);
  return status;
}
