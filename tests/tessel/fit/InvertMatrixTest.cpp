#include <gtest/gtest.h>

#include <cmath>

#include "tessel/fit/InvertMatrix.h"

namespace ExtLib {
namespace {

Matrix Product(const Matrix& a, const Matrix& b) {
  const size_t n = a.size();
  Matrix p(n, std::vector<double>(n, 0.0));
  for (size_t i = 0; i < n; ++i) {
    for (size_t j = 0; j < n; ++j) {
      for (size_t k = 0; k < n; ++k) {
        p[i][j] += a[i][k] * b[k][j];
      }
    }
  }
  return p;
}

void ExpectIdentity(const Matrix& m, double tolerance) {
  for (size_t i = 0; i < m.size(); ++i) {
    for (size_t j = 0; j < m.size(); ++j) {
      EXPECT_NEAR(m[i][j], i == j ? 1.0 : 0.0, tolerance) << i << "," << j;
    }
  }
}

TEST(InvertMatrixTest, InvertsWellConditionedMatricesThatNeedPivoting) {
  const std::vector<Matrix> cases = {
      {{4, 7}, {2, 6}},
      {{0, 1, 2}, {1, 0, 3}, {4, -3, 8}},  // a zero in the first pivot place
      {{1e-3, 2, 3, 4}, {5, 6e3, 7, 8}, {9, 10, 1e-2, 12}, {13, 14, 15, 16e2}},
      {{2}},
  };
  for (const Matrix& original : cases) {
    Matrix inverse = original;
    InvertMatrix(inverse);
    ExpectIdentity(Product(original, inverse), 1e-12);
    ExpectIdentity(Product(inverse, original), 1e-12);
  }
}

// A zero row, and a ragged matrix, cannot be inverted.
TEST(InvertMatrixTest, ZeroRowOrRaggedThrowsSingular) {
  for (Matrix m : {Matrix{{1, 2}, {0, 0}}, Matrix{{0, 0, 0}, {1, 2, 3}, {4, 5, 7}}, Matrix{{0.0}},
                   Matrix{{1, 2}, {3}}}) {
    try {
      InvertMatrix(m);
      ADD_FAILURE() << "no exception";
    } catch (const MtxErr& e) {
      EXPECT_EQ(e.Message(), "Singular");
      EXPECT_STREQ(e.what(), "Singular");
    }
  }
  Matrix empty;
  EXPECT_NO_THROW(InvertMatrix(empty));
}

TEST(InvertMatrixTest, ZeroPivotWithoutZeroRowInvertsWithTheTinyPivot) {
  // Rank one: elimination leaves an exact zero in the last pivot.
  Matrix m = {{1, 2}, {2, 4}};
  ASSERT_NO_THROW(InvertMatrix(m));
  // The 1e-20 stand-in pivot shows up as entries of order 1e20, finite.
  for (const auto& row : m) {
    for (double v : row) {
      EXPECT_TRUE(std::isfinite(v));
    }
  }
  EXPECT_GT(std::fabs(m[1][1]), 1e19);
}

}  // namespace
}  // namespace ExtLib
