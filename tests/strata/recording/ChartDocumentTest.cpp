#include "strata/recording/ChartDocument.h"

#include <gtest/gtest.h>

#include "support/TestRecording.h"

namespace Strata {
namespace {

using namespace Tessel;
using Testing::RecordingBuilder;
using Testing::TestChart;

Recording Ramp() {
  return RecordingBuilder()
      .Block(0.5, 2000)
      .Block(0.25, 10)
      .Channel("Tension", "g", [](double t) { return t; })
      .Channel("Pressure", "mmHg", [](double t) { return -t; })
      .Build();
}

TEST(ChartDocumentTest, EnumeratorHonoursMaxCountAndSkip) {
  TestChart t(Ramp(), false);
  IEnumFloatEx* raw = nullptr;
  ASSERT_EQ(t.Chart().EnumSamples(0, 0, TickPosition(1, 2), 5, &raw), kOk);
  Ref<IEnumFloatEx> e = Adopt(raw);
  EXPECT_EQ(e->Skip(2), kOk);
  float buffer[8];
  std::uint32_t fetched = 0;
  EXPECT_EQ(e->Next(8, buffer, &fetched), kFalse);
  ASSERT_EQ(fetched, 3u);
  // Block 1 starts where block 0 ends: 2000 samples at 0.5 s.
  EXPECT_FLOAT_EQ(buffer[0], 1000.0f + 4 * 0.25f);
  EXPECT_EQ(e->Skip(1), kFalse);
}

// Samples and comments outside the recording or on missing channels are refused.
TEST(ChartDocumentTest, PlacesOutsideTheRecordingAreRefused) {
  TestChart t(Ramp(), false);
  IEnumFloatEx* raw = nullptr;
  EXPECT_EQ(t.Chart().EnumSamples(0, 2, TickPosition(0, 0), 1, &raw), kFail);
  EXPECT_EQ(t.Chart().EnumSamples(0, -1, TickPosition(0, 0), 1, &raw), kFail);
  EXPECT_EQ(t.Chart().EnumSamples(0, 0, TickPosition(2, 0), 1, &raw), kFail);
  EXPECT_EQ(t.Chart().EnumSamples(0, 0, TickPosition(1, 11), 1, &raw), kFail);
  EXPECT_EQ(raw, nullptr);
  std::int64_t id = 0;
  EXPECT_EQ(t.Chart().AddComment(2, TickPosition(0, 0), "x", &id), kFail);
  EXPECT_EQ(t.Chart().AddComment(-2, TickPosition(0, 0), "x", &id), kFail);
  EXPECT_EQ(t.Chart().AddComment(0, TickPosition(3, 0), "x", &id), kFail);
  EXPECT_EQ(t.Chart().AddComment(0, TickPosition(1, 11), "x", &id), kFail);
  EXPECT_TRUE(t.Chart().Data().Comments().empty());
  EXPECT_EQ(t.Chart().ChangeComment(12345, "x"), kFail);
  EXPECT_EQ(t.Chart().DeleteComment(12345), kFail);
}

TEST(ChartDocumentTest, EnumeratorOutlivesTheChartAndSeesLiveSamples) {
  Ref<IEnumFloatEx> e;
  {
    TestChart t(Ramp(), false);
    t.Chart().StartSampling(0.1);
    IEnumFloatEx* raw = nullptr;
    ASSERT_EQ(t.Chart().EnumSamples(0, 0, TickPosition(2, 0), 100, &raw), kOk);
    e = Adopt(raw);
    t.Chart().AppendFrames({{1.0f, 2.0f}, {0.0f, 0.0f}});
    float buffer[4];
    std::uint32_t fetched = 0;
    e->Next(4, buffer, &fetched);
    EXPECT_EQ(fetched, 2u);
    t.Chart().StopSampling();
  }
  float buffer[4];
  std::uint32_t fetched = 9;
  EXPECT_EQ(e->Next(4, buffer, &fetched), kFalse);
  EXPECT_EQ(fetched, 0u);
}

TEST(ChartDocumentTest, TimingOfBlocksAndChannels) {
  TestChart t(Ramp(), false);
  std::int32_t block = -1;
  EXPECT_EQ(t.Chart().GetBlockOfPosition(TickPosition(1, 3), &block), kOk);
  EXPECT_EQ(block, 1);
  EXPECT_EQ(t.Chart().GetBlockOfPosition(TickPosition(2, 0), &block), kFalse);
  double seconds = 0;
  EXPECT_EQ(t.Chart().GetSampleInterval(1, &seconds), kOk);
  EXPECT_EQ(seconds, 0.25);
  EXPECT_EQ(t.Chart().GetBlockStartTime(1, &seconds), kOk);
  EXPECT_EQ(seconds, 1000.0);
  std::uint32_t ticks = 0;
  EXPECT_EQ(t.Chart().GetBlockLength(0, &ticks), kOk);
  EXPECT_EQ(ticks, 2000u);
  EXPECT_EQ(t.Chart().GetSampleInterval(5, &seconds), kFail);
  // Channels: titles, units and usability.
  std::string text;
  EXPECT_EQ(t.Chart().GetChannelTitle(1, &text), kOk);
  EXPECT_EQ(text, "Pressure");
  EXPECT_EQ(t.Chart().GetChannelUnits(1, 1, &text), kOk);
  EXPECT_EQ(text, "mmHg");
  EXPECT_EQ(t.Chart().GetChannelTitle(2, &text), kFail);
  EXPECT_EQ(t.Chart().IsChannelUsable(0), kOk);
  t.Chart().SetChannelUsable(0, false);
  EXPECT_EQ(t.Chart().IsChannelUsable(0), kFalse);
  EXPECT_EQ(t.Chart().IsChannelUsable(7), kFalse);
}

TEST(ChartDocumentTest, CommentsAreListedInTimeOrderPerChannel) {
  TestChart t(Ramp(), false);
  std::int64_t id = 0;
  ASSERT_EQ(t.Chart().AddComment(0, TickPosition(0, 50), "second", &id), kOk);
  ASSERT_EQ(t.Chart().AddComment(-1, TickPosition(0, 10), "all", &id), kOk);
  ASSERT_EQ(t.Chart().AddComment(1, TickPosition(0, 50), "other channel", &id), kOk);
  ASSERT_EQ(t.Chart().AddComment(0, TickPosition(0, 50), "third", &id), kOk);
  ASSERT_EQ(t.Chart().AddComment(0, TickPosition(1, 0), "next block", &id), kOk);
  std::vector<CommentInfo> out;
  auto texts = [&out] {
    std::vector<std::string> s;
    for (const auto& c : out) {
      s.push_back(c.text);
    }
    return s;
  };
  t.Chart().EnumComments(TickPosition(0, 0), TickPosition(1, 0), 0, &out);
  EXPECT_EQ(texts(), (std::vector<std::string>{"all", "second", "third", "next block"}));
  t.Chart().EnumComments(TickPosition(0, 11), TickPosition(0, 50), -2, &out);
  EXPECT_EQ(texts(), (std::vector<std::string>{"second", "other channel", "third"}));
  EXPECT_EQ(t.Chart().EnumComments(TickPosition(0, 51), TickPosition(0, 99), -2, &out), kFalse);
  EXPECT_TRUE(out.empty());
}

TEST(RecordingTest, ValidateNamesTheFirstFault) {
  Recording r = Ramp();
  EXPECT_EQ(r.Validate(), "");
  r.BlockAt(1).samples[1].pop_back();
  EXPECT_EQ(r.Validate(), "block 2 has channels of different lengths");
  r = Ramp();
  r.AddComment(0, TickPosition(4, 0), "lost");
  EXPECT_EQ(r.Validate(), "comment \"lost\" lies outside the recording");
  r = Ramp();
  r.BlockAt(0).interval = 0.0;
  EXPECT_EQ(r.Validate(), "block 1 has a sample interval that is not positive");
}

TEST(RecordingTest, NewBlocksStartWhereThePreviousOneEnded) {
  Recording r;
  r.AddChannel("A");
  r.AddBlock(0.01, 100);
  const std::int32_t b = r.AddBlock(0.02);
  EXPECT_DOUBLE_EQ(r.BlockAt(b).startTime, 1.0);
  EXPECT_EQ(r.AddBlock(0.02, 0, 60.0), 2);
  EXPECT_EQ(r.BlockAt(2).startTime, 60.0);
  EXPECT_FALSE(r.AppendSamples(0, {{1.0f}, {2.0f}}));
  EXPECT_EQ(r.TotalSamples(), 100u);
}

}  // namespace
}  // namespace Strata
