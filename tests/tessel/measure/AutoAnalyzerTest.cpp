#include "tessel/measure/AutoAnalyzer.h"

#include <gtest/gtest.h>

#include "support/TestRecording.h"
#include "tessel/measure/DoseComment.h"

namespace Tessel {
namespace {

using Testing::TestChart;

ChartSelection Selection(std::uint32_t from, std::uint32_t to, std::int32_t channel = 0) {
  return ChartSelection{channel, TickPosition(0, from), TickPosition(0, to), false};
}

const TableViewElem* CellOf(Document& doc, const std::string& dose, const std::string& label) {
  TableViewMatrix& m = doc.Matrix();
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
      if (m.Cell(r, kDoseColumn).text == dose && m.Cell(kRowLabel, c).text == label) {
        return &m.Cell(r, c);
      }
    }
  }
  return nullptr;
}

TEST(AutoAnalyzerTest, CommentsNotInTheTableAreEnteredAndMeasured) {
  TestChart t(Testing::Bath(20000, {{0, 1000, "TSL: <0.1> <Control>"},
                                    {0, 3000, "TSL: <1> <Control>"},
                                    {0, 5000, "wash"},
                                    {0, 7000, "TSL: <0.1> <Drug>"}}));
  t.Doc().Settings().startOffset = -5.0;
  t.Doc().Settings().stopOffset = 30.0;
  const AutoAnalysisReport r = AutoAnalyzer(t.Doc()).Run(Selection(0, 20000));
  EXPECT_EQ(r.found, 3);
  EXPECT_EQ(r.measured, 3);
  EXPECT_FALSE(r.limited);
  EXPECT_TRUE(t.Messages().Messages().empty());
  // Two doses, two runs: Control took the placeholder run B, Drug a new column C.
  EXPECT_EQ(t.Doc().Matrix().Cell(kRowLabel, 2).text, "Control");
  EXPECT_EQ(t.Doc().Matrix().Cell(kRowLabel, 3).text, "Drug");
  EXPECT_EQ(t.Doc().Matrix().Cell(kRowChannel, 3).text, "0");
  const TableViewElem* c = CellOf(t.Doc(), "1", "Control");
  ASSERT_NE(c, nullptr);
  EXPECT_TRUE(c->doseMarked);
  EXPECT_TRUE(c->responseAdded);
  EXPECT_EQ(c->dosePosition, TickPosition(0, 3000));
  EXPECT_EQ(c->start, TickPosition(0, 2500));
  EXPECT_EQ(c->end, TickPosition(0, 6000));
  EXPECT_EQ(c->text, "2");
  // The last row is still the prompt for the next dose.
  const TableViewMatrix& m = t.Doc().Matrix();
  EXPECT_EQ(m.Cell(m.RowCount() - 1, kDoseColumn).text, "<Enter Dose>");
  // The recording's comments are left as they were.
  EXPECT_EQ(t.Chart().Data().Comments().size(), 4u);
}

TEST(AutoAnalyzerTest, WindowsAreLimitedToTheSelectionWithOneMessage) {
  // Ten seconds before the end of the selection with a stop offset of 30 s.
  TestChart t(Testing::Bath(20000, {{0, 9000, "TSL: <1> <A>"}, {0, 9500, "TSL: <2> <A>"}}));
  t.Doc().Settings().stopOffset = 30.0;
  const AutoAnalysisReport r = AutoAnalyzer(t.Doc()).Run(Selection(0, 10000));
  EXPECT_TRUE(r.limited);
  EXPECT_EQ(CellOf(t.Doc(), "1", "A")->end, TickPosition(0, 10000));
  Testing::ExpectOneMessage(t.Messages(), "limited", MessageIcon::kInformation);
}

