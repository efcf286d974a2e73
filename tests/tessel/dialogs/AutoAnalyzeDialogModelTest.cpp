#include "tessel/views/AutoAnalyzeDialogModel.h"

#include <gtest/gtest.h>

#include "support/TestRecording.h"

namespace Tessel {
namespace {

using Testing::RecordingBuilder;
using Testing::TestChart;

Strata::Recording Bath() {
  return RecordingBuilder()
      .Block(0.01, 10000)
      .Channel("Tension", "g", [](double) { return 1.0; })
      .Channel("Flow", "ml/min", [](double) { return 2.0; })
      .Comment(0, 0, 1000, "TSL: <1> <Control>")
      .Comment(1, 0, 2000, "TSL: <2> <Control>")
      .Comment(0, 0, 9990, "TSL: <3> <Control>")
      .Build();
}

TEST(AutoAnalyzeDialogModelTest, WithoutASelectionTheDialogDoesNotOpen) {
  TestChart t(Bath());
  AutoAnalyzeDialogModel model(t.Doc());
  EXPECT_FALSE(model.Open());
  ASSERT_EQ(t.Messages().Messages().size(), 1u);
  const auto& shown = t.Messages().Messages()[0];
  EXPECT_EQ(shown.text, "To use this feature you must select some data in the Chart View.");
  EXPECT_EQ(shown.caption, "Tessel");
  EXPECT_EQ(shown.icon, MessageIcon::kError);
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
  struct Case {
    const char* start;
    const char* stop;
    std::optional<Balloon> expected;
  };
  const Balloon startRange{"Invalid Start Time",
                           "Start time must be in the range -3600 s to 3600 s.", false};
  const Balloon stopRange{"Invalid Stop Time", "Stop time must be in the range -3600 s to 3600 s.",
                          false};
  const Balloon order{"Invalid Stop Time", "The stop time must be after the start time.", false};
  const Case cases[] = {
      {"1", "5", std::nullopt},     {"4000", "5", startRange}, {"-3600", "3600", std::nullopt},
      {"-3600.5", "5", startRange}, {"abc", "5", startRange},  {"", "5", startRange},
      {"1x", "5", startRange},      {"1", "3601", stopRange},  {"10", "10", order},
      {"10", "-2", order},
  };
  TestChart t(Bath());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 5000));
  AutoAnalyzeDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  for (const auto& c : cases) {
    model.SetStartText(c.start);
    model.SetStopText(c.stop);
    EXPECT_EQ(model.Validate(), c.expected) << c.start << " / " << c.stop;
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
  EXPECT_EQ(balloon->text,
            "Some auto-selections will not be analyzed because\nthey do not contain at least 2 "
            "samples.");
  const auto report = model.Analyze();
  ASSERT_TRUE(report);
  EXPECT_EQ(report->measured, 1);
  EXPECT_TRUE(report->tooFewSamples);
  EXPECT_EQ(t.Doc().Settings().autoChannel, 0);
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
