// Matrices and vectors over a Galois field, written once for both field kinds. A small traits
// type supplies the field (zero, one, the four operations, equality, the primitive elements,
// logarithms by table) and the few points where the prime-field and extension-field modules
// differ (message names, trace lines, the dot product below npe 1). Shapes and positions are
// 1-based, as in the algorithms.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "Console_io.hpp"
#include "Program_stop.hpp"
#include "Text_files.hpp"
#include "Text_layout.hpp"

template <typename E>
class Gf_matrix {
 public:
  Gf_matrix() = default;
  Gf_matrix(int rows, int cols, const E& fill = E{})
      : rows_(rows), cols_(cols),
        data_(static_cast<std::size_t>(rows) * static_cast<std::size_t>(cols), fill) {}

  int rows() const { return rows_; }
  int cols() const { return cols_; }
  E& operator()(int r, int c) { return data_[index(r, c)]; }
  const E& operator()(int r, int c) const { return data_[index(r, c)]; }
  E* row(int r) { return data_.data() + index(r, 1); }
  const E* row(int r) const { return data_.data() + index(r, 1); }
  bool empty() const { return data_.empty(); }
  void release() {
    data_.clear();
    data_.shrink_to_fit();
    rows_ = cols_ = 0;
  }

 private:
  std::size_t index(int r, int c) const {
    return static_cast<std::size_t>(r - 1) * static_cast<std::size_t>(cols_) +
           static_cast<std::size_t>(c - 1);
  }
  int rows_ = 0;
  int cols_ = 0;
  std::vector<E> data_;
};

// A vector: entry i (1-based) at [i - 1].
template <typename E>
using Gf_vector = std::vector<E>;

template <typename Traits>
class Gf_matrix_ops {
 public:
  using E = typename Traits::element;
  using Matrix = Gf_matrix<E>;
  using Vector = Gf_vector<E>;

  Gf_matrix_ops(Console& console, Traits field) : traits(std::move(field)), console_(console) {}

  // C = A * B; shape errors stop with code "2" before C is touched.
  void matmul(const Matrix& a, const Matrix& b, Matrix& c) {
    if constexpr (Traits::matmul_trace) {
      console_.line(free_form("shape mat1, mat2, matout:", a.rows(), a.cols(), ",", b.rows(),
                              b.cols(), ",", c.rows(), c.cols()));
    }
    if (a.cols() != b.rows()) {
      console_.line(name("###Error in ", "_matmul, incompatible shapes:") + f(a.rows(), 5) +
                    f(a.cols(), 5) + " and:\\" + f(b.rows(), 5) + f(b.cols(), 5));
      stop_with_code("2");
    }
    if (c.rows() != a.rows() || c.cols() != b.cols()) {
      console_.line(name("###Error in ", "_matmul, output incompatible with input."));
      console_.line("Input rows, cols are" + f(a.rows(), 5) + f(b.cols(), 5) +
                    ", output rows, cols are" + f(c.rows(), 10) + f(c.cols(), 10) + ".");
      stop_with_code("2");
    }
    for (int r = 1; r <= a.rows(); ++r) {
      for (int s = 1; s <= b.cols(); ++s) {
        E sum = traits.zero();
        for (int n = 1; n <= a.cols(); ++n) sum = traits.add(sum, traits.mul(a(r, n), b(n, s)));
        c(r, s) = sum;
      }
    }
  }

  // y = A * x; shape errors stop with code "2".
  void matmulv(const Matrix& a, const Vector& x, Vector& y) {
    if (a.cols() != size(x)) {
      console_.line(name("###Error in ", "_matmulv, incompatible shapes:") + f(a.rows(), 5) +
                    f(a.cols(), 5) + " and" + f(size(x), 5));
      stop_with_code("2");
    }
    if (size(y) != a.rows()) {
      console_.line(name("###Error in ", "_matmulv, output incompatible with input."));
      console_.line("Input rows are" + f(a.rows(), 5) + std::string(Traits::matmulv_output_label) +
                    f(size(y), 5) + ".");
      stop_with_code("2");
    }
    for (int r = 1; r <= a.rows(); ++r) {
      E sum = traits.zero();
      for (int n = 1; n <= a.cols(); ++n) sum = traits.add(sum, traits.mul(a(r, n), x[at(n)]));
      y[at(r)] = sum;
    }
  }