TEST(AutoAnalyzerTest, CommentsOutsideTheChannelOrSelectionAreNotAnalysed) {
  TestChart t(Testing::Bath(20000, {{1, 1000, "TSL: <1> <A>"}, {1, 15000, "TSL: <2> <A>"}}));
  std::int64_t id = 0;
  t.Chart().AddComment(-1, TickPosition(0, 2000), "TSL: <3> <All>", &id);
  AutoAnalyzer analyzer(t.Doc());
  EXPECT_EQ(analyzer.FindDoseComments(TickPosition(0, 0), TickPosition(0, 10000), 0).size(), 1u);
  EXPECT_EQ(analyzer.FindDoseComments(TickPosition(0, 0), TickPosition(0, 10000), 1).size(), 2u);
  EXPECT_EQ(
      analyzer.FindDoseComments(TickPosition(0, 0), TickPosition(0, 20000), kAnyChannel).size(),
      3u);
  t.Doc().Settings().autoChannel = 1;
  const AutoAnalysisReport r = analyzer.Run(Selection(0, 10000, 1));
  EXPECT_EQ(r.found, 2);
  EXPECT_EQ(CellOf(t.Doc(), "2", "A"), nullptr);
  // The run on every channel is measured on the chosen channel: Flow is the time in seconds.
  const TableViewElem* all = CellOf(t.Doc(), "3", "All");
  ASSERT_NE(all, nullptr);
  EXPECT_EQ(all->channel, 1);
  EXPECT_NEAR(all->response, 20.0 + 2.995, 1e-3);
}

TEST(AutoAnalyzerTest, ASecondRunMeasuresTheSameCellsAgain) {
  TestChart t(Testing::Bath(20000, {{0, 1000, "TSL: <1> <A>"}}));
  AutoAnalyzer(t.Doc()).Run(Selection(0, 20000));
  const std::uint32_t rows = t.Doc().Matrix().RowCount();
  const std::uint32_t columns = t.Doc().Matrix().ColumnCount();
  t.Doc().Settings().stopOffset = 2.0;
  AutoAnalyzer(t.Doc()).Run(Selection(0, 20000));
  EXPECT_EQ(t.Doc().Matrix().RowCount(), rows);
  EXPECT_EQ(t.Doc().Matrix().ColumnCount(), columns);
  EXPECT_EQ(CellOf(t.Doc(), "1", "A")->end, TickPosition(0, 1200));
}

TEST(AutoAnalyzerTest, StopKeepsWhatWasMeasured) {
  TestChart t(Testing::Bath(
      20000, {{0, 1000, "TSL: <1> <A>"}, {0, 3000, "TSL: <2> <A>"}, {0, 5000, "TSL: <3> <A>"}}));
  t.Host().Progress().PressStopAfter(1);
  const AutoAnalysisReport r = AutoAnalyzer(t.Doc()).Run(Selection(0, 20000));
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(r.measured, 1);
  EXPECT_EQ(t.Host().Progress().Title(), "Auto-Analyzing Selection");
  EXPECT_EQ(t.Host().Progress().Texts(), (std::vector<std::string>{"33 %"}));
  EXPECT_TRUE(CellOf(t.Doc(), "1", "A")->responseAdded);
  EXPECT_EQ(CellOf(t.Doc(), "2", "A"), nullptr);
}

TEST(AutoAnalyzerTest, ColumnTextNamesTheRunOfTheComments) {
  TestChart t(Testing::Bath(20000, {}));
  AutoAnalyzer analyzer(t.Doc());
  auto comment = [](const std::string& text) {
    return CommentInfo{0, 0, TickPosition(0, 1), text};
  };
  EXPECT_EQ(analyzer.ColumnText({comment("TSL: <1> <Control>")}), "None");
  TableViewMatrix& m = t.Doc().Matrix();
  m.InsertColumn(3, m.NewRunColumn(3));
  for (std::uint32_t c : {2u, 3u}) {
    m.Cell(kRowLabel, c).text = c == 2 ? "Control" : "Drug";
    m.Cell(kRowLabel, c).flags = 0x12;
  }
  EXPECT_EQ(analyzer.ColumnText({comment("TSL: <1> <control>")}), "B");
  EXPECT_EQ(analyzer.ColumnText({comment("TSL: <1> <Control>"), comment("TSL: <2> <Drug>")}),
            "Many");
}

}  // namespace
}  // namespace Tessel
