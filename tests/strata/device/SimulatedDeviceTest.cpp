#include <gtest/gtest.h>

#include "strata/device/SimulatedDevice.h"
#include "support/TestRecording.h"

namespace {

Strata::Recording EmptyBath(const Strata::SimulatorSettings& s) {
  Strata::Recording rec;
  Strata::SimulatedDevice::AddChannels(rec, s);
  return rec;
}

// The default experiment's device on a chart of its channels.
class SimulatedBath : public ::testing::Test {
 protected:
  const Strata::SimulatorSettings s{};
  Testing::TestChart chart{EmptyBath(s)};
  Strata::SimulatedDevice device{chart.Chart(), s};
};

TEST_F(SimulatedBath, SamplingStartAndStopDriveTheDocumentsSamplingFlag) {
  EXPECT_FALSE(chart.Doc().Sampling());
  ASSERT_TRUE(device.Start());
  EXPECT_TRUE(chart.Doc().Sampling());
  EXPECT_EQ(chart.Chart().IsSampling(), Tessel::kOk);
  device.Record(2.0);
  EXPECT_TRUE(chart.Doc().Sampling());
  device.Stop();
  EXPECT_FALSE(chart.Doc().Sampling());
  EXPECT_EQ(chart.Chart().IsSampling(), Tessel::kFalse);

  // A second session records into a new block; an abort clears the flag too.
  ASSERT_TRUE(device.Start());
  EXPECT_TRUE(chart.Doc().Sampling());
  device.Record(0.5);
  device.Stop(true);
  EXPECT_FALSE(chart.Doc().Sampling());
  const Strata::Recording& rec = chart.Chart().Data();
  ASSERT_EQ(rec.BlockCount(), 2);
  EXPECT_EQ(rec.BlockAt(0).Ticks(), 40u);
  EXPECT_EQ(rec.BlockAt(1).Ticks(), 10u);
  EXPECT_DOUBLE_EQ(rec.BlockAt(1).startTime, 2.0);
  EXPECT_DOUBLE_EQ(rec.BlockAt(0).interval, 0.05);
  EXPECT_EQ(rec.BlockAt(0).units, (std::vector<std::string>{"mN", "mN"}));
  EXPECT_EQ(rec.Validate(), "");
}

TEST_F(SimulatedBath, LiveSamplesAreTheSimulatedExperiment) {
  ASSERT_TRUE(device.Start());
  device.Record(95.0);  // past the first dose at 60 s
  device.Stop();
  Strata::OrganBathSimulator reference(s);
  const auto expected = reference.Next(1900);
  EXPECT_EQ(chart.Chart().Data().BlockAt(0).samples, expected);
  EXPECT_EQ(device.TicksRecorded(), 1900u);
}

TEST_F(SimulatedBath, RealTimeRecordingDeliversChunksUntilTold) {
  ASSERT_TRUE(device.Start());
  device.RecordInRealTime(0.3);
  EXPECT_EQ(chart.Chart().Data().BlockAt(0).Ticks(), 6u);
  int chunks = 0;
  device.RecordInRealTime(10.0, [&chunks] { return ++chunks < 2; });
  EXPECT_EQ(chart.Chart().Data().BlockAt(0).Ticks(), 10u);  // two chunks of 0.1 s
  device.Stop();
}

TEST(SimulatedDevice, RefusesAChartWithOtherChannels) {
  const Strata::SimulatorSettings s{};
  Strata::Recording rec;
  rec.AddChannel("Only one");
  Testing::TestChart chart(rec);
  Strata::SimulatedDevice device(chart.Chart(), s);
  EXPECT_FALSE(device.Start());
  EXPECT_FALSE(chart.Doc().Sampling());
  EXPECT_EQ(chart.Chart().Data().BlockCount(), 0);
}

}  // namespace