  void matadd(const Matrix& a, const Matrix& b, Matrix& c) { combine(a, b, c, true); }
  void matsub(const Matrix& a, const Matrix& b, Matrix& c) { combine(a, b, c, false); }

  // Gauss-Jordan inversion in place with pivoting by position; returns det(A). A singular matrix
  // prints one line, returns zero and leaves A partly reduced; rank counts the pivots found.
  E Minv(Matrix& a) {
    if (a.rows() != a.cols()) {
      console_.line(free_form(name("###Error in ", "_Minv; matrix not square -- shape:"),
                              a.rows(), a.cols()));
      stop_with_code("2");
    }
    const int n = a.rows();
    std::vector<char> used(static_cast<std::size_t>(n) + 1, 0);
    std::vector<int> pivot_row(static_cast<std::size_t>(n) + 1, 0);
    std::vector<int> pivot_col(static_cast<std::size_t>(n) + 1, 0);
    E det = traits.one();
    for (int i = 1; i <= n; ++i) {
      // The first nonzero element in scan order; every step scans again from row 1.
      int k = 0, l = 0;
      for (int row = 1; row <= n && k == 0; ++row) {
        if (used[static_cast<std::size_t>(row)]) continue;
        for (int col = 1; col <= n; ++col) {
          if (!used[static_cast<std::size_t>(col)] && !traits.equal(a(row, col), traits.zero())) {
            k = row;
            l = col;
            break;
          }
        }
      }
      if (k == 0) {
        console_.line(std::string(Traits::singular_text) + f(n, 3) + ", rank" + f(i - 1, 3));
        rank = i - 1;
        return traits.zero();
      }
      const E v = a(k, l);
      det = traits.mul(det, v);
      used[static_cast<std::size_t>(l)] = 1;
      if (k != l) {
        std::swap_ranges(a.row(k), a.row(k) + n, a.row(l));
        det = traits.sub(traits.zero(), det);
      }
      pivot_row[static_cast<std::size_t>(i)] = k;
      pivot_col[static_cast<std::size_t>(i)] = l;
      a(l, l) = traits.one();
      scale_row(a.row(l), n, v);
      for (int r = 1; r <= n; ++r) {
        if (r == l) continue;
        const E d = a(r, l);
        a(r, l) = traits.zero();
        eliminate_row(a.row(r), a.row(l), n, d);
      }
    }
    for (int i = n; i >= 1; --i) {
      const int k = pivot_row[static_cast<std::size_t>(i)];
      const int l = pivot_col[static_cast<std::size_t>(i)];
      if (k != l) {
        for (int r = 1; r <= n; ++r) std::swap(a(r, k), a(r, l));
      }
    }
    rank = n;
    return det;
  }

  // The logarithm of x . y to the base of primitive element npe (see the traits below npe 1).
  std::int32_t dot_prod(const Vector& x, const Vector& y, std::int32_t npe) {
    if (size(x) != size(y)) {
      console_.line(free_form(name("###Error in ", "_dot_prod, vectors different sizes:"),
                              size(x), size(y)));
      stop_with_code("2");
    }
    E sum = traits.zero();
    for (std::size_t i = 0; i < x.size(); ++i) sum = traits.add(sum, traits.mul(x[i], y[i]));
    if constexpr (Traits::dot_prod_sum_below_npe_1) {
      if (npe < 1) return traits.to_integer(sum);
    }
    return log(sum, npe);
  }

  // 2 when x . x is not zero; else 1 when some entry is nonzero, 0 when none is.
  std::int32_t isotropy(const Vector& x) {
    bool nonzero = false;
    E sum = traits.zero();
    for (const E& value : x) {
      if (!traits.equal(value, traits.zero())) nonzero = true;
      sum = traits.add(sum, traits.mul(value, value));
    }
    if (!traits.equal(sum, traits.zero())) return 2;
    return nonzero ? 1 : 0;
  }

