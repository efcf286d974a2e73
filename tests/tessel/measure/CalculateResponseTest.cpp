#include <bit>
#include <cfloat>
#include <cmath>
#include <limits>
#include <numeric>
#include <sstream>
#include <vector>

#include <gtest/gtest.h>

#include "support/TestData.h"
#include "support/TestRecording.h"
#include "tessel/measure/CalcType.h"
#include "tessel/measure/ResponseCalculator.h"

namespace Tessel {
namespace {

using Testing::TestChart;

constexpr std::uint32_t kRow = kFirstDoseRow;
constexpr std::uint32_t kCol = kFirstRunColumn;
constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

std::uint64_t Bits(double v) {
  return std::bit_cast<std::uint64_t>(v);
}

// One channel holding exactly these samples in a block at the given interval.
Strata::Recording Signal(const std::vector<float>& values, double interval = 1.0) {
  Strata::Recording r;
  r.AddChannel("Pressure");
  r.AddBlock(interval, static_cast<std::uint32_t>(values.size()));
  r.BlockAt(0).samples[0] = values;
  return r;
}

std::vector<float> Ramp(std::uint32_t n) {
  std::vector<float> v(n);
  std::iota(v.begin(), v.end(), 0.0f);
  return v;
}

// A run cell holding a response measured from start to end on channel 0, its dose at dose.
TableViewElem& Prepare(Document& doc, std::uint32_t dose, std::uint32_t start, std::uint32_t end,
                       std::int32_t channel = 0) {
  TableViewElem& cell = doc.Matrix().Cell(kRow, kCol);
  cell.channel = channel;
  cell.dosePosition = TickPosition(0, dose);
  cell.start = TickPosition(0, start);
  cell.end = TickPosition(0, end);
  cell.responseAdded = true;
  cell.doseMarked = true;
  return cell;
}

double Measure(TestChart& chart, std::int32_t type, bool perDose = false) {
  chart.Doc().Settings().calcType = type;
  chart.Doc().Settings().perDoseBaseline = perDose;
  EXPECT_TRUE(chart.Doc().CalculateResponse(kCol, kRow));
  return chart.Doc().Matrix().Cell(kRow, kCol).response;
}

// Samples written as in tests/data/measure/known-signals.txt.
std::vector<float> Samples(const std::string& text) {
  std::vector<float> v;
  std::istringstream in(text);
  for (std::string word; in >> word;) {
    if (word == "ramp") {
      in >> word;
      const std::vector<float> ramp = Ramp(static_cast<std::uint32_t>(std::stoul(word)));
      v.insert(v.end(), ramp.begin(), ramp.end());
    } else if (const size_t star = word.find('*'); star != std::string::npos) {
      v.insert(v.end(), std::stoul(word.substr(0, star)), std::stof(word.substr(star + 1)));
    } else {
      v.push_back(std::strtof(word.c_str(), nullptr));
    }
  }
  return v;
}

TEST(CalculateResponseTest, EachMethodGivesTheTextbookValue) {
  for (const Testing::DataRow& c : Testing::DataTable("measure/known-signals.txt")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    TestChart chart(Signal(Samples(c[1]), c.Number(2)));
    const auto start = static_cast<std::uint32_t>(c.Int(3));
    Prepare(chart.Doc(), start, start, static_cast<std::uint32_t>(c.Int(4)));
    for (std::int32_t type = 0; type < kCalcTypeCount; ++type) {
      EXPECT_DOUBLE_EQ(Measure(chart, type), c.Number(5 + static_cast<size_t>(type)))
          << CalcTypeName(type);
    }
  }
}

// No finite sample, or none at all, gives the NaN of a missing response.
TEST(CalculateResponseTest, NoFiniteSamplesGiveTheMissingResponseNaN) {
  TestChart chart(Signal({kNaN, kInf, -kInf, kNaN}));
  TableViewElem& cell = Prepare(chart.Doc(), 0, 0, 4);
  for (std::int32_t type = 0; type < kCalcTypeCount; ++type) {
    EXPECT_EQ(Bits(Measure(chart, type)), 0x7FF8600000000000u) << CalcTypeName(type);
  }
  Prepare(chart.Doc(), 3, 3, 3);  // an empty selection still counts as measured
  EXPECT_EQ(Bits(Measure(chart, kCalcAverage)), 0x7FF8600000000000u);
  EXPECT_EQ(cell.autoBaseline, (Baseline{true, DBL_MAX, 0.0}));
  // A selection ending at tick 0 reads nothing either.
  Prepare(chart.Doc(), 0, 0, 0);
  EXPECT_TRUE(std::isnan(Measure(chart, kCalcMaximum)));
}

TEST(CalculateResponseTest, PerDoseCorrectionSubtractsTheBaselineOfEachDose) {
  for (const Testing::DataRow& c : Testing::DataTable("measure/per-dose-signals.txt")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    TestChart chart(Signal(Samples(c[1]), c.Number(2)));
    TableViewElem& cell =
        Prepare(chart.Doc(), static_cast<std::uint32_t>(c.Int(3)),
                static_cast<std::uint32_t>(c.Int(4)), static_cast<std::uint32_t>(c.Int(5)));
    for (std::int32_t type = 0; type < kCalcTypeCount; ++type) {
      EXPECT_DOUBLE_EQ(Measure(chart, type, true), c.Number(6 + static_cast<size_t>(type)))
          << CalcTypeName(type);
    }
    // Without correction the automatic baseline is still written, for the Analysis View.
    Measure(chart, kCalcAverage, false);
    EXPECT_EQ(cell.autoBaseline, (Baseline{true, c.Number(11), 0.0}));
  }
}

TEST(CalculateResponseTest, SlopedUserBaselineSubtractsAlongTicksFromTheDose) {
  // 1200 samples cross two chunk boundaries; the dose lies inside, so the first 400 samples are
  // before it and get negative tick distances.
  constexpr double kT = 0.01;
  constexpr double kB = 1.5;
  constexpr double kS = -0.75;
  std::vector<float> samples(1300);
  for (size_t i = 0; i < samples.size(); ++i) {
    samples[i] = static_cast<float>(std::sin(0.01 * static_cast<double>(i)) * 10.0);
  }
  TestChart chart(Signal(samples, kT));
  TableViewElem& cell = Prepare(chart.Doc(), 450, 50, 1250);
  cell.userBaseline = Baseline{true, kB, kS};
  double sum = 0.0;
  double maximum = -DBL_MAX;
  for (int i = 50; i < 1250; ++i) {
    const double v = samples[static_cast<size_t>(i)] - (kB + kS * kT * (i - 450));
    sum += v;
    maximum = std::max(maximum, v);
  }
  EXPECT_NEAR(Measure(chart, kCalcAverage, true), sum / 1200, 1e-12);
  EXPECT_DOUBLE_EQ(Measure(chart, kCalcMaximum, true), maximum);
  EXPECT_NEAR(Measure(chart, kCalcIntegral, true), sum * kT, 1e-12);
  // The user's baseline is used, but the automatic one is still written; Max-Min ignores both.
  EXPECT_EQ(cell.autoBaseline.intercept, samples[50]);
  EXPECT_EQ(cell.userBaseline, (Baseline{true, kB, kS}));
  EXPECT_EQ(Measure(chart, kCalcMaxMinusMin, true), Measure(chart, kCalcMaxMinusMin, false));
}

TEST(CalculateResponseTest, UnknownTypesCellsWithoutResponseAndPlacesOutsideGiveFalse) {
  TestChart chart(Signal(Ramp(10)));
  TableViewElem& cell = Prepare(chart.Doc(), 0, 1, 5);
  cell.response = 42.0;
  for (std::int32_t type : {5, -1}) {
    chart.Doc().Settings().calcType = type;
    EXPECT_FALSE(chart.Doc().CalculateResponse(kCol, kRow));
    EXPECT_EQ(cell.response, 0.0);
  }
  // The whole table recalculates to zeros, and the result says so.
  EXPECT_FALSE(chart.Doc().RecalculateAllResponses());
  EXPECT_EQ(cell.text, "0");
  // A cell without a response is left alone.
  chart.Doc().Settings().calcType = kCalcAverage;
  cell.responseAdded = false;
  cell.response = 7.0;
  const TableViewElem before = cell;
  EXPECT_FALSE(chart.Doc().CalculateResponse(kCol, kRow));
  EXPECT_EQ(cell, before);
  // Outside the matrix there is nothing to measure.
  EXPECT_FALSE(chart.Doc().CalculateResponse(99, 99));
}

TEST(CalculateResponseTest, NoSamplesFromTheHostOrAtTheDoseGiveNaNAndFalse) {
  // The dose position is the very end of a short second block: an enumerator, but no sample.
  Strata::Recording r = Signal(Ramp(100));
  r.AddBlock(1.0, 5);
  TestChart chart(std::move(r));
  TableViewElem& cell = Prepare(chart.Doc(), 0, 10, 20, /*channel=*/3);
  EXPECT_FALSE(chart.Doc().CalculateResponse(kCol, kRow));
  EXPECT_EQ(Bits(cell.response), 0x7FF8600000000000u);
  cell.channel = 0;
  cell.dosePosition = TickPosition(1, 5);
  chart.Doc().Settings().perDoseBaseline = true;
  EXPECT_FALSE(chart.Doc().CalculateResponse(kCol, kRow));
  EXPECT_TRUE(std::isnan(cell.response));
  EXPECT_EQ(cell.autoBaseline, (Baseline{true, DBL_MAX, 0.0}));
}

TEST(CalculateResponseTest, ResultsViewIsAskedToRefitAfterEveryCalculation) {
  TestChart chart(Signal(Ramp(10)));
  Testing::CountingView results(ViewKind::kResults);
  chart.Doc().AttachView(&results);
  const int before = results.refreshed;
  Prepare(chart.Doc(), 0, 1, 5);
  chart.Doc().CalculateResponse(kCol, kRow);
  chart.Doc().Matrix().Cell(kRow, kCol).responseAdded = false;
  chart.Doc().CalculateResponse(kCol, kRow);
  EXPECT_EQ(results.refreshed, before + 2);
  chart.Doc().DetachView(&results);
}

TEST(CalculateResponseTest, RecalculateRemeasuresAndReformatsEveryResponse) {
  TestChart chart(Signal({1.0f, 2.0f, 3.0f, 4.0f, 1000.0f, 2000.0f}));
  Document& doc = chart.Doc();
  doc.Matrix().AppendRow();
  Prepare(doc, 0, 0, 4).text = "stale";
  TableViewElem& second = doc.Matrix().Cell(kRow + 1, kCol);
  second = doc.Matrix().Cell(kRow, kCol);
  second.start = TickPosition(0, 4);
  second.end = TickPosition(0, 6);
  doc.Settings().calcType = kCalcIntegral;
  doc.Settings().sigFigs = 3;
  doc.Settings().scientific = true;
  EXPECT_TRUE(doc.RecalculateAllResponses());
  EXPECT_EQ(doc.Matrix().Cell(kRow, kCol).text, "1.00e+001");
  EXPECT_EQ(second.text, "3.00e+003");
}

TEST(CalculateResponseTest, SelectionExtremesAreRawAndLeaveTheCellAlone) {
  TestChart chart(Signal({0, 50, 6, -8, 10, 12}));
  TableViewElem& cell = Prepare(chart.Doc(), 1, 2, 6);
  cell.userBaseline = Baseline{true, 100.0, 5.0};
  chart.Doc().Settings().perDoseBaseline = true;
  const TableViewElem before = cell;
  EXPECT_EQ(chart.Doc().SelectionMaximum(kCol, kRow), 12.0);
  EXPECT_EQ(chart.Doc().SelectionMinimum(kCol, kRow), -8.0);
  EXPECT_EQ(cell, before);
  cell.channel = 9;
  EXPECT_TRUE(std::isnan(chart.Doc().SelectionMaximum(kCol, kRow)));
}

TEST(CalculateResponseTest, DisplayedBaselineFollowsTypeAndCorrection) {
  TableViewElem cell = TableViewElem::Cleared();
  cell.autoBaseline = Baseline{true, 3.0, 0.0};
  cell.userBaseline = Baseline{true, 2.0, 0.5};
  struct Case {
    std::int32_t type;
    bool perDose;
    DisplayedBaseline shown;
  };
  const Case cases[] = {
      {kCalcAverage, true, {true, 2.0, 0.5}},
      {kCalcAverage, false, {false, 2.0, 0.5}},
      {kCalcMaxMinusMin, true, {false, 2.0, 0.5}},
      {kCalcIntegral, true, {true, 2.0, 0.5}},
      // The integral without correction is the area above zero.
      {kCalcIntegral, false, {true, 0.0, 0.0}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ResponseCalculator::Display(cell, c.type, c.perDose), c.shown)
        << CalcTypeName(c.type) << " " << c.perDose;
  }
  cell.userBaseline.present = false;
  EXPECT_EQ(ResponseCalculator::Display(cell, kCalcMinimum, true),
            (DisplayedBaseline{true, 3.0, 0.0}));
}

}  // namespace
}  // namespace Tessel
