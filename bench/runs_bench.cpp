// Whole runs on a synthetic generated database: about 100,000 arrays of order 400 and as many
// of order 30, the console going to /dev/null. Prints arrays per second, megabytes of arrays
// file per second, and the ratio of the run's time to the I/O floor: copying the arrays file
// once for each output file that the run writes, measured in the same process.
//
// Usage: runs_bench [folder] [arrays]   (folder defaults to a fresh one under /tmp)
#include <algorithm>
#include <charconv>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "Read_Database/Program_state.hpp"
#include "Read_Database/Vellumcairn_main.hpp"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; }

// Processor time of this process so far, in seconds: in the program (user) and in the system.
double user_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return seconds(usage.ru_utime);
}
double system_seconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return seconds(usage.ru_stime);
}

constexpr int output_files_written = 3;   // text file, CSV file, methods CSV file

void write_text(const fs::path& file, const std::string& text) {
  std::ofstream(file, std::ios::binary) << text;
}

// The nine files of order n with `count` arrays in the all-arrays file (one-based row
// indices, every other line a polymorph) and random method flags.
void write_order(const fs::path& folder, int n, int count) {
  const std::string order = std::to_string(n) + ".txt";
  std::mt19937 random(12345u + static_cast<unsigned>(n));
  std::vector<int> perm(static_cast<std::size_t>(n));
  std::iota(perm.begin(), perm.end(), 1);
  std::FILE* arrays = std::fopen((folder / ("Sorted_Costas_arrays_N=" + order)).c_str(), "w");
  std::FILE* methods =
      std::fopen((folder / ("Sorted_Costas_arrays_N=" + order + "_methods.txt")).c_str(), "w");
  std::fprintf(arrays, "%d %d\n", count, count / 8);
  std::fprintf(methods, "%d %d\n", count, count / 8);
  std::string line;
  char digits[16];
  for (int a = 0; a < count; ++a) {
    std::shuffle(perm.begin(), perm.end(), random);
    line.assign(a % 2 == 1 ? "Polymorph: " : "");
    for (int value : perm) {
      line += std::string_view(digits, std::to_chars(digits, digits + 16, value).ptr);
      line += ' ';
    }
    line.back() = '\n';
    std::fwrite(line.data(), 1, line.size(), arrays);
    const unsigned flags = (1u << (1 + random() % 19)) | ((random() % 64) << 24);
    std::fprintf(methods, " %08X\n", flags);
  }
  std::fclose(arrays);
  std::fclose(methods);
  for (const char* kind : {"Costas_essense_N=", "Costas_symmetrical_N=", "Costas_G-Symmetrical_N="}) {
    write_text(folder / (kind + order), "No Costas arrays.\n");
    write_text(folder / (kind + order + "_methods.txt"), "");
  }
  write_text(folder / ("Costas_log_N=" + order),
             "Costas arrays of order " + std::to_string(n) + "\nNumber of unique Costas arrays: " +
                 std::to_string(count) + "\nNumber of essential Costas arrays: 0\n0 symmetrical "
                 "Costas arrays\n0  G-symmetrical Costas arrays\nNumber of unique G-symmetrical "
                 "arrays: 0\n");
}

void write_options(const fs::path& dir, int n) {
  std::istringstream in;
  std::ostringstream out, err;
  Console console(in, out, err);
  Program_state state(console);
  set_default_options(state.options, state.number_theory);
  state.options.ca_order = n;
  state.options.output_position = "REWIND";
  state.options.database_path = (dir / "db").string() + "/";
  state.options.output_pathname = (dir / "out.txt").string();
  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  save_options(state.options, state.console, state.pause);
  fs::current_path(previous);
}

// The I/O floor: the arrays file copied once per output file, through a 1 MiB buffer.
double copy_seconds(const fs::path& source, const fs::path& dir) {
  std::vector<char> buffer(1 << 20);
  const auto start = Clock::now();
  for (int k = 0; k < output_files_written; ++k) {
    std::FILE* in = std::fopen(source.c_str(), "rb");
    std::FILE* out = std::fopen((dir / ("copy" + std::to_string(k))).c_str(), "wb");
    std::size_t got = 0;
    while ((got = std::fread(buffer.data(), 1, buffer.size(), in)) > 0) std::fwrite(buffer.data(), 1, got, out);
    std::fclose(in);
    std::fclose(out);
  }
  return std::chrono::duration<double>(Clock::now() - start).count();
}

void bench_order(const fs::path& dir, int n, int count) {
  const fs::path folder = dir / "db" / "Generated";
  fs::create_directories(folder);
  write_order(folder, n, count);
  write_options(dir, n);
  const fs::path arrays = folder / ("Sorted_Costas_arrays_N=" + std::to_string(n) + ".txt");
  const double megabytes = static_cast<double>(fs::file_size(arrays)) / 1e6;

  const fs::path previous = fs::current_path();
  fs::current_path(dir);
  std::istringstream in("Y\n0\nY\n");
  std::ofstream null_out("/dev/null");
  std::ostringstream err;
  const auto start = Clock::now();
  const double user_start = user_seconds();
  const double system_start = system_seconds();
  const int status = run_vellumcairn(in, null_out, err);
  const double run = std::chrono::duration<double>(Clock::now() - start).count();
  const double user = user_seconds() - user_start;
  const double cpu = user + system_seconds() - system_start;
  fs::current_path(previous);
  const double floor = copy_seconds(arrays, dir);

  std::printf("order %3d: %d arrays, arrays file %.1f MB, run %.3f s, processor %.3f s of which "
              "user %.3f s (exit %d)\n",
              n, count, megabytes, run, cpu, user, status);
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  std::printf("  %.0f arrays/s, %.1f MB/s of arrays file, I/O floor %.3f s, run/floor %.2f\n",
              count / run, megabytes / run, floor, run / floor);
  std::printf("  on processor time: %.0f arrays/s, %.1f MB/s; largest resident size so far %ld KiB\n",
              count / cpu, megabytes / cpu, usage.ru_maxrss);
  for (const char* name : {"out.txt", "out.csv", "out_methods.csv", "copy0", "copy1", "copy2"}) {
    fs::remove(dir / name);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "vellumcairn_runs_bench";
  const int count = argc > 2 ? std::stoi(argv[2]) : 100000;
  fs::create_directories(dir);
  bench_order(dir, 400, count);
  bench_order(dir, 30, count);
  fs::remove_all(dir / "db");
  return 0;
}
