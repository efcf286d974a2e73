#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TestData.h"
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

// Column i of tests/data/fit/results-view.txt.
std::vector<std::string> Expected(size_t i) {
  std::vector<std::string> out;
  for (const Testing::DataRow& row : Testing::DataTable("fit/results-view.txt")) {
    out.push_back(row[i]);
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

TEST(FittedParamsDataTest, LabelsStylesAndEmptyValuesAfterReset) {
  const DocumentSettings settings;
  auto t = MakeRef<FittedParamsData>(settings);
  EXPECT_EQ(Column(*t, 0), Expected(0));
  for (std::uint32_t c = 1; c <= 8; ++c) {
    EXPECT_EQ(Column(*t, c), std::vector<std::string>(25, "")) << c;
  }
  // Section headings stand out from the labels under them.
  EXPECT_EQ(t->CellStyle(1, 0), 0x1020);
  EXPECT_EQ(t->CellStyle(2, 0), 0x21);
  EXPECT_EQ(t->CellStyle(0, 1), 0x1010);
  EXPECT_EQ(t->CellStyle(2, 8), 0x1001);
  EXPECT_EQ(t->ColumnCount(), 1u);
  EXPECT_EQ(t->Title(), "Tessel Results View");
  EXPECT_EQ(t->ListName(), "Copy Fitted Parameters");
  std::uint32_t count = 0;
  EXPECT_EQ(t->GetListCount(&count), kFail);
  EXPECT_EQ(count, 1u);
}

TEST(FittedParamsDataTest, ConvergedColumnWithFourSignificantFigures) {
  const DocumentSettings settings;  // 4 figures, general notation
  auto t = MakeRef<FittedParamsData>(settings);
  t->SetRunColumn(2, "Control", Converged());
  EXPECT_EQ(Column(*t, 3), Expected(1));
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
  EXPECT_EQ(t->CellText(13, 1), "1e+003 to 1.5e+003");
}

TEST(FittedParamsDataTest, FailedFitShowsOnlyItsTitleMarkAndPointCount) {
  const DocumentSettings settings;
  FitResult notConverged = Converged();
  notConverged.converged = false;
  FitResult noStatistics = Converged();
  noStatistics.statisticsValid = false;
  FitResult threeFixed;  // three points, three parameters: no degrees of freedom
  FitRun({0.1, 1, 10}, {12, 47, 83}, true, threeFixed);
  threeFixed.pointsAnalysed = 12;
  for (const FitResult& r : {notConverged, noStatistics, threeFixed}) {
    auto t = MakeRef<FittedParamsData>(settings);
    t->SetRunColumn(0, "Drug", r);
    EXPECT_EQ(Column(*t, 1), Expected(2));
  }
}

TEST(FittedParamsDataTest, FixedSlopeRowsShowTheConstant) {
  FitResult r;
  FitRun({0.01, 0.1, 1, 10, 100, 1000}, {3, 9, 31, 68, 90, 97}, true, r);
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
  t->SetRunColumn(8, "out of range", Converged());  // ignored
  EXPECT_EQ(t->ColumnCount(), 3u);
  t->ResetTable();
  EXPECT_EQ(t->ColumnCount(), 1u);
  EXPECT_EQ(t->RowCount(), 25u);
  EXPECT_EQ(t->CellText(0, 1), "");
}

}  // namespace
}  // namespace Tessel
