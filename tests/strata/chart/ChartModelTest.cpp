// The Chart View's model: the time axis over blocks, the visible span, the per-column extremes
// it draws from, and what the mouse does to the recording.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "strata/chart/ChannelScales.h"
#include "strata/chart/ChartInteraction.h"
#include "strata/chart/ColumnExtremes.h"
#include "support/TestRecording.h"

namespace Strata {
namespace {

// Block 0: 1000 ticks at 0.01 s (10 s); block 1: 50 ticks at 0.1 s (5 s). Random samples with a
// few that are not finite.
Recording TwoBlocks() {
  Recording r;
  r.AddChannel("A");
  r.AddBlock(0.01, 1000);
  r.AddBlock(0.1, 50);
  std::mt19937 random(7);
  std::uniform_real_distribution<float> value(-5.0f, 5.0f);
  for (std::int32_t b = 0; b < 2; ++b) {
    for (float& v : r.BlockAt(b).samples[0]) {
      v = value(random);
    }
  }
  r.BlockAt(0).samples[0][17] = std::numeric_limits<float>::quiet_NaN();
  r.BlockAt(1).samples[0][3] = std::numeric_limits<float>::infinity();
  return r;
}

TEST(ChartModelTest, TimesAndPlacesTurnIntoEachOtherAcrossBlocks) {
  const Recording r = TwoBlocks();
  const ChartTimeline timeline(r);
  EXPECT_DOUBLE_EQ(timeline.Duration(), 15.0);
  EXPECT_DOUBLE_EQ(timeline.BlockStart(1), 10.0);
  EXPECT_DOUBLE_EQ(timeline.FinestInterval(), 0.01);
  const std::pair<double, TickPosition> cases[] = {
      {0.0, {0, 0}},   {0.015, {0, 1}},  {9.999, {0, 999}}, {10.0, {1, 0}},
      {10.25, {1, 2}}, {14.99, {1, 49}}, {99.0, {1, 49}},   {-3.0, {0, 0}}};
  for (const auto& [seconds, position] : cases) {
    EXPECT_EQ(timeline.PositionAt(seconds), position) << seconds;
  }
  EXPECT_DOUBLE_EQ(timeline.TimeOf(TickPosition(1, 2)), 10.2);
}

TEST(ChartModelTest, TheViewStaysInsideTheRecordingAndAtMostOneSamplePerPixel) {
  const Recording r = TwoBlocks();
  const ChartTimeline timeline(r);
  ChartViewport v(timeline, 100);
  EXPECT_DOUBLE_EQ(v.Span(), 15.0);
  v.Zoom(1e-6, 50);  // as far in as it goes: one finest sample per pixel
  EXPECT_DOUBLE_EQ(v.Span(), 1.0);
  v.Pan(-100);
  EXPECT_DOUBLE_EQ(v.From(), 0.0);
  v.Pan(100);
  EXPECT_DOUBLE_EQ(v.To(), 15.0);
  v.Zoom(1e6, 0);
  EXPECT_DOUBLE_EQ(v.From(), 0.0);
  EXPECT_DOUBLE_EQ(v.Span(), 15.0);
  // Zooming keeps the time under the mouse where it was.
  v.Show(2.0, 8.0);
  const double under = v.TimeAtX(30);
  v.Zoom(0.5, 30);
  EXPECT_NEAR(v.TimeAtX(30), under, 1e-12);
}

// Each column holds the extremes of exactly the finite samples whose time falls inside it.
TEST(ChartModelTest, ColumnsHoldTheExtremesOfTheirSamples) {
  const Recording r = TwoBlocks();
  const ChartTimeline timeline(r);
  for (const auto& [from, span, width] : {std::tuple{0.0, 15.0, 97}, std::tuple{8.3, 3.1, 40},
                                          std::tuple{0.0, 1.0, 100}, std::tuple{9.0, 2.5, 333}}) {
    ChartViewport v(timeline, width);
    v.Show(from, span);
    std::vector<ColumnRange> expected(static_cast<size_t>(width));
    for (std::int32_t b = 0; b < 2; ++b) {
      const auto& samples = r.BlockAt(b).samples[0];
      for (std::uint32_t t = 0; t < samples.size(); ++t) {
        const double x = std::floor(v.XOfTime(timeline.TimeOf(TickPosition(b, t))));
        if (x < 0 || x >= width || !std::isfinite(samples[t])) {
          continue;
        }
        ColumnRange& c = expected[static_cast<size_t>(x)];
        c = c.any ? ColumnRange{true, std::min(c.low, samples[t]), std::max(c.high, samples[t])}
                  : ColumnRange{true, samples[t], samples[t]};
      }
    }
    const std::vector<ColumnRange> got = ColumnExtremes(r, timeline, v, 0);
    for (int x = 0; x < width; ++x) {
      const ColumnRange& e = expected[static_cast<size_t>(x)];
      const ColumnRange& g = got[static_cast<size_t>(x)];
      ASSERT_EQ(g.any, e.any) << from << " " << span << " column " << x;
      if (e.any) {
        EXPECT_EQ(g.low, e.low);
        EXPECT_EQ(g.high, e.high);
      }
    }
  }
}

TEST(ChartModelTest, DraggingSelectsAndAClickPlacesTheActivePoint) {
  Testing::TestChart t(TwoBlocks());
  const ChartTimeline timeline(t.Chart().Data());
  ChartInteraction mouse(t.Chart(), timeline);
  EXPECT_FALSE(mouse.NewCommentPlace(false).has_value());
  // A drag backwards across the block boundary selects from the earlier place.
  mouse.Press(0, 11.0);
  mouse.Drag(10.5);
  mouse.Release(9.0);
  ChartSelection sel;
  ASSERT_EQ(t.Chart().GetSelection(&sel), Tessel::kOk);
  EXPECT_EQ(sel.channel, 0);
  EXPECT_EQ(sel.start, TickPosition(0, 900));
  EXPECT_EQ(sel.end, TickPosition(1, 10));
  EXPECT_FALSE(sel.activePoint);
  EXPECT_EQ(mouse.NewCommentPlace(false)->position, TickPosition(0, 900));
  EXPECT_EQ(mouse.NewCommentPlace(true)->channel, -1);
  mouse.Press(-2, 3.0);
  mouse.Release(3.0);
  ASSERT_EQ(t.Chart().GetSelection(&sel), Tessel::kOk);
  EXPECT_TRUE(sel.activePoint);
  EXPECT_EQ(sel.start, TickPosition(0, 300));
  EXPECT_EQ(mouse.NewCommentPlace(false)->channel, -1);  // placed across all channels
  std::int64_t id = 0;
  t.Chart().AddComment(0, TickPosition(0, 310), "here", &id);
  EXPECT_EQ(mouse.CommentNear(0, 3.05, 0.2)->id, id);
  EXPECT_FALSE(mouse.CommentNear(0, 4.0, 0.2).has_value());
}

}  // namespace
}  // namespace Strata

