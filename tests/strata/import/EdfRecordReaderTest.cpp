#include <gtest/gtest.h>

#include "strata/import/EdfTestWriter.h"
#include "strata/import/RecordingImporter.h"

namespace {

using Testing::TestEdf;
using Testing::TestSignal;

// Five one-second records at 10 Hz with two gaps: 0-2 s, 5-7 s, 10.5-11.5 s.
TestEdf TwoGaps() {
  TestEdf e;
  e.reserved = "EDF+D";
  e.recordStarts = {"+0", "+1", "+5", "+6", "+10.5"};
  TestSignal s{"Tension", "mN", "-3276.8", "3276.7", "-32768", "32767", 10, {}};
  for (int i = 0; i < 50; ++i) {
    s.digital.push_back(i * 10 - 200);  // -20.0, -19.0, ... mN in steps of 1 mN
  }
  e.signals = {s};
  e.annotations = {{"+0.3", "Dose 1", 0},
                   {"+5.7", "Dose 10", 3},
                   {"+6.95", "Dose 100", 3},
                   {"+8", "Note in the gap", 3},
                   {"+10.5", "Wash", 4}};
  return e;
}

TEST(EdfRecordReader, TwoGapsGiveThreeBlocksAtTheirTrueTimes) {
  const Testing::TempDir dir;
  const auto r =
      Strata::ImportRecording(Testing::WriteFile(dir / "two-gaps.edf", TwoGaps().Bytes()));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.format, "EDF+D");
  const Strata::Recording& rec = r.recording;
  ASSERT_EQ(rec.BlockCount(), 3);
  const double starts[] = {0.0, 5.0, 10.5};
  const std::uint32_t ticks[] = {20, 20, 10};
  float expected = -20.0f;
  for (std::int32_t b = 0; b < 3; ++b) {
    EXPECT_DOUBLE_EQ(rec.BlockAt(b).startTime, starts[b]) << b;
    EXPECT_DOUBLE_EQ(rec.BlockAt(b).interval, 0.1) << b;
    ASSERT_EQ(rec.BlockAt(b).Ticks(), ticks[b]) << b;
    EXPECT_EQ(rec.BlockAt(b).units[0], "mN");
    for (float v : rec.BlockAt(b).samples[0]) {
      EXPECT_NEAR(v, expected, 0.03);  // the records' samples in order, block after block
      expected += 1.0f;
    }
  }
  // In position order, ties in the order they were added; all on every channel.
  EXPECT_EQ(rec.Comments(), (std::vector<Strata::Comment>{{1, -1, {0, 3}, "Dose 1"},
                                                          {2, -1, {1, 7}, "Dose 10"},
                                                          {3, -1, {1, 19}, "Dose 100"},
                                                          {4, -1, {1, 19}, "Note in the gap"},
                                                          {5, -1, {2, 0}, "Wash"}}));
  EXPECT_EQ(r.Report(), (std::vector<std::string>{
                            "The annotation \"Note in the gap\" at 8 s lies outside the recorded "
                            "data; it was placed in block 2 at 6.9 s."}));
  EXPECT_EQ(rec.Validate(), "");
}

TEST(EdfRecordReader, SlowerChannelIsInterpolatedInsideEachBlock) {
  const Testing::TempDir dir;
  TestEdf e = TwoGaps();
  TestSignal slow{"Temperature", "degC", "0", "50", "0", "5000", 2, {}};
  for (int i = 0; i < 10; ++i) {
    slow.digital.push_back(3700 + 100 * i);  // 37, 38, ... degC, two per record
  }
  e.signals.push_back(slow);
  const auto r = Strata::ImportRecording(Testing::WriteFile(dir / "two-gaps-mixed.edf", e.Bytes()));
  ASSERT_TRUE(r.ok) << r.error;
  // Block 1 holds records 2 and 3: slow samples 41, 42, 43, 44 degC at 0, 0.5, 1, 1.5 s; its
  // line does not reach back into block 0's values across the gap.
  const auto& b1 = r.recording.BlockAt(1).samples[1];
  ASSERT_EQ(b1.size(), 20u);
  EXPECT_NEAR(b1[0], 41.0, 1e-3);
  EXPECT_NEAR(b1[1], 41.2, 1e-3);
  EXPECT_NEAR(b1[15], 44.0, 1e-3);
  EXPECT_NEAR(b1[19], 44.0, 1e-3);
  EXPECT_EQ(r.warnings.size(), 2u);
}

}  // namespace
