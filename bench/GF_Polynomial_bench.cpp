// The generating-polynomial finder alone: matrix build time and arrays per second for random
// permutations, for the table-based finder of the program and for a plain implementation of
// the first algorithms (linear-search logarithms, products by repeated subtraction) in the
// same run. Usage: GF_Polynomial_bench [--no-plain] [--case 1..13] [seconds per measurement]
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <numeric>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "_Library/Console_io.hpp"
#include "Read_Database/GF_Polynomial.hpp"
#include "tests/support/Galois_Fields_plain.hpp"
#include "_Library/Number_theory/Log_units.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Pause_m.hpp"
#include "_Library/Text_files.hpp"
#include "Read_Database/Vellumcairn_User_Interface.hpp"

namespace {

// Processor time of this thread: the figures stay those of one core while other processes
// share the machine.
struct Clock {
  using time_point = double;
  static double now() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + 1e-9 * static_cast<double>(t.tv_nsec);
  }
};

double seconds_since(double start) { return Clock::now() - start; }

struct Case {
  int n, q, kind;
  const char* name;
};

// Everything one measurement needs, over a console whose output is thrown away.
struct Bench_state {
  std::istringstream in;
  std::ostringstream out, err;
  Console console{in, out, err};
  Number_Theory_M number_theory{console};
  Log_units log_units;
  Galois_Fields_Prime_Modulus gfpm{console, number_theory, log_units};
  Galois_Fields_Vector_Extension gfve{console, number_theory, log_units};
  Galois_Fields_PM_Matrix_Utilities gfpm_matrix{console, gfpm};
  Galois_Fields_Matrix_Utilities gfve_matrix{console, gfve};
  Pause_m pause{console};
  Finder_field field;
  GF_Polynomial finder{console, pause, gfpm, gfve, gfpm_matrix, gfve_matrix};
};

std::vector<std::vector<std::int32_t>> permutations(int n, int count) {
  std::mt19937 random(12345);
  std::vector<std::vector<std::int32_t>> all(static_cast<std::size_t>(count));
  for (auto& perm : all) {
    perm.resize(static_cast<std::size_t>(n));
    std::iota(perm.begin(), perm.end(), 0);
    std::shuffle(perm.begin(), perm.end(), random);
  }
  return all;
}

template <typename Solve>
double arrays_per_second(const std::vector<std::vector<std::int32_t>>& perms, double budget,
                         Solve solve) {
  const auto start = Clock::now();
  long done = 0;
  do {
    for (int i = 0; i < 16; ++i, ++done) solve(perms[static_cast<std::size_t>(done) % perms.size()]);
  } while (seconds_since(start) < budget);
  return static_cast<double>(done) / seconds_since(start);
}

void measure(const Case& c, bool plain, double budget) {
  const auto perms = permutations(c.n, 256);
  Bench_state s;
  s.field.array_order = c.n;
  s.field.gf_order = c.q;
  s.field.gf_kind = c.kind == 1 ? Gf_kind::prime : Gf_kind::extension;
  Text_output sink;
  if (sink.open("/dev/null", Write_position::append) != status_ok) {
    std::printf("%-26s /dev/null cannot be opened\n", c.name);
    return;
  }

  // The first array sets the field up, builds V and inverts it.
  const auto start = Clock::now();
  s.finder.get_GFPolynomial(perms[0], s.field, &sink);
  const double build = seconds_since(start);
  const double fast = arrays_per_second(perms, budget, [&](const std::vector<std::int32_t>& p) {
    s.finder.get_GFPolynomial(p, s.field, &sink);
  });
  std::printf("%-26s set-up and tables: build %7.3f s, %10.0f arrays/s", c.name, build, fast);
  std::fflush(stdout);
  if (plain) {
    double plain_build = 0, plain_rate = 0;
    auto run = [&](auto traits) {
      const auto plain_start = Clock::now();
      Plain_polynomial_finder<decltype(traits)> finder(traits, c.n);
      plain_build = seconds_since(plain_start);
      plain_rate = arrays_per_second(perms, budget, [&](const std::vector<std::int32_t>& p) {
        finder.solve(p.data());
      });
    };
    if (c.kind == 1) {
      run(GFPM_plain_traits{&s.gfpm});
    } else {
      run(GFVE_plain_traits{{{}, &s.gfve}});
    }
    std::printf(" | plain: build %7.3f s, %10.1f arrays/s", plain_build, plain_rate);
  }
  std::printf("\n");
}

}  // namespace

int main(int argc, char** argv) {
  bool plain = true;
  double budget = 1.0;
  int only = 0;   // --case c: the c-th case alone (1-based)
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-plain") {
      plain = false;
    } else if (arg == "--case" && i + 1 < argc) {
      only = std::atoi(argv[++i]);
    } else {
      budget = std::atof(argv[i]);
    }
  }
  // The field logs are written in the working folder: use a scratch one.
  const auto scratch = std::filesystem::temp_directory_path() / ("gf_bench_" + std::to_string(::getpid()));
  std::filesystem::create_directories(scratch);
  std::filesystem::current_path(scratch);
  // Beside the three small fields, each kind of field of about 500 elements at orders 250 and
  // 500: prime, characteristic 2 and the odd extension fields.
  const Case cases[] = {{30, 31, 1, "N = 30 over GF(31)"},     {254, 256, 2, "N = 254 over GF(256)"},
                        {360, 361, 2, "N = 360 over GF(361)"}, {250, 503, 1, "N = 250 over GF(503)"},
                        {250, 512, 2, "N = 250 over GF(512)"}, {250, 625, 2, "N = 250 over GF(625)"},
                        {250, 729, 2, "N = 250 over GF(729)"}, {250, 1331, 2, "N = 250 over GF(1331)"},
                        {500, 503, 1, "N = 500 over GF(503)"}, {500, 512, 2, "N = 500 over GF(512)"},
                        {500, 625, 2, "N = 500 over GF(625)"}, {500, 729, 2, "N = 500 over GF(729)"},
                        {500, 1331, 2, "N = 500 over GF(1331)"}};
  const int count = static_cast<int>(std::size(cases));
  for (int i = 1; i <= count; ++i) {
    if (only == 0 || only == i) measure(cases[i - 1], plain, budget);
  }
  std::filesystem::current_path(scratch.parent_path());
  std::filesystem::remove_all(scratch);
  return 0;
}
