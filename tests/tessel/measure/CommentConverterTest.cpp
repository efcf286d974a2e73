#include "tessel/measure/CommentConverter.h"

#include <gtest/gtest.h>

#include "support/TestRecording.h"

namespace Tessel {
namespace {

using Testing::TestChart;

Strata::Recording Typed() {
  return Testing::Bath(10000, {{0, 100, "ACh 1 uM"},
                               {0, 2000, "tsl: <0.50> <control>"},
                               {1, 3000, "wash"},
                               {0, 9000, "outside"}});
}

ChartSelection Selection() {
  return ChartSelection{0, TickPosition(0, 0), TickPosition(0, 5000), false};
}

TEST(CommentConverterTest, ConvertingOnTheSameChannelRewritesTheComment) {
  TestChart t(Typed());
  CommentConverter converter(t.Doc());
  std::vector<ConversionPair> pairs = converter.Collect(Selection(), 0);
  pairs[0].newText = "TSL: <1> <ACh>";
  const ConversionReport r = converter.Convert(pairs, 0);
  EXPECT_TRUE(r.done);
  EXPECT_EQ(r.converted, 2);
  const auto& comments = t.Chart().Data().Comments();
  ASSERT_EQ(comments.size(), 4u);
  EXPECT_EQ(comments[0].text, "TSL: <1> <ACh>");
  EXPECT_EQ(comments[1].text, "TSL: <0.5> <control>");
  // Both entered into the table, marked where their comments are.
  const TableViewMatrix& m = t.Doc().Matrix();
  EXPECT_EQ(m.Cell(kRowLabel, 2).text, "ACh");
  EXPECT_EQ(m.Cell(4, kDoseColumn).text, "1");
  EXPECT_EQ(m.Cell(4, 2).text, "(marked)");
  EXPECT_EQ(m.Cell(4, 2).dosePosition, TickPosition(0, 100));
  EXPECT_EQ(m.Cell(4, 2).channel, 0);
  EXPECT_EQ(m.Cell(5, kDoseColumn).text, "0.5");
  EXPECT_EQ(m.Cell(kRowLabel, 3).text, "control");
  EXPECT_TRUE(m.Cell(5, 3).doseMarked);
  // The Document's own edits do not clear what it just entered.
  EXPECT_TRUE(t.Messages().Messages().empty());
  EXPECT_EQ(t.Host().Progress().Title(), "Converting Comments");
}

TEST(CommentConverterTest, ConvertingToAnotherChannelAddsBesideTheSource) {
  TestChart t(Typed());
  CommentConverter converter(t.Doc());
  std::vector<ConversionPair> pairs = converter.Collect(Selection(), -1);
  pairs[0].newText = "TSL: <1> <ACh>";
  pairs[1].newText = kNotConverted;  // removed by the user
  converter.Convert(pairs, 1);
  const auto& comments = t.Chart().Data().Comments();
  ASSERT_EQ(comments.size(), 5u);
  EXPECT_EQ(comments[0].text, "ACh 1 uM");
  EXPECT_EQ(comments[1].text, "TSL: <1> <ACh>");
  EXPECT_EQ(comments[1].channel, 1);
  EXPECT_EQ(comments[2].text, "tsl: <0.50> <control>");
  EXPECT_EQ(t.Doc().Matrix().Cell(4, 2).channel, 1);
  EXPECT_EQ(t.Doc().Matrix().Cell(kRowChannel, 2).text, "1");
}

TEST(CommentConverterTest, StopKeepsTheConversionsDoneSoFar) {
  TestChart t(Typed());
  CommentConverter converter(t.Doc());
  std::vector<ConversionPair> pairs = converter.Collect(Selection(), -1);
  for (auto& p : pairs) {
    p.newText = "TSL: <2> <X>";
  }
  t.Host().Progress().PressStopAfter(1);
  const ConversionReport r = converter.Convert(pairs, 0);
  EXPECT_TRUE(r.stopped);
  EXPECT_EQ(r.converted, 1);
  EXPECT_EQ(t.Chart().Data().Comments()[0].text, "TSL: <2> <X>");
  EXPECT_EQ(t.Chart().Data().Comments()[1].text, "tsl: <0.50> <control>");
}

}  // namespace
}  // namespace Tessel