namespace Strata {
namespace {

TEST(ChannelScalesTest, AutomaticFillsTheLaneUntilFixedAndAfterwards) {
  struct Case {
    ColumnRange visible;
    double low, high;
  };
  const Case cases[] = {
      {{true, 0.0f, 10.0f}, -0.5, 10.5},  // a margin of a twentieth above and below
      {{true, 5.0f, 5.0f}, 4.45, 5.55},   // a flat trace sits in the middle of one unit
      {{false, 0.0f, 0.0f}, 0.0, 1.0},    // nothing visible
  };
  ChannelScales scales;
  for (const Case& c : cases) {
    const ValueRange r = scales.Range(1, c.visible);
    EXPECT_NEAR(r.low, c.low, 1e-6);
    EXPECT_NEAR(r.high, c.high, 1e-6);
  }
  EXPECT_EQ(scales.SetManual(1, -2.0, 3.0), "");
  EXPECT_FALSE(scales.Automatic(1));
  EXPECT_TRUE(scales.Automatic(0));  // channels are scaled one by one
  EXPECT_EQ(scales.Range(1, {true, 0.0f, 10.0f}).high, 3.0);
  scales.SetAutomatic(1);
  EXPECT_EQ(scales.Range(1, {true, 0.0f, 10.0f}).high, 10.5);
}

TEST(ChannelScalesTest, RefusesScalesThatCannotBeDrawn) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const double inf = std::numeric_limits<double>::infinity();
  const std::pair<double, double> refused[] = {{1.0, 1.0}, {2.0, 1.0}, {nan, 1.0}, {0.0, inf}};
  ChannelScales scales;
  for (auto [low, high] : refused) {
    EXPECT_NE(scales.SetManual(0, low, high), "") << low << " " << high;
    EXPECT_TRUE(scales.Automatic(0));
  }
}

TEST(ChannelScalesTest, StretchingFixesTheScaleAboutItsMiddle) {
  ChannelScales scales;
  scales.Stretch(0, {0.0, 10.0}, 0.5);
  EXPECT_FALSE(scales.Automatic(0));
  EXPECT_DOUBLE_EQ(scales.Range(0, {}).low, 2.5);
  EXPECT_DOUBLE_EQ(scales.Range(0, {}).high, 7.5);
  // Beyond what doubles hold, what was shown is kept.
  scales.Stretch(1, {-1e308, 1e308}, 10.0);
  EXPECT_DOUBLE_EQ(scales.Range(1, {}).high, 1e308);
}

}  // namespace
}  // namespace Strata
