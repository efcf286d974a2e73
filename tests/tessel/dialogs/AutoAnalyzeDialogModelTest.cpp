#include "tessel/views/AutoAnalyzeDialogModel.h"

#include <gtest/gtest.h>

#include "support/TestData.h"
#include "support/TestRecording.h"

namespace Tessel {
namespace {

using Testing::TestChart;

Strata::Recording Bath() {
  return Testing::Bath(10000, {{0, 1000, "TSL: <1> <Control>"},
                               {1, 2000, "TSL: <2> <Control>"},
                               {0, 9990, "TSL: <3> <Control>"}});
}

TEST(AutoAnalyzeDialogModelTest, WithoutASelectionTheDialogDoesNotOpen) {
  TestChart t(Bath());
  AutoAnalyzeDialogModel model(t.Doc());
  EXPECT_FALSE(model.Open());
  Testing::ExpectOneMessage(t.Messages(), "no-selection", MessageIcon::kError);
}

TEST(AutoAnalyzeDialogModelTest, CountsDoseCommentsPerChannel) {
  TestChart t(Bath());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 5000));
  AutoAnalyzeDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  EXPECT_EQ(model.Channels(),
            (std::vector<std::string>{"Any channel except \"All\"", "Tension", "Flow"}));
  EXPECT_EQ(model.FoundText(), "2 dose comments found in current selection and channel.");
  EXPECT_EQ(model.ColumnText(), "None");
  EXPECT_EQ(model.StartText(), "1");
  EXPECT_EQ(model.StopText(), "5");
  model.SelectChannel(2);
  EXPECT_EQ(model.FoundCount(), 1);
  EXPECT_FALSE(model.FoundBalloon());
  t.Chart().Select(0, TickPosition(0, 3000), TickPosition(0, 5000));
  ASSERT_TRUE(model.Open());
  EXPECT_EQ(model.FoundCount(), 0);
  EXPECT_EQ(model.FoundBalloon(),
            (Balloon{"No Dose Comments Found",
                     "No dose comments were found in the current selection.", false}));
}

TEST(AutoAnalyzeDialogModelTest, OffsetsAreCheckedInOrder) {
  TestChart t(Bath());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 5000));
  AutoAnalyzeDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  for (const Testing::DataRow& c : Testing::DataTable("views/dialog-offsets.txt")) {
    SCOPED_TRACE(c.where);
    model.SetStartText(c[0]);
    model.SetStopText(c[1]);
    const std::optional<Balloon> expected =
        c[2].empty() ? std::nullopt : std::optional<Balloon>(Balloon{c[2], c[3], false});
    EXPECT_EQ(model.Validate(), expected);
  }
}

// Leaving a field checks it first, then everything; the balloon goes beside the field it is about.
TEST(AutoAnalyzeDialogModelTest, LeavingAFieldMarksTheFieldAtFault) {
  TestChart t(Bath());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 5000));
  AutoAnalyzeDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  constexpr auto kStart = OffsetField::kStart;
  constexpr auto kStop = OffsetField::kStop;
  const struct {
    const char* start;
    const char* stop;
    OffsetField leaving;
    std::optional<OffsetField> marked;
    const char* title;
  } cases[] = {
      {"4000", "5", kStart, kStart, "Invalid Start Time"},
      {"4000", "5", kStop, kStart, "Invalid Start Time"},
      {"1", "x", kStart, kStop, "Invalid Stop Time"},
      {"4000", "x", kStop, kStop, "Invalid Stop Time"},
      {"10", "10", kStart, kStop, "Invalid Stop Time"},
      {"1", "5", kStop, std::nullopt, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " " + c.stop);
    model.SetStartText(c.start);
    model.SetStopText(c.stop);
    const std::optional<OffsetCheck> check = model.Leave(c.leaving);
    ASSERT_EQ(check.has_value(), c.marked.has_value());
    if (check) {
      EXPECT_EQ(check->field, *c.marked);
      EXPECT_EQ(check->balloon.title, c.title);
    }
  }
}

TEST(AutoAnalyzeDialogModelTest, AShortLastWindowWarnsButStillRuns) {
  TestChart t(Bath());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 10000));
  AutoAnalyzeDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  model.SelectChannel(1);
  const auto balloon = model.Validate();
  ASSERT_TRUE(balloon);
  EXPECT_TRUE(balloon->warning);
  EXPECT_EQ(balloon->title, "Not Enough Samples");
  EXPECT_EQ(balloon->text, Testing::MessageText("will-not-analyze"));
  const auto report = model.Analyze();
  ASSERT_TRUE(report);
  EXPECT_EQ(report->measured, 1);
  EXPECT_TRUE(report->tooFewSamples);
  EXPECT_EQ(t.Doc().Settings().autoChannel, 0);
  // The comment in the last tick is entered and marked, but not measured, and the user is told.
  const TableViewElem& last = t.Doc().Matrix().Cell(kFirstDoseRow + 1, kFirstRunColumn);
  EXPECT_EQ(t.Doc().Matrix().Cell(kFirstDoseRow + 1, kDoseColumn).text, "3");
  EXPECT_TRUE(last.doseMarked);
  EXPECT_FALSE(last.responseAdded);
  ASSERT_FALSE(t.Messages().Messages().empty());
  EXPECT_EQ(t.Messages().Messages().back().text, Testing::MessageText("too-few-samples"));
}

TEST(AutoAnalyzeDialogModelTest, AnalyzeStoresTheOffsetsAndRefusesBadOnes) {
  TestChart t(Bath());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 5000));
  AutoAnalyzeDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  model.SetStartText("10");
  model.SetStopText("10");
  EXPECT_FALSE(model.Analyze());
  EXPECT_EQ(t.Doc().Settings().startOffset, 1.0);
  model.SetStartText("0.5");
  model.SetStopText("2.5");
  const auto report = model.Analyze();
  ASSERT_TRUE(report);
  EXPECT_EQ(report->measured, 2);
  EXPECT_EQ(t.Doc().Settings().startOffset, 0.5);
  EXPECT_EQ(t.Doc().Settings().stopOffset, 2.5);
  EXPECT_EQ(t.Doc().Settings().autoChannel, kAnyChannel);
}

}  // namespace
}  // namespace Tessel
