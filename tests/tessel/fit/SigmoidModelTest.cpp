#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/TestData.h"

#include "tessel/fit/FB_FourParam.h"

namespace Sigmoid {
namespace {

using Params = std::vector<double>;

// Central differences with a step of ~cbrt(eps) relative: truncation and rounding errors are
// then both near 1e-10 relative, so 1e-6 leaves room for the curvature of steep slopes.
constexpr double kGradientTolerance = 1e-6;

TEST(SigmoidModelTest, MidpointAtTheEC50IsExactForAnySlope) {
  const FB_FourParam model;
  for (double h : {0.3, 1.0, -2.0, 7.5}) {
    const Params p{37.0, -4.0, 1.0, h};
    EXPECT_EQ(model.Evaluate(10.0, p), (37.0 + -4.0) / 2.0) << h;
  }
}

TEST(SigmoidModelTest, ThreeEntriesMeanAUnitSlopeInBothModels) {
  const FB_ThreeParam three;
  const FB_FourParam four;
  const Params p3{80.0, 20.0, -1.0};
  const Params p4{80.0, 20.0, -1.0, 1.0};
  const Params steep{80.0, 20.0, -1.0, 3.0};
  for (double x : {0.001, 0.05, 0.1, 3.0}) {
    EXPECT_EQ(four.Evaluate(x, p3), four.Evaluate(x, p4));
    EXPECT_EQ(three.Evaluate(x, p3), four.Evaluate(x, p4));
    // A fourth entry is honoured even by the three-parameter object.
    EXPECT_EQ(three.Evaluate(x, steep), four.Evaluate(x, steep));
  }
  // A gradient vector of three entries gets no Hill entry.
  std::vector<double> g4(3, 0.0);
  std::vector<double> g3(3, 0.0);
  four.Gradient(2.0, Params{10.0, 1.0, 0.5, 1.0}, g4);
  three.Gradient(2.0, Params{10.0, 1.0, 0.5}, g3);
  EXPECT_EQ(g4, g3);
}

// Every analytic entry against central differences over parameters and doses, rising and
// falling, shallow and steep, both models.
TEST(SigmoidModelTest, GradientMatchesCentralDifferences) {
  const FB_FourParam four;
  const FB_ThreeParam three;
  const std::vector<Params> grid = {
      {100, 0, 0, 1},       {5, 95, -1.5, 0.7}, {1e-3, -2e-3, 3, 2.5}, {60, 8, 0.7, -1.3},
      {2.4e6, 3e5, 1, 0.4}, {1, 0, -7.5, 4.0},  {-5, -50, -1.2, 1.0},
  };
  const double doses[] = {1e-9, 1e-3, 0.02, 0.5, 1.0, 3.0, 40.0, 1e4};
  for (const Params& base : grid) {
    for (const ExtLib::FunctionBase* model : {static_cast<const ExtLib::FunctionBase*>(&four),
                                              static_cast<const ExtLib::FunctionBase*>(&three)}) {
      const size_t n = static_cast<size_t>(model->ParameterCount());
      const Params p(base.begin(), base.begin() + static_cast<long>(n));
      for (double x : doses) {
        std::vector<double> g(n, 0.0);
        model->Gradient(x, p, g);
        for (size_t j = 0; j < n; ++j) {
          const double h =
              std::cbrt(std::numeric_limits<double>::epsilon()) * std::max(1.0, std::fabs(p[j]));
          Params up = p;
          Params down = p;
          up[j] += h;
          down[j] -= h;
          const double numeric = (model->Evaluate(x, up) - model->Evaluate(x, down)) / (2 * h);
          const double scale = std::max({1.0, std::fabs(p[0]), std::fabs(p[1])});
          EXPECT_NEAR(g[j], numeric, kGradientTolerance * scale)
              << "parameter " << j << " at x = " << x << " of {" << p[0] << ", " << p[1] << ", "
              << p[2] << (n == 4 ? ", " + std::to_string(p[3]) : std::string()) << "}";
        }
      }
    }
  }
}

TEST(SigmoidModelTest, InitialEstimates) {
  const FB_ThreeParam three;
  for (const Testing::DataRow& c : Testing::DataTable("fit/initial-estimates.txt")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    Params p;
    three.InitialEstimates(c.Numbers(1), c.Numbers(2), p);
    ASSERT_EQ(p.size(), 3u);
    EXPECT_EQ(p[kTop], c.Number(3));
    EXPECT_EQ(p[kBottom], c.Number(4));
    EXPECT_DOUBLE_EQ(p[kLogEC50], c.Number(5));
  }
}

TEST(SigmoidModelTest, FourParameterEstimatesAddAUnitSlopeAndNeverShrink) {
  const FB_FourParam four;
  Params p{9, 9, 9, 9, 9, 9};
  four.InitialEstimates({1, 10, 100, 1000}, {2, 30, 70, 98}, p);
  EXPECT_EQ(p, (Params{98, 2, 1, 1.0, 9, 9}));
  Params empty;
  four.InitialEstimates({1, 10, 100, 1000}, {2, 30, 70, 98}, empty);
  EXPECT_EQ(empty.size(), 4u);
  EXPECT_EQ(empty[kHillSlope], 1.0);
}

}  // namespace
}  // namespace Sigmoid
