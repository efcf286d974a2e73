#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TableBuilder.h"
#include "tessel/fit/GatherRunPoints.h"

namespace Tessel {
namespace {

using Testing::Table;

TEST(GatherRunPointsTest, BadDosesContributeNoPointToAnyRun) {
  Table t({"Control", "Drug"}, {"abc", "0", "-5", "10", "1e999", "NaN"});
  for (std::uint32_t r = 0; r < 6; ++r) {
    t.Response(r, 2, "5").Response(r, 3, "6");
  }
  for (std::uint32_t column : {2u, 3u}) {
    const RunPoints p = GatherRunPoints(t.Matrix(), column);
    EXPECT_EQ(p.doses, std::vector<double>{10.0}) << column;
    EXPECT_EQ(p.rows, std::vector<std::int32_t>{7}) << column;
    EXPECT_EQ(p.columns, std::vector<std::int32_t>{static_cast<std::int32_t>(column)});
  }
}

TEST(GatherRunPointsTest, ResponsesNeedADigitAndTheResponseFlag) {
  Table t({"Control"}, {"1", "2", "3", "4", "5", "6"});
  t.Response(0, 2, "-")           // no digit: no point although it reads as 0
      .Response(1, 2, "NaN")      // a response that could not be computed
      .Response(2, 2, "0")        // a real zero
      .Response(3, 2, "12.5 mV")  // the leading number counts
      .Response(4, 2, "-1.5e-003");
  t.Matrix().Cell(kFirstDoseRow + 5, 2).text = "99";  // typed, never measured
  const RunPoints p = GatherRunPoints(t.Matrix(), 2);
  EXPECT_EQ(p.doses, (std::vector<double>{3, 4, 5}));
  EXPECT_EQ(p.responses, (std::vector<double>{0.0, 12.5, -1.5e-3}));
}

TEST(GatherRunPointsTest, RepeatColumnsJoinTheirRunRowByRow) {
  // "run a" repeats "Run A" (labels compare in lower case); "Other" is a run of its own.
  Table t({"Run A", "Other", "run a"}, {"1", "10", "100"});
  for (std::uint32_t r = 0; r < 3; ++r) {
    t.Response(r, 2, std::to_string(10 + r))
        .Response(r, 3, std::to_string(20 + r))
        .Response(r, 4, std::to_string(30 + r));
  }
  ASSERT_EQ(t.Matrix().Cell(kRowRepeat, 4).text, "Repeat 1");
  const RunPoints a = GatherRunPoints(t.Matrix(), 2);
  EXPECT_EQ(a.doses, (std::vector<double>{1, 1, 10, 10, 100, 100}));
  EXPECT_EQ(a.responses, (std::vector<double>{10, 30, 11, 31, 12, 32}));
  EXPECT_EQ(a.rows, (std::vector<std::int32_t>{4, 4, 5, 5, 6, 6}));
  EXPECT_EQ(a.columns, (std::vector<std::int32_t>{2, 4, 2, 4, 2, 4}));
  const RunPoints other = GatherRunPoints(t.Matrix(), 3);
  EXPECT_EQ(other.responses, (std::vector<double>{20, 21, 22}));
}

TEST(GatherRunPointsTest, PlaceholderLabelsAndPromptDosesGiveNothing) {
  Table t({"Control", "Drug"}, {"1", "10"});
  t.Response(0, 2, "5").Response(1, 2, "6").Response(0, 3, "7").Response(1, 3, "8");
  t.Matrix().Cell(kRowLabel, 3).flags |= kCellPrompt;  // the run was never named
  t.Matrix().Cell(kFirstDoseRow, kDoseColumn).flags |= kCellPrompt;
  EXPECT_TRUE(GatherRunPoints(t.Matrix(), 3).doses.empty());
  EXPECT_EQ(GatherRunPoints(t.Matrix(), 2).doses, std::vector<double>{10});
}

TEST(GatherRunPointsTest, DosesReadAsDoseCommentsReadThem) {
  Table t({"Control"}, {"1,000.5", "0,5", "5 mg", "1e2e3", "+4", " 10", ".5"});
  for (std::uint32_t r = 0; r < 7; ++r) {
    t.Response(r, 2, "1");
  }
  const RunPoints p = GatherRunPoints(t.Matrix(), 2);
  // "1e2e3" has two exponents and " 10" starts with a space: neither is a number.
  EXPECT_EQ(p.doses, (std::vector<double>{1000.5, 0.5, 5, 4, 0.5}));
  EXPECT_EQ(p.rows, (std::vector<std::int32_t>{4, 5, 6, 8, 10}));
}

}  // namespace
}  // namespace Tessel
