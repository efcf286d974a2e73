#include "tessel/fit/InvertMatrix.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ExtLib {
namespace {

// Pivots smaller than this are replaced by it: the factorisation goes on instead of dividing by
// zero, and a covariance from it shows up as absurdly large rather than as a crash.
constexpr double kTinyPivot = 1e-20;

// LU decomposition in place; returns the row permutation.
std::vector<size_t> Decompose(Matrix& a) {
  const size_t n = a.size();
  std::vector<double> scale(n);
  for (size_t i = 0; i < n; ++i) {
    if (a[i].size() != n) {
      throw MtxErr(kMtxSingular);  // a ragged matrix has no inverse either
    }
    double big = 0.0;
    for (double v : a[i]) {
      big = std::max(big, std::fabs(v));
    }
    if (big == 0.0) {
      throw MtxErr(kMtxSingular);
    }
    scale[i] = 1.0 / big;
  }
  std::vector<size_t> index(n);
  for (size_t j = 0; j < n; ++j) {
    for (size_t i = 0; i < j; ++i) {
      double sum = a[i][j];
      for (size_t k = 0; k < i; ++k) {
        sum -= a[i][k] * a[k][j];
      }
      a[i][j] = sum;
    }
    double big = 0.0;
    size_t imax = j;
    for (size_t i = j; i < n; ++i) {
      double sum = a[i][j];
      for (size_t k = 0; k < j; ++k) {
        sum -= a[i][k] * a[k][j];
      }
      a[i][j] = sum;
      // Largest scaled candidate; >= so that a later row wins a tie.
      const double weight = scale[i] * std::fabs(sum);
      if (weight >= big) {
        big = weight;
        imax = i;
      }
    }
    if (imax != j) {
      std::swap(a[imax], a[j]);
      std::swap(scale[imax], scale[j]);
    }
    index[j] = imax;
    if (std::fabs(a[j][j]) < kTinyPivot) {
      a[j][j] = kTinyPivot;
    }
    if (j + 1 != n) {
      const double inverse = 1.0 / a[j][j];
      for (size_t i = j + 1; i < n; ++i) {
        a[i][j] *= inverse;
      }
    }
  }
  return index;
}

// Solves LU x = P b in place in b.
void BackSubstitute(const Matrix& lu, const std::vector<size_t>& index, std::vector<double>& b) {
  const size_t n = lu.size();
  bool summing = false;
  size_t first = 0;
  for (size_t i = 0; i < n; ++i) {
    double sum = b[index[i]];
    b[index[i]] = b[i];
    if (summing) {
      for (size_t j = first; j < i; ++j) {
        sum -= lu[i][j] * b[j];
      }
    } else if (std::fabs(sum) > kTinyPivot) {
      // Leading zeros of b contribute nothing; start at the first row that carries a value.
      summing = true;
      first = i;
    }
    b[i] = sum;
  }
  for (size_t i = n; i-- > 0;) {
    double sum = b[i];
    for (size_t j = i + 1; j < n; ++j) {
      sum -= lu[i][j] * b[j];
    }
    b[i] = sum / lu[i][i];
  }
}

}  // namespace

void InvertMatrix(Matrix& a) {
  const size_t n = a.size();
  const std::vector<size_t> index = Decompose(a);
  Matrix inverse(n, std::vector<double>(n, 0.0));
  std::vector<double> column(n);
  for (size_t c = 0; c < n; ++c) {
    std::fill(column.begin(), column.end(), 0.0);
    column[c] = 1.0;
    BackSubstitute(a, index, column);
    for (size_t r = 0; r < n; ++r) {
      inverse[r][c] = column[r];
    }
  }
  a = std::move(inverse);
}

}  // namespace ExtLib
