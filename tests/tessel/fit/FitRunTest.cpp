#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "tessel/fit/ComputeFitStatistics.h"
#include "tessel/fit/FB_FourParam.h"
#include "tessel/fit/FitRun.h"

namespace Tessel {
namespace {

const std::vector<double> kDoses = {0.01, 0.1, 1, 10, 100, 1000, 10000};
const std::vector<double> kNoisy = {2, 5, 20, 50, 80, 95, 98};

TEST(FitRunTest, FourParameterFitFillsEveryGroupInRecordOrder) {
  FitResult r;
  FitRun(kDoses, kNoisy, false, r);
  ASSERT_TRUE(r.converged);
  ASSERT_TRUE(r.statisticsValid);
  EXPECT_EQ(r.pointsAnalysed, 7);
  EXPECT_EQ(r.degreesOfFreedom, 3);
  // The rising data: Bottom low, Top high (record order differs from parameter order).
  EXPECT_NEAR(r.bottom.value, 0.1705, 1e-3);
  EXPECT_NEAR(r.top.value, 99.83, 1e-2);
  const double t = StudentT975(3);
  for (const FitParameter* g : {&r.bottom, &r.top, &r.logEC50, &r.hillSlope}) {
    EXPECT_GT(g->standardError, 0.0);
    EXPECT_DOUBLE_EQ(g->lower, g->value - g->standardError * t);
    EXPECT_DOUBLE_EQ(g->upper, g->value + g->standardError * t);
  }
  EXPECT_NEAR(r.syx, std::sqrt(r.absoluteSumOfSquares / 3), 1e-15);
  EXPECT_GT(r.rSquared, 0.999);
  EXPECT_LT(r.rSquared, 1.0);
}

TEST(FitRunTest, TooFewPointsOrUnequalVectorsAreNotFitted) {
  struct Case {
    const char* what;
    std::vector<double> x;
    std::vector<double> y;
    bool fix;
    int points;
  };
  const Case cases[] = {
      {"three points, free slope", {0.1, 1, 10}, {12, 47, 83}, false, 3},
      {"two points, fixed slope", {0.1, 1}, {12, 47}, true, 2},
      {"no points", {}, {}, true, 0},
      {"unequal lengths", {0.1, 1, 10, 100}, {12, 47, 83}, true, 4},
  };
  for (const Case& c : cases) {
    FitResult r;
    r.top.value = 7.0;  // an earlier record's content stays where nothing is written
    r.converged = true;
    r.statisticsValid = true;
    FitRun(c.x, c.y, c.fix, r);
    EXPECT_FALSE(r.converged) << c.what;
    EXPECT_FALSE(r.statisticsValid) << c.what;
    EXPECT_EQ(r.pointsAnalysed, c.points) << c.what;
    EXPECT_EQ(r.top.value, 7.0) << c.what;
  }
}

TEST(FitRunTest, StudentQuantilesMatchClosedForms) {
  const double p = 0.975;
  const double pi = std::acos(-1.0);
  const double t1 = std::tan(pi * (p - 0.5));
  const double t2 = (2 * p - 1) / std::sqrt(2 * p * (1 - p));
  const double a = 4 * p * (1 - p);
  const double q = std::cos(std::acos(std::sqrt(a)) / 3) / std::sqrt(a);
  const double t4 = 2 * std::sqrt(q - 1);
  EXPECT_NEAR(StudentT975(1), t1, 1e-13 * t1);  // 12.706...
  EXPECT_NEAR(StudentT975(2), t2, 1e-13 * t2);
  EXPECT_NEAR(StudentT975(4), t4, 1e-13 * t4);
  EXPECT_NEAR(StudentT975(10), 2.228138852, 1e-9);
  EXPECT_TRUE(std::isnan(StudentT975(0)));
}

TEST(FitRunTest, StatisticsWithoutDegreesOfFreedomStillGiveTheSums) {
  const Sigmoid::FB_FourParam model;
  FitStatistics stats;
  const std::vector<double> p = {100, 0, 0, 1};
  EXPECT_FALSE(ComputeFitStatistics({0.1, 1, 10, 100}, {10, 49, 90, 99}, p, model, stats));
  EXPECT_EQ(stats.degreesOfFreedom, 0);
  EXPECT_GT(stats.absoluteSumOfSquares, 0.0);
  EXPECT_TRUE(std::isinf(stats.syx));  // SS / 0
  EXPECT_EQ(stats.standardErrors, std::vector<double>(4, 0.0));
}

// Values no table produces but a caller could pass: every fit must end, with a record whose
// flags tell the truth, and nothing undefined on the way (the sanitizer build runs this too).
TEST(FitRunTest, HostileValuesEndWithAnHonestRecord) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  struct Case {
    const char* what;
    std::vector<double> x;
    std::vector<double> y;
  };
  const Case cases[] = {
      {"NaN response", {0.1, 1, 10, 100, 1000}, {1, 2, nan, 4, 5}},
      {"infinite response", {0.1, 1, 10, 100, 1000}, {1, 2, inf, 4, 5}},
      {"negative dose", {-1, 1, 10, 100, 1000}, {1, 20, 50, 80, 99}},
      {"zero dose", {0, 1, 10, 100, 1000}, {1, 20, 50, 80, 99}},
      {"extreme doses", {1e-300, 1e-200, 1, 1e200, 1e300}, {1, 20, 50, 80, 99}},
      {"huge responses", {0.1, 1, 10, 100, 1000}, {1e300, -1e300, 1e300, -1e300, 1e300}},
      {"tiny responses", {0.1, 1, 10, 100, 1000}, {1e-310, 2e-310, 3e-310, 4e-310, 5e-310}},
      {"one dose repeated", {5, 5, 5, 5, 5}, {1, 2, 3, 4, 5}},
  };
  for (const Case& c : cases) {
    for (bool fix : {false, true}) {
      FitResult r;
      FitRun(c.x, c.y, fix, r);
      EXPECT_EQ(r.pointsAnalysed, 5) << c.what;
      if (!r.converged) {
        EXPECT_FALSE(r.statisticsValid) << c.what;
        EXPECT_EQ(r.top.standardError, 0.0) << c.what;
        EXPECT_EQ(r.bottom.lower, 0.0) << c.what;
      }
      if (r.statisticsValid) {
        EXPECT_GE(r.top.standardError, 0.0) << c.what;
      }
    }
  }
}

}  // namespace
}  // namespace Tessel
