// A fresh set of field modules over a scripted console in a temporary working folder, for the
// tests of the Galois fields, their matrices and the polynomial finder.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "_Library/Number_theory/Galois_Fields_Matrix_Utilities.hpp"
#include "_Library/Number_theory/Galois_Fields_PM_Matrix_Utilities.hpp"
#include "_Library/Number_theory/Galois_Fields_Prime_Modulus.hpp"
#include "_Library/Number_theory/Galois_Fields_Vector_Extension.hpp"
#include "_Library/Number_theory/Log_units.hpp"
#include "_Library/Number_theory/Number_Theory_M.hpp"
#include "_Library/Program_stop.hpp"
#include "tests/support/test_support.hpp"

struct Gf_fixture {
  explicit Gf_fixture(const std::string& answers = "") : io(answers), cwd(dir.path()) {}
  Temp_dir dir;
  Scripted_console io;
  Working_dir cwd;
  Number_Theory_M number_theory{io.console};
  Log_units log_units;
  Galois_Fields_Prime_Modulus gfpm{io.console, number_theory, log_units};
  Galois_Fields_Vector_Extension gfve{io.console, number_theory, log_units};
  Galois_Fields_PM_Matrix_Utilities gfpm_matrix{io.console, gfpm};
  Galois_Fields_Matrix_Utilities gfve_matrix{io.console, gfve};

  // Console lines shown since the last call.
  std::vector<std::string> take_lines() {
    auto lines = io.lines();
    io.out.str("");
    return lines;
  }
};

// The stop code of what f does, or nothing when it returns normally.
inline std::optional<std::string> stop_code(const std::function<void()>& f) {
  try {
    f();
  } catch (const Program_stop& stop) {
    return stop.code;
  }
  return std::nullopt;
}

inline GFVE_element element(std::initializer_list<int> coefficients) {
  GFVE_element e;
  int i = 1;
  for (int c : coefficients) e(i++) = c;
  return e;
}
