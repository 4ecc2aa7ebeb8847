// The matrix operations of the GFPM_ and GFVE_ matrix modules with their console lines: each
// runs the console-free algorithm (Galois_Fields_Matrix_core.hpp), then shows what went wrong
// and stops, and writes matrices and vectors as logarithms. The traits add the points where the
// two modules differ: message names, trace lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

#include "_Library/Console_io.hpp"
#include "_Library/Number_theory/Galois_Fields_Matrix_core.hpp"
#include "_Library/Program_stop.hpp"
#include "_Library/Text_files.hpp"
#include "_Library/Text_layout.hpp"

template <typename Traits>
class Gf_matrix_ops {
 public:
  using E = typename Traits::element;
  using Matrix = Gf_matrix<E>;
  using Vector = Gf_vector<E>;

  Gf_matrix_ops(Console& console, Traits field) : algorithms(std::move(field)), console_(console) {}

  // C = A * B; shape errors stop with code "2" before C is touched.
  void matmul(const Matrix& a, const Matrix& b, Matrix& c) {
    if constexpr (Traits::matmul_trace) {
      console_.line(free_form("shape mat1, mat2, matout:", a.rows(), a.cols(), ",", b.rows(),
                              b.cols(), ",", c.rows(), c.cols()));
    }
    switch (algorithms.matmul(a, b, c)) {
      case Matrix_outcome::incompatible_shapes:
        console_.line(name("###Error in ", "_matmul, incompatible shapes:") + f(a.rows(), 5) +
                      f(a.cols(), 5) + " and:\\" + f(b.rows(), 5) + f(b.cols(), 5));
        stop_with_code("2");
      case Matrix_outcome::incompatible_output:
        console_.line(name("###Error in ", "_matmul, output incompatible with input."));
        console_.line("Input rows, cols are" + f(a.rows(), 5) + f(b.cols(), 5) +
                      ", output rows, cols are" + f(c.rows(), 10) + f(c.cols(), 10) + ".");
        stop_with_code("2");
      default:
        return;
    }
  }

  // y = A * x; shape errors stop with code "2".
  void matmulv(const Matrix& a, const Vector& x, Vector& y) {
    switch (algorithms.matmulv(a, x, y)) {
      case Matrix_outcome::incompatible_shapes:
        console_.line(name("###Error in ", "_matmulv, incompatible shapes:") + f(a.rows(), 5) +
                      f(a.cols(), 5) + " and" + f(size(x), 5));
        stop_with_code("2");
      case Matrix_outcome::incompatible_output:
        console_.line(name("###Error in ", "_matmulv, output incompatible with input."));
        console_.line("Input rows are" + f(a.rows(), 5) +
                      std::string(Traits::matmulv_output_label) + f(size(y), 5) + ".");
        stop_with_code("2");
      default:
        return;
    }
  }

  void matadd(const Matrix& a, const Matrix& b, Matrix& c) { combine(a, b, c, true); }
  void matsub(const Matrix& a, const Matrix& b, Matrix& c) { combine(a, b, c, false); }

  // A replaced by its inverse; returns det(A). A singular matrix prints one line and returns
  // zero; a matrix that is not square stops with code "2".
  E Minv(Matrix& a) {
    const auto inversion = algorithms.Minv(a);
    if (inversion.outcome == Matrix_outcome::not_square) {
      console_.line(free_form(name("###Error in ", "_Minv; matrix not square -- shape:"),
                              a.rows(), a.cols()));
      stop_with_code("2");
    }
    rank = inversion.rank;
    if (inversion.outcome == Matrix_outcome::singular) {
      console_.line(std::string(Traits::singular_text) + f(a.rows(), 3) + ", rank" +
                    f(inversion.rank, 3));
    }
    return inversion.det;
  }

  // The logarithm of x . y to the base of primitive element npe; vectors of different sizes
  // stop with code "2", and so does a bad npe (see log).
  std::int32_t dot_prod(const Vector& x, const Vector& y, std::int32_t npe) {
    const auto result = algorithms.dot_prod(x, y, npe);
    if (result.outcome == Matrix_outcome::different_sizes) {
      console_.line(free_form(name("###Error in ", "_dot_prod, vectors different sizes:"),
                              size(x), size(y)));
      stop_with_code("2");
    }
    return speak(result, npe);
  }

  std::int32_t isotropy(const Vector& x) { return algorithms.isotropy(x); }

  // The exponent e with g^e = x for g = primitive element npe; -99 for zero; an npe out of
  // range stops with code "2", an element that is no power with a blank code.
  std::int32_t log(const E& x, std::int32_t npe) { return speak(algorithms.log(x, npe), npe); }

