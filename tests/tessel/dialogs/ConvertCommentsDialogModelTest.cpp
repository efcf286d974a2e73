#include "tessel/views/ConvertCommentsDialogModel.h"

#include <gtest/gtest.h>

#include "support/TestRecording.h"

namespace Tessel {
namespace {

using Testing::TestChart;

Strata::Recording Typed() {
  return Testing::Bath(10000,
                       {{0, 100, "ACh 1 uM"}, {1, 300, "ACh 3 uM"}, {0, 500, "tsl: <10.0> <Old>"}});
}

TEST(ConvertCommentsDialogModelTest, ListsAreParallelAndFollowTheSearchChannel) {
  TestChart t(Typed());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 9000));
  ConvertCommentsDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  EXPECT_EQ(t.Doc().Settings().g, -1);
  EXPECT_EQ(model.SearchChannels(), (std::vector<std::string>{"All", "Tension", "Flow"}));
  EXPECT_EQ(model.OutputChannels(), (std::vector<std::string>{"Tension", "Flow"}));
  EXPECT_EQ(model.Unconverted(),
            (std::vector<std::string>{"ACh 1 uM", "ACh 3 uM", "tsl: <10.0> <Old>"}));
  EXPECT_EQ(model.Converted(),
            (std::vector<std::string>{"<Not converted>", "<Not converted>", "TSL: <10> <Old>"}));
  model.SelectSearchChannel(2);
  EXPECT_EQ(model.Unconverted(), (std::vector<std::string>{"ACh 3 uM"}));
  EXPECT_EQ(model.OutputIndex(), 1);
}

TEST(ConvertCommentsDialogModelTest, AddWritesTheDoseAsANumberAndRefusesNonPositiveDoses) {
  TestChart t(Typed());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 9000));
  ConvertCommentsDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  model.LabelField() = "ACh";
  for (const char* bad : {"", "abc", "0", "-5"}) {
    model.DoseField() = bad;
    EXPECT_FALSE(model.Add({0})) << bad;
  }
  EXPECT_EQ(t.Messages().Messages().size(), 4u);
  EXPECT_EQ(t.Messages().Messages()[0].text, Testing::MessageText("dose-not-positive"));
  EXPECT_FALSE(model.Changed());
  model.DoseField() = "1,000.50";
  EXPECT_TRUE(model.Add({0, 1}));
  EXPECT_EQ(model.Converted()[0], "TSL: <1000.5> <ACh>");
  EXPECT_EQ(model.Converted()[1], "TSL: <1000.5> <ACh>");
  model.Remove({1});
  EXPECT_EQ(model.Converted()[1], "<Not converted>");
  // The run label goes into the comment as typed, blanks and all.
  model.LabelField() = " ACh 2";
  EXPECT_TRUE(model.Add({1}));
  EXPECT_EQ(model.Converted()[1], "TSL: <1000.5> < ACh 2>");
}

TEST(ConvertCommentsDialogModelTest, CancelAfterChangesAsks) {
  TestChart t(Typed());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 9000));
  ConvertCommentsDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  EXPECT_TRUE(model.Cancel());
  EXPECT_TRUE(t.Messages().Messages().empty());
  model.Remove({2});
  t.Messages().Answer(MessageAnswer::kNo);
  EXPECT_FALSE(model.Cancel());
  t.Messages().Answer(MessageAnswer::kYes);
  EXPECT_TRUE(model.Cancel());
  ASSERT_EQ(t.Messages().Messages().size(), 2u);
  EXPECT_EQ(t.Messages().Messages()[0].text, Testing::MessageText("changes-lost"));
  EXPECT_EQ(t.Messages().Messages()[0].buttons, MessageButtons::kYesNo);
}

TEST(ConvertCommentsDialogModelTest, ConvertLeavesRemovedCommentsUntouched) {
  TestChart t(Typed());
  t.Chart().Select(0, TickPosition(0, 0), TickPosition(0, 9000));
  ConvertCommentsDialogModel model(t.Doc());
  ASSERT_TRUE(model.Open());
  model.DoseField() = "1";
  model.LabelField() = "ACh";
  model.Add({0});
  model.Remove({2});
  const ConversionReport r = model.Convert();
  EXPECT_EQ(r.converted, 1);
  const auto& comments = t.Chart().Data().Comments();
  EXPECT_EQ(comments[0].text, "TSL: <1> <ACh>");
  EXPECT_EQ(comments[1].text, "ACh 3 uM");
  EXPECT_EQ(comments[2].text, "tsl: <10.0> <Old>");
  EXPECT_TRUE(t.Doc().Matrix().Cell(4, 2).doseMarked);
  EXPECT_EQ(t.Doc().Matrix().ColumnCount(), 3u);
}

TEST(ConvertCommentsDialogModelTest, WithoutASelectionTheDialogDoesNotOpen) {
  TestChart t(Typed());
  ConvertCommentsDialogModel model(t.Doc());
  EXPECT_FALSE(model.Open());
  ASSERT_EQ(t.Messages().Messages().size(), 1u);
  EXPECT_EQ(t.Messages().Messages()[0].icon, MessageIcon::kError);
}

}  // namespace
}  // namespace Tessel
