// Matrices and vectors over a Galois field and their algorithms, written once for both field
// kinds, with no console: each operation returns what happened (Matrix_outcome) and its caller
// speaks (Galois_Fields_Matrix_messages.hpp). A traits type supplies the field: zero, one, the
// four operations, equality, the primitive elements, logarithms by table. Shapes and positions
// are 1-based.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>


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

// What a matrix operation did.
enum class Matrix_outcome {
  done,
  incompatible_shapes,   // the inputs do not fit each other
  incompatible_output,   // the output does not fit the inputs
  not_square,            // inversion of a matrix that is not square
  singular,              // inversion stopped: no pivot left
  different_sizes,       // dot product of vectors of different sizes
  npe_out_of_range,      // no primitive element of that number
  not_a_power,           // the element is no power of the primitive element
};

template <typename Traits>
class Gf_matrix_algorithms {
 public:
  using E = typename Traits::element;
  using Matrix = Gf_matrix<E>;
  using Vector = Gf_vector<E>;

  // An inversion: det(A) (zero unless done), the pivots found, and what happened.
  struct Inversion {
    E det;
    int rank;
    Matrix_outcome outcome;
  };
  // A logarithm: the exponent (-99 for zero) unless the outcome says otherwise; element is the
  // value whose logarithm was taken.
  struct Log {
    std::int32_t value;
    Matrix_outcome outcome;
    E element;
  };

  explicit Gf_matrix_algorithms(Traits field) : traits(std::move(field)) {}

  // C = A * B; C is untouched unless done.
  Matrix_outcome matmul(const Matrix& a, const Matrix& b, Matrix& c) const {
    if (a.cols() != b.rows()) return Matrix_outcome::incompatible_shapes;
    if (c.rows() != a.rows() || c.cols() != b.cols()) return Matrix_outcome::incompatible_output;
    for (int r = 1; r <= a.rows(); ++r) {
      for (int s = 1; s <= b.cols(); ++s) {
        E sum = traits.zero();
        for (int n = 1; n <= a.cols(); ++n) sum = traits.add(sum, traits.mul(a(r, n), b(n, s)));
        c(r, s) = sum;
      }
    }
    return Matrix_outcome::done;
  }

  // y = A * x; y is untouched unless done.
  Matrix_outcome matmulv(const Matrix& a, const Vector& x, Vector& y) const {
    if (a.cols() != size(x)) return Matrix_outcome::incompatible_shapes;
    if (size(y) != a.rows()) return Matrix_outcome::incompatible_output;
    for (int r = 1; r <= a.rows(); ++r) {
      E sum = traits.zero();
      for (int n = 1; n <= a.cols(); ++n) sum = traits.add(sum, traits.mul(a(r, n), x[at(n)]));
      y[at(r)] = sum;
    }
    return Matrix_outcome::done;
  }

  // C = A + B or A - B; incompatible_shapes (C untouched) unless all three shapes agree.
  Matrix_outcome combine(const Matrix& a, const Matrix& b, Matrix& c, bool add) const {
    if (b.rows() != a.rows() || b.cols() != a.cols() || c.rows() != a.rows() ||
        c.cols() != a.cols()) {
      return Matrix_outcome::incompatible_shapes;
    }
    for (int r = 1; r <= a.rows(); ++r) {
      for (int s = 1; s <= a.cols(); ++s) {
        c(r, s) = add ? traits.add(a(r, s), b(r, s)) : traits.sub(a(r, s), b(r, s));
      }
    }
    return Matrix_outcome::done;
  }

  // Gauss-Jordan inversion in place with pivoting by position. A singular matrix is left
  // partly reduced; a matrix that is not square is untouched.
  Inversion Minv(Matrix& a) {
    if (a.rows() != a.cols()) return {traits.zero(), 0, Matrix_outcome::not_square};
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
      if (k == 0) return {traits.zero(), i - 1, Matrix_outcome::singular};
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
    return {det, n, Matrix_outcome::done};
  }

  // The logarithm of x . y to the base of primitive element npe; below npe 1 the sum itself as
  // an integer when the traits ask for it.
  Log dot_prod(const Vector& x, const Vector& y, std::int32_t npe) const {
    if (size(x) != size(y)) return {0, Matrix_outcome::different_sizes, traits.zero()};
    E sum = traits.zero();
    for (std::size_t i = 0; i < x.size(); ++i) sum = traits.add(sum, traits.mul(x[i], y[i]));
    if constexpr (Traits::dot_prod_sum_below_npe_1) {
      if (npe < 1) return {traits.to_integer(sum), Matrix_outcome::done, sum};
    }
    return log(sum, npe);
  }

  // 2 when x . x is not zero; else 1 when some entry is nonzero, 0 when none is.
  std::int32_t isotropy(const Vector& x) const {
    bool nonzero = false;
    E sum = traits.zero();
    for (const E& value : x) {
      if (!traits.equal(value, traits.zero())) nonzero = true;
      sum = traits.add(sum, traits.mul(value, value));
    }
    if (!traits.equal(sum, traits.zero())) return 2;
    return nonzero ? 1 : 0;
  }

  // The exponent e with g^e = x for g = primitive element npe, by the tables or by search.
  Log log(const E& x, std::int32_t npe) const {
    if (traits.equal(x, traits.zero())) return {-99, Matrix_outcome::done, x};
    if (npe < 1 || npe > traits.no_of_pes()) return {0, Matrix_outcome::npe_out_of_range, x};
    const std::int32_t by_table = traits.table_log(x, npe);
    if (by_table >= 0) return {by_table, Matrix_outcome::done, x};
    const std::int32_t found = log_by_search(x, npe);
    if (found >= 0) return {found, Matrix_outcome::done, x};
    return {0, Matrix_outcome::not_a_power, x};
  }

  // The logarithm by linear search over the powers of primitive element npe (npe valid), at
  // most q trials; -1 when x is not found.
  std::int32_t log_by_search(const E& x, std::int32_t npe) const {
    const E g = traits.pe(npe);
    E y = traits.one();
    for (std::int32_t e = 0; e < traits.order(); ++e) {
      if (traits.equal(y, x)) return e;
      y = traits.mul(y, g);
    }
    return -1;
  }

  Traits traits;

 private:
  static int size(const Vector& v) { return static_cast<int>(v.size()); }
  static std::size_t at(int i) { return static_cast<std::size_t>(i - 1); }

  void scale_row(E* row, int n, const E& v) const {
    if constexpr (requires { traits.scale_row(row, n, v); }) {
      traits.scale_row(row, n, v);
    } else {
      for (int j = 0; j < n; ++j) row[j] = traits.div(row[j], v);
    }
  }

  void eliminate_row(E* target, const E* pivot, int n, const E& d) const {
    if constexpr (requires { traits.eliminate_row(target, pivot, n, d); }) {
      traits.eliminate_row(target, pivot, n, d);
    } else {
      for (int j = 0; j < n; ++j) target[j] = traits.sub(target[j], traits.mul(pivot[j], d));
    }
  }
};