  // The logarithm by linear search (npe valid); -1 when x is not found.
  std::int32_t log_by_search(const E& x, std::int32_t npe) {
    return algorithms.log_by_search(x, npe);
  }

  // Writes A as logarithms, one line per row, on the console and on unit when it is open.
  void write_matrix(const Matrix& a, std::int32_t npe, Text_output* unit) {
    if (a.cols() == 1) {
      Vector column(static_cast<std::size_t>(a.rows()));
      for (int r = 1; r <= a.rows(); ++r) column[static_cast<std::size_t>(r - 1)] = a(r, 1);
      write_vector(column, npe, unit);
      return;
    }
    for (int r = 1; r <= a.rows(); ++r) {
      std::string line;
      for (int c = 1; c <= a.cols(); ++c) {
        if constexpr (Traits::write_trace) console_.line(algorithms.traits.coefficients(a(r, c)));
        if (!append_field(line, log(a(r, c), npe))) {
          write_line_too_long("_write_matrix;", "Current matrix element is (" + f(r, 2) + "," +
                                                    f(c, 2) + ")", unit);
          break;
        }
      }
      put(line, unit);
    }
  }

  // Writes x as logarithms on one line, on the console and on unit when it is open.
  void write_vector(const Vector& x, std::int32_t npe, Text_output* unit) {
    std::string line;
    for (int i = 1; i <= size(x); ++i) {
      if (!append_field(line, log(x[static_cast<std::size_t>(i - 1)], npe))) {
        write_line_too_long("_write_vector;", "Current vector element is (" + f(i, 2) + ")", unit);
        break;
      }
    }
    put(line, unit);
  }

  Gf_matrix_algorithms<Traits> algorithms;
  std::int32_t rank = 0;   // pivots found by the last Minv

 private:
  static constexpr std::size_t line_buffer = 384;

  static std::string f(long long value, int width) { return fixed_int(value, width); }
  static int size(const Vector& v) { return static_cast<int>(v.size()); }
  static std::string name(std::string_view before, std::string_view after) {
    return std::string(before) + std::string(Traits::prefix) + std::string(after);
  }

  std::int32_t speak(const typename Gf_matrix_algorithms<Traits>::Log& result, std::int32_t npe) {
    switch (result.outcome) {
      case Matrix_outcome::npe_out_of_range:
        console_.line(name("###Error in ", "_log, called with npe:") + f(npe, 5));
        console_.line("Total number of primitive elements is" +
                      f(algorithms.traits.no_of_pes(), 5));
        console_.line("Execution terminated.");
        stop_with_code("2");
      case Matrix_outcome::not_a_power:
        console_.line(name("###Error in ", "_log, element not found as power of primitive element") +
                      f(npe, 4));
        console_.line(algorithms.traits.coefficients(result.element));
        stop_with_code("");
      default:
        return result.value;
    }
  }

  void combine(const Matrix& a, const Matrix& b, Matrix& c, bool add) {
    if (algorithms.combine(a, b, c, add) == Matrix_outcome::done) return;
    console_.line(free_form(name("###Error in ", add ? "_matadd, incompatible shapes.:"
                                                     : "_matsub, incompatible shapes.:")));
    console_.line(free_form("First matrix: ", a.rows(), a.cols()));
    console_.line(free_form("Second matrix:", b.rows(), b.cols()));
    console_.line(free_form(add ? "Sum:          " : "Difference:   ", c.rows(), c.cols()));
    stop_with_code("2");
  }

  // Appends the 5-column field of value unless the line would pass 383 characters.
  static bool append_field(std::string& line, std::int32_t value) {
    const std::string field = f(value, 5);
    if (trim_right(line).size() + trim_right(field).size() > line_buffer - 1) return false;
    line.resize(trim_right(line).size());
    line += field;
    return true;
  }

  void write_line_too_long(std::string_view routine, const std::string& position,
                           Text_output* unit) {
    const std::string lines[] = {
        name("###Error in ", routine) + " line length exceeds" +
            f(static_cast<long long>(line_buffer), 5) + " characters.",
        position, "Line terminated."};
    for (const std::string& text : lines) {
      console_.line(text);
      if (unit != nullptr && unit->is_open()) unit->write_line(text);
    }
  }

  void put(const std::string& line, Text_output* unit) {
    const std::string_view text = trim_right(line);
    console_.line(text);
    if (unit != nullptr && unit->is_open()) unit->write_line(text);
  }

  Console& console_;
};