  // The exponent e with g^e = x for g = primitive element npe; -99 for zero; an npe out of
  // range stops with code "2".
  std::int32_t log(const E& x, std::int32_t npe) {
    if (traits.equal(x, traits.zero())) return -99;
    if (npe < 1 || npe > traits.no_of_pes()) {
      console_.line(name("###Error in ", "_log, called with npe:") + f(npe, 5));
      console_.line("Total number of primitive elements is" + f(traits.no_of_pes(), 5));
      console_.line("Execution terminated.");
      stop_with_code("2");
    }
    const std::int32_t by_table = traits.table_log(x, npe);
    if (by_table >= 0) return by_table;
    const std::int32_t found = log_by_search(x, npe);
    if (found >= 0) return found;
    console_.line(name("###Error in ", "_log, element not found as power of primitive element") +
                  f(npe, 4));
    console_.line(traits.coefficients(x));
    stop_with_code("");
  }

  // The logarithm by linear search over the powers of primitive element npe (npe valid), at
  // most q trials; -1 when x is not found.
  std::int32_t log_by_search(const E& x, std::int32_t npe) {
    const E g = traits.pe(npe);
    E y = traits.one();
    for (std::int32_t e = 0; e < traits.order(); ++e) {
      if (traits.equal(y, x)) return e;
      y = traits.mul(y, g);
    }
    return -1;
  }

  // Writes A as logarithms, one line per row, on the console and on unit when it is open.
  void write_matrix(const Matrix& a, std::int32_t npe, Text_output* unit) {
    if (a.cols() == 1) {
      Vector column(static_cast<std::size_t>(a.rows()));
      for (int r = 1; r <= a.rows(); ++r) column[at(r)] = a(r, 1);
      write_vector(column, npe, unit);
      return;
    }
    for (int r = 1; r <= a.rows(); ++r) {
      std::string line;
      for (int c = 1; c <= a.cols(); ++c) {
        if constexpr (Traits::write_trace) console_.line(traits.coefficients(a(r, c)));
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
      if (!append_field(line, log(x[at(i)], npe))) {
        write_line_too_long("_write_vector;", "Current vector element is (" + f(i, 2) + ")", unit);
        break;
      }
    }
    put(line, unit);
  }

  Traits traits;
  std::int32_t rank = 0;   // pivots found by the last Minv

 private:
  static constexpr std::size_t line_buffer = 384;

  static std::string f(long long value, int width) { return fixed_int(value, width); }
  static int size(const Vector& v) { return static_cast<int>(v.size()); }
  static std::size_t at(int i) { return static_cast<std::size_t>(i - 1); }
  static std::string name(std::string_view before, std::string_view after) {
    return std::string(before) + std::string(Traits::prefix) + std::string(after);
  }

  void scale_row(E* row, int n, const E& v) {
    if constexpr (requires { traits.scale_row(row, n, v); }) {
      traits.scale_row(row, n, v);
    } else {
      for (int j = 0; j < n; ++j) row[j] = traits.div(row[j], v);
    }
  }

  void eliminate_row(E* target, const E* pivot, int n, const E& d) {
    if constexpr (requires { traits.eliminate_row(target, pivot, n, d); }) {
      traits.eliminate_row(target, pivot, n, d);
    } else {
      for (int j = 0; j < n; ++j) target[j] = traits.sub(target[j], traits.mul(pivot[j], d));
    }
  }

  void combine(const Matrix& a, const Matrix& b, Matrix& c, bool add) {
    if (b.rows() != a.rows() || b.cols() != a.cols() || c.rows() != a.rows() ||
        c.cols() != a.cols()) {
      console_.line(free_form(name("###Error in ", add ? "_matadd, incompatible shapes.:"
                                                       : "_matsub, incompatible shapes.:")));
      console_.line(free_form("First matrix: ", a.rows(), a.cols()));
      console_.line(free_form("Second matrix:", b.rows(), b.cols()));
      console_.line(free_form(add ? "Sum:          " : "Difference:   ", c.rows(), c.cols()));
      stop_with_code("2");
    }
    for (int r = 1; r <= a.rows(); ++r) {
      for (int s = 1; s <= a.cols(); ++s) {
        c(r, s) = add ? traits.add(a(r, s), b(r, s)) : traits.sub(a(r, s), b(r, s));
      }
    }
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
