#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tessel/fit/FitRun.h"
#include "tessel/fit/FittedParamsData.h"

namespace Tessel {
namespace {

std::vector<std::string> Column(const FittedParamsData& t, std::uint32_t column) {
  std::vector<std::string> out;
  for (std::uint32_t r = 0; r < t.RowCount(); ++r) {
    out.push_back(t.CellText(r, column));
  }
  return out;
}

FitResult Converged() {
  FitResult r;
  r.bottom = {1234.5678, 0.000123456, 1000, 1500};
  r.top = {99.5, 2.25, 95, 104};
  r.logEC50 = {-1, 0.5, -2, 0};
  r.hillSlope = {1.25, 0.125, 1, 1.5};
  r.degreesOfFreedom = 8;
  r.rSquared = 0.98765;
  r.absoluteSumOfSquares = 12.5;
  r.syx = 1.25;
  r.pointsAnalysed = 12;
  r.converged = true;
  r.statisticsValid = true;
  return r;
}

TEST(FittedParamsDataTest, LabelsAndEmptyValuesAfterReset) {
  const DocumentSettings settings;
  auto t = MakeRef<FittedParamsData>(settings);
  EXPECT_EQ(Column(*t, 0), (std::vector<std::string>{"",
                                                     "Best-fit values",
                                                     "BOTTOM",
                                                     "TOP",
                                                     "LOGEC50",
                                                     "EC50",
                                                     "Hill Slope",
                                                     "Std. Error",
                                                     "BOTTOM",
                                                     "TOP",
                                                     "LOGEC50",
                                                     "Hill Slope",
                                                     "95% Confidence Intervals",
                                                     "BOTTOM",
                                                     "TOP",
                                                     "LOGEC50",
                                                     "EC50",
                                                     "Hill Slope",
                                                     "Goodness of Fit",
                                                     "Degrees of Freedom",
                                                     "R Squared",
                                                     "Absolute Sum of Squares",
                                                     "Sy.x",
                                                     "Data",
                                                     "Analyzed"}));
  for (std::uint32_t c = 1; c <= 8; ++c) {
    EXPECT_EQ(Column(*t, c), std::vector<std::string>(25, "")) << c;
  }
  EXPECT_EQ(t->ColumnCount(), 1u);
  EXPECT_EQ(t->Title(), "Tessel Results View");
  EXPECT_EQ(t->ListName(), "Copy Fitted Parameters");
  std::uint32_t count = 0;
  EXPECT_EQ(t->GetListCount(&count), kFail);
  EXPECT_EQ(count, 1u);
}

TEST(FittedParamsDataTest, StyleWords) {
  const DocumentSettings settings;
  auto t = MakeRef<FittedParamsData>(settings);
  for (std::uint32_t r = 0; r < 25; ++r) {
    const bool heading = r == 1 || r == 7 || r == 12 || r == 18 || r == 23;
    EXPECT_EQ(t->CellStyle(r, 0), heading ? 0x1020 : 0x21) << r;
    for (std::uint32_t c = 1; c <= 8; ++c) {
      EXPECT_EQ(t->CellStyle(r, c), r <= 1 ? 0x1010 : 0x1001) << r << "," << c;
    }
  }
}

TEST(FittedParamsDataTest, ConvergedColumnWithFourSignificantFigures) {
  const DocumentSettings settings;  // 4 figures, general notation
  auto t = MakeRef<FittedParamsData>(settings);
  t->SetRunColumn(2, "Control", Converged());
  EXPECT_EQ(Column(*t, 3),
            (std::vector<std::string>{
                "Control",   "",          "1235",      "99.5",     "-1",    "0.1", "1.25",
                "",          "0.0001235", "2.25",      "0.5",      "0.125", "",    "1000 to 1500",
                "95 to 104", "-2 to 0",   "0.01 to 1", "1 to 1.5", "",      "8",   "0.9877",
                "12.5",      "1.25",      "",          "12"}));
  EXPECT_EQ(t->ColumnCount(), 2u);  // a title in value column 3 only
}

TEST(FittedParamsDataTest, ScientificNotationFollowsTheSettingsWhenWritten) {
  DocumentSettings settings;
  auto t = MakeRef<FittedParamsData>(settings);
  settings.scientific = true;
  t->SetRunColumn(0, "A", Converged());
  EXPECT_EQ(t->CellText(2, 1), "1.235e+003");
  EXPECT_EQ(t->CellText(19, 1), "8");  // integers stay plain
  settings.sigFigs = 2;
  settings.scientific = false;
  t->SetRunColumn(0, "A", Converged());
  EXPECT_EQ(t->CellText(2, 1), "1.2e+003");
  EXPECT_EQ(t->CellText(13, 1), "1e+003 to 1.5e+003");
}

TEST(FittedParamsDataTest, FailedFitShowsOnlyItsTitleMarkAndPointCount) {
  const DocumentSettings settings;
  FitResult notConverged = Converged();
  notConverged.converged = false;
  FitResult noStatistics = Converged();
  noStatistics.statisticsValid = false;
  for (const FitResult& r : {notConverged, noStatistics}) {
    auto t = MakeRef<FittedParamsData>(settings);
    t->SetRunColumn(0, "Drug", r);
    std::vector<std::string> expected(25, "");
    expected[0] = "Drug (FIT FAILED)";
    expected[24] = "12";
    EXPECT_EQ(Column(*t, 1), expected);
  }
}

TEST(FittedParamsDataTest, ThreePointsWithTheSlopeFixedShowAsFailed) {
  FitResult r;
  FitRun({0.1, 1, 10}, {12, 47, 83}, true, r);
  const DocumentSettings settings;
  auto t = MakeRef<FittedParamsData>(settings);
  t->SetRunColumn(0, "Run", r);
  EXPECT_EQ(t->CellText(0, 1), "Run (FIT FAILED)");
  EXPECT_EQ(t->CellText(2, 1), "");
  EXPECT_EQ(t->CellText(24, 1), "3");
}

TEST(FittedParamsDataTest, FixedSlopeRowsShowTheConstant) {
  std::vector<double> x = {0.01, 0.1, 1, 10, 100, 1000};
  std::vector<double> y = {3, 9, 31, 68, 90, 97};
  FitResult r;
  FitRun(x, y, true, r);
  ASSERT_TRUE(r.converged && r.statisticsValid);
  const DocumentSettings settings;
  auto t = MakeRef<FittedParamsData>(settings);
  t->SetRunColumn(0, "Run", r);
  EXPECT_EQ(t->CellText(6, 1), "1");
  EXPECT_EQ(t->CellText(11, 1), "0");
  EXPECT_EQ(t->CellText(17, 1), "1 to 1");
  EXPECT_EQ(t->CellText(19, 1), "3");
}

TEST(FittedParamsDataTest, ColumnCountFollowsTitledColumnsAndResetClears) {
  const DocumentSettings settings;
  auto t = MakeRef<FittedParamsData>(settings);
  t->SetRunColumn(0, "A", Converged());
  t->SetRunColumn(1, "B", FitResult{});
  EXPECT_EQ(t->ColumnCount(), 3u);
  t->SetRunColumn(8, "out of range", Converged());  // ignored
  EXPECT_EQ(t->ColumnCount(), 3u);
  t->ResetTable();
  EXPECT_EQ(t->ColumnCount(), 1u);
  EXPECT_EQ(t->RowCount(), 25u);
  EXPECT_EQ(t->CellText(0, 1), "");
}

}  // namespace
}  // namespace Tessel
