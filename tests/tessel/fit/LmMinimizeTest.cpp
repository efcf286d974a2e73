#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "support/TestData.h"
#include "tessel/fit/ComputeFitStatistics.h"
#include "tessel/fit/FB_FourParam.h"
#include "tessel/fit/FitModel.h"
#include "tessel/fit/LmCore.h"
#include "tessel/fit/LmMinimize.h"
#include "tessel/fit/TPlugin.h"

namespace ExtLib {
namespace {

// NIST's certified values carry 11 digits; run to the minimum, lmdif matches 1e-7 of them.
constexpr double kCertifiedTolerance = 1e-7;
// The statistics' analytic standard errors at the certified minimum match to 1e-6.
constexpr double kCertifiedErrorTolerance = 1e-6;

// Control for running to the minimum: the dose-response settings take forward differences
// with a relative step of 1e-4, whose error moves the converged point by ~1e-6 relative.
LmControl ToTheMinimum() {
  return LmControl{.ftol = 1e-15, .xtol = 1e-15, .epsilon = 1e-15, .maxcall = 1000};
}

// Test-only models of the NIST StRD problems, behind the same interface as the sigmoids.
class Rat42 : public FunctionBase {
 public:
  int ParameterCount() const override { return 3; }
  void InitialEstimates(const std::vector<double>&, const std::vector<double>&,
                        std::vector<double>& p) const override {
    p = start_;
  }
  double Evaluate(double x, const std::vector<double>& b) const override {
    return b[0] / (1.0 + std::exp(b[1] - b[2] * x));
  }
  void Gradient(double x, const std::vector<double>& b, std::vector<double>& g) const override {
    const double e = std::exp(b[1] - b[2] * x);
    g[0] = 1.0 / (1.0 + e);
    g[1] = -b[0] * e / ((1.0 + e) * (1.0 + e));
    g[2] = b[0] * x * e / ((1.0 + e) * (1.0 + e));
  }
  std::vector<double> start_;
};

double SumOfSquares(const FunctionBase& model, const std::vector<double>& x,
                    const std::vector<double>& y, const std::vector<double>& p) {
  double ss = 0.0;
  for (size_t i = 0; i < x.size(); ++i) {
    const double r = y[i] - model.Evaluate(x[i], p);
    ss += r * r;
  }
  return ss;
}

TEST(LmMinimizeTest, Rat42FromBothNistStarts) {
  const auto [kRat42X, kRat42Y] = Testing::DataPairs("fit/nist/rat42.txt");
  const std::vector<double> certified = {7.2462237576E+01, 2.6180768402E+00, 6.7359200066E-02};
  const std::vector<double> certifiedErrors = {1.7340283401E+00, 8.8295217536E-02,
                                               3.4465663377E-03};
  for (const std::vector<double>& start :
       {std::vector<double>{100, 1, 0.1}, std::vector<double>{75, 2.5, 0.07}}) {
    Rat42 model;
    model.start_ = start;
    // The fit's own settings get close from both starts...
    std::vector<double> p;
    LmControl outcome;
    ASSERT_TRUE(FitModel(kRat42X, kRat42Y, p, model, &outcome)) << outcome.info;
    EXPECT_NEAR(SumOfSquares(model, kRat42X, kRat42Y, p), 8.0565229338, 1e-7);
    // ...and run on from there the core reaches the certified minimum.
    TPlugin plugin(kRat42X, kRat42Y, model);
    outcome = ToTheMinimum();
    LmMinimize(9, 3, p.data(), plugin, outcome);
    ASSERT_TRUE(LmConverged(outcome.info) || outcome.info == kLmFtolTooSmall ||
                outcome.info == kLmXtolTooSmall)
        << outcome.info;
    for (size_t j = 0; j < 3; ++j) {
      EXPECT_NEAR(p[j], certified[j], kCertifiedTolerance * std::fabs(certified[j])) << j;
    }
    EXPECT_NEAR(SumOfSquares(model, kRat42X, kRat42Y, p), 8.0565229338, 1e-8);
    EXPECT_NEAR(outcome.fnorm, std::sqrt(8.0565229338), 1e-8);
    // The statistics' standard errors from the analytic gradient, against NIST's.
    Tessel::FitStatistics stats;
    ASSERT_TRUE(Tessel::ComputeFitStatistics(kRat42X, kRat42Y, p, model, stats));
    for (size_t j = 0; j < 3; ++j) {
      EXPECT_NEAR(stats.standardErrors[j], certifiedErrors[j],
                  kCertifiedErrorTolerance * certifiedErrors[j])
          << j;
    }
    EXPECT_NEAR(stats.syx, 1.1587725499, 1e-9);
    EXPECT_EQ(stats.degreesOfFreedom, 6);
  }
}

// Records the minimiser's calls to the plugin.
class CountingPlugin : public lmmin_plugin {
 public:
  CountingPlugin(const std::vector<double>& x, const std::vector<double>& y,
                 const FunctionBase& model, int stopAt = -1)
      : inner_(x, y, model), stopAt_(stopAt) {}
  void Evaluate(const double* par, int m, double* fvec, int* status) override {
    EXPECT_EQ(*status, 0);
    inner_.Evaluate(par, m, fvec, status);
    if (++evaluations_ == stopAt_) {
      *status = -1;
    }
  }
  void Printout(int, const double*, int, const double*, int phase, int, int nfev) override {
    phases_.push_back(phase);
    lastNfev_ = nfev;
  }
  TPlugin inner_;
  int stopAt_;
  int evaluations_ = 0;
  int lastNfev_ = 0;
  std::vector<int> phases_;
};

const std::vector<double> kDoses = {0.001, 0.01, 0.1, 1, 10, 100, 1000};

std::vector<double> Exact(const std::vector<double>& p) {
  const Sigmoid::FB_FourParam model;
  std::vector<double> y;
  for (double x : kDoses) {
    y.push_back(model.Evaluate(x, p));
  }
  return y;
}

TEST(LmMinimizeTest, ImproperInputEndsWithCodeZeroAndLeavesTheStart) {
  const Sigmoid::FB_FourParam model;
  const std::vector<double> y = Exact({100, 0, 0, 1});
  struct Case {
    const char* what;
    int m;
    LmControl control;
  };
  const Case cases[] = {{"fewer residuals than parameters", 3, LmControl{}},
                        {"negative ftol", 7, LmControl{.ftol = -1}},
                        {"negative gtol", 7, LmControl{.gtol = -1e-12}},
                        {"no evaluation budget", 7, LmControl{.maxcall = 0}},
                        {"no step bound", 7, LmControl{.stepbound = 0}}};
  for (Case c : cases) {
    std::vector<double> p = {90, 5, 0.5, 1};
    CountingPlugin plugin(kDoses, y, model);
    LmMinimize(c.m, 4, p.data(), plugin, c.control);
    EXPECT_EQ(c.control.info, kLmImproperInput) << c.what;
    EXPECT_EQ(p, (std::vector<double>{90, 5, 0.5, 1})) << c.what;
    EXPECT_EQ(plugin.evaluations_, 0) << c.what;
    EXPECT_EQ(plugin.phases_, std::vector<int>{kLmPhaseEnd}) << c.what;
  }
}

// Where FitModel ends at once or never converges: too few points keep the estimates, residuals
// zero at the start end after the start and one Jacobian, and NaN responses use the whole budget.
TEST(LmMinimizeTest, FitModelEndsAsItsDataAllows) {
  const Sigmoid::FB_FourParam model;
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const struct {
    std::vector<double> x, y;
    bool fitted;
    int info, minCalls, maxCalls;
    std::vector<double> p;  // empty: not looked at
  } cases[] = {
      {{1, 10, 100}, {5, 50, 95}, false, kLmImproperInput, 0, 0, {95, 5, 0, 1}},
      {{1, 10, 100, 1000}, {42, 42, 42, 42}, true, kLmOrthogonal, 1 + 4, 1 + 4, {42, 42, 0, 1}},
      {kDoses, {3, 5, 12, nan, 85, 97, 99}, false, kLmBudgetUsed, 500, 500 + 4, {}},
  };
  for (const auto& c : cases) {
    std::vector<double> p;
    LmControl outcome;
    EXPECT_EQ(FitModel(c.x, c.y, p, model, &outcome), c.fitted) << c.info;
    EXPECT_EQ(outcome.info, c.info);
    EXPECT_GE(outcome.nfev, c.minCalls) << c.info;
    EXPECT_LE(outcome.nfev, c.maxCalls) << c.info;
    EXPECT_TRUE(c.info != kLmOrthogonal || outcome.fnorm == 0.0);
    if (!c.p.empty()) {
      EXPECT_EQ(p, c.p) << c.info;
    }
  }
}

TEST(LmMinimizeTest, CallbackStopEndsWithCodeTenAtTheLastAcceptedPoint) {
  const Sigmoid::FB_FourParam model;
  const std::vector<double> y = {3, 5, 12, 48, 85, 97, 99};
  for (int stopAt : {1, 3, 5, 6, 9}) {
    std::vector<double> p = {99, 3, 1, 1};
    CountingPlugin plugin(kDoses, y, model, stopAt);
    LmControl control;
    LmMinimize(7, 4, p.data(), plugin, control);
    EXPECT_EQ(control.info, kLmStoppedByCallback) << stopAt;
    EXPECT_EQ(control.nfev, stopAt) << stopAt;
    if (stopAt <= 5) {  // still building the first Jacobian: x must be the start exactly
      EXPECT_EQ(p, (std::vector<double>{99, 3, 1, 1})) << stopAt;
    }
    EXPECT_EQ(plugin.phases_.back(), kLmPhaseEnd);
  }
}

TEST(LmMinimizeTest, ReportsEveryEvaluationWithItsPhase) {
  const Sigmoid::FB_FourParam model;
  const std::vector<double> y = {3, 5, 12, 48, 85, 97, 99};
  std::vector<double> p = {99, 3, 1, 1};
  CountingPlugin plugin(kDoses, y, model);
  LmControl control;
  LmMinimize(7, 4, p.data(), plugin, control);
  ASSERT_TRUE(LmConverged(control.info));
  ASSERT_GE(plugin.phases_.size(), 7u);
  EXPECT_EQ(plugin.phases_[0], kLmPhaseStart);
  for (int i = 1; i <= 4; ++i) {
    EXPECT_EQ(plugin.phases_[static_cast<size_t>(i)], kLmPhaseJacobian);
  }
  EXPECT_EQ(plugin.phases_[5], kLmPhaseTrial);
  EXPECT_EQ(plugin.phases_.back(), kLmPhaseEnd);
  EXPECT_EQ(control.nfev, plugin.evaluations_);
  EXPECT_EQ(plugin.lastNfev_, control.nfev);

  // With 10 evaluations allowed, too few for this curve, the budget runs out. As in lmdif it is
  // checked after each trial step, so a Jacobian may overrun it.
  p = {99, 3, 1, 1};
  control = LmControl{.maxcall = 2};
  LmMinimize(7, 4, p.data(), plugin, control);
  EXPECT_EQ(control.info, kLmBudgetUsed);
  EXPECT_GE(control.nfev, 10);
  EXPECT_LE(control.nfev, 10 + 4);
}

// A parameter the residuals never depend on: its column is zero, its scale 1, and the fit of
// the others still ends.
class IgnoresOne : public FunctionBase {
 public:
  int ParameterCount() const override { return 2; }
  void InitialEstimates(const std::vector<double>&, const std::vector<double>&,
                        std::vector<double>& p) const override {
    p = {1.0, 5.0};
  }
  double Evaluate(double x, const std::vector<double>& p) const override { return p[0] * x; }
  void Gradient(double, const std::vector<double>&, std::vector<double>&) const override {}
};

TEST(LmMinimizeTest, ZeroJacobianColumnStillTerminates) {
  const IgnoresOne model;
  std::vector<double> p;
  LmControl outcome;
  FitModel({1, 2, 3, 4}, {2.1, 3.9, 6.2, 7.8}, p, model, &outcome);
  EXPECT_TRUE(LmConverged(outcome.info) || outcome.info == kLmBudgetUsed) << outcome.info;
  EXPECT_NEAR(p[0], (2.1 + 7.8 + 18.6 + 31.2) / 30.0, 1e-7);
  EXPECT_EQ(p[1], 5.0);
}

TEST(LmMinimizeTest, EnormNeitherUnderflowsNorOverflows) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<std::vector<double>, double> cases[] = {
      {{3e-170, 4e-170}, 5e-170}, {{3e200, 4e200}, 5e200}, {{3e200, 1.0, 4e-200, 4e200}, 5e200},
      {{1, 2, 2}, 3.0},           {{1, inf}, inf},         {{}, 0.0},
  };
  for (const auto& [v, norm] : cases) {
    EXPECT_DOUBLE_EQ(Enorm(static_cast<int>(v.size()), v.data()), norm) << norm;
  }
  const double withNaN[] = {1, nan, 2};
  EXPECT_TRUE(std::isnan(Enorm(3, withNaN)));
}

}  // namespace
}  // namespace ExtLib
