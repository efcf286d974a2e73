// Analysing the same dose comments again must find the cells entered the first time: the table
// a recording gives is the same however often it is analysed.
#include <gtest/gtest.h>

#include "support/TestRecording.h"
#include "tessel/fit/GatherRunPoints.h"
#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/measure/DoseMarker.h"

namespace Tessel {
namespace {

using Testing::TestChart;

// Everything of the table a user sees or the fit reads, one line per cell.
std::vector<std::string> Snapshot(const TableViewMatrix& m) {
  std::vector<std::string> lines;
  for (std::uint32_t c = 0; c < m.ColumnCount(); ++c) {
    for (std::uint32_t r = 0; r < m.RowCount(); ++r) {
      const TableViewElem& e = m.Cell(r, c);
      lines.push_back(std::to_string(c) + "," + std::to_string(r) + " " + e.text + " | " +
                      e.commentText + " | " + std::to_string(e.channel) + " " +
                      std::to_string(e.doseMarked) + std::to_string(e.responseAdded));
    }
  }
  return lines;
}

void Analyse(TestChart& t, std::int32_t channel) {
  t.Doc().Settings().autoChannel = channel;
  AutoAnalyzer(t.Doc()).Run(ChartSelection{1, TickPosition(0, 0), TickPosition(0, 20000)});
}

TEST(ReanalysisTest, ASecondAnalysisGivesTheSameTable) {
  const struct {
    std::vector<Testing::BathComment> comments;
    std::int32_t channel;  // the auto-analysis channel
    std::uint32_t runs;    // run columns after the first analysis
  } cases[] = {
      // Measuring stores the channel measured in each cell of a run on all channels; the comment
      // still carries -1 and must still find its cell.
      {{{-1, 1000, "TSL: <1> <Control>"}, {-1, 3000, "TSL: <10> <Control>"}}, kAnyChannel, 1},
      // Blanks inside the brackets: the comment keeps them, the table fits the dose without.
      {{{0, 1000, "TSL: < 1 > <R>"}, {0, 3000, "TSL: <1> <R>"}, {0, 5000, "TSL: <10 > <R>"}}, 0, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.comments[0].text);
    TestChart t(Testing::Bath(20000, c.comments));
    Analyse(t, c.channel);
    const TableViewMatrix& m = t.Doc().Matrix();
    EXPECT_EQ(m.ColumnCount() - kFirstRunColumn, c.runs);
    for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
      for (std::uint32_t col = kFirstRunColumn; col < m.ColumnCount(); ++col) {
        EXPECT_EQ(m.Cell(r, col).doseMarked, m.Cell(r, col).responseAdded) << r << "," << col;
      }
    }
    const std::vector<std::string> first = Snapshot(m);
    Analyse(t, c.channel);
    EXPECT_EQ(Snapshot(m), first);
  }
}

// "TSL: < 1 > <R>" enters the dose 1: its value, its fitted point and its value after the
// document is saved and reopened all agree.
TEST(ReanalysisDoseTest, ADoseWithBlanksIsFittedAndKeepsItsValue) {
  TestChart t(Testing::Bath(20000, {{0, 1000, "TSL: < 1 > <R>"}}));
  Analyse(t, 0);
  const TableViewMatrix& m = t.Doc().Matrix();
  const TableViewElem& dose = m.Cell(kFirstDoseRow, kDoseColumn);
  EXPECT_EQ(dose.text, "1");
  EXPECT_EQ(dose.commentText, " 1 ");
  EXPECT_EQ(dose.value, 1.0);
  const RunPoints points = GatherRunPoints(m, kFirstRunColumn);
  ASSERT_EQ(points.doses.size(), 1u);
  EXPECT_EQ(points.doses[0], 1.0);
}

// A run whose channel the host reports unusable is not measured by auto-analysis either.
TEST(ReanalysisChannelTest, CommentsOnAnUnusableChannelAreSkipped) {
  TestChart t(Testing::Bath(20000, {{0, 1000, "TSL: <1> <A>"}, {1, 3000, "TSL: <1> <B>"}}));
  t.Chart().SetChannelUsable(0, false);
  t.Doc().Settings().autoChannel = kAnyChannel;
  const AutoAnalysisReport r =
      AutoAnalyzer(t.Doc()).Run(ChartSelection{0, TickPosition(0, 0), TickPosition(0, 20000)});
  EXPECT_EQ(r.found, 2);
  EXPECT_EQ(r.measured, 1);
  const TableViewMatrix& m = t.Doc().Matrix();
  ASSERT_EQ(m.Cell(kRowLabel, kFirstRunColumn).text, "A");
  EXPECT_FALSE(m.Cell(kFirstDoseRow, kFirstRunColumn).responseAdded);
  EXPECT_TRUE(m.Cell(kFirstDoseRow, kFirstRunColumn + 1).responseAdded);
}

}  // namespace
}  // namespace Tessel
