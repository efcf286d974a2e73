#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "support/TestData.h"
#include "tessel/fit/ComputeFitStatistics.h"
#include "tessel/fit/FB_FourParam.h"
#include "tessel/fit/FitRun.h"

namespace Tessel {
namespace {

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
  for (const Testing::DataRow& c : Testing::DataTable("fit/hostile-values.txt")) {
    for (bool fix : {false, true}) {
      SCOPED_TRACE(c.where + " " + c[0] + (fix ? ", fixed slope" : ""));
      FitResult r;
      FitRun(c.Numbers(1), c.Numbers(2), fix, r);
      EXPECT_EQ(r.pointsAnalysed, 5);
      if (!r.converged) {
        EXPECT_FALSE(r.statisticsValid);
        EXPECT_EQ(r.top.standardError, 0.0);
        EXPECT_EQ(r.bottom.lower, 0.0);
      }
      if (r.statisticsValid) {
        EXPECT_GE(r.top.standardError, 0.0);
      }
    }
  }
}

}  // namespace
}  // namespace Tessel
