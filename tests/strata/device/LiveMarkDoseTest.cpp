#include <gtest/gtest.h>

#include "strata/device/SimulatedDevice.h"
#include "tessel/views/TableSession.h"

namespace {

constexpr std::uint32_t kRunB = Tessel::kFirstRunColumn;
constexpr std::uint32_t kRow1 = Tessel::kFirstDoseRow;

Strata::Recording EmptyBath(const Strata::SimulatorSettings& s) {
  Strata::Recording rec;
  Strata::SimulatedDevice::AddChannels(rec, s);
  return rec;
}

TEST(LiveMarkDose, MarkDoseWhileTheDeviceRecordsMarksTheLastRecordedSample) {
  const Strata::SimulatorSettings s;
  Testing::TableSession session(EmptyBath(s));
  Strata::SimulatedDevice device(session.Host(), s);
  session.TypeDoses({"0.001", "0.003"});
  session.SetRunChannels({0});
  session.Table().SelectCell(kRow1, kRunB);

  ASSERT_TRUE(device.Start());
  device.Record(5.0);
  device.Stop();
  // Sampling goes on in the same block; the person places an Active Point early in the block
  // and presses F2 while the samples keep coming.
  ASSERT_TRUE(device.Start(/*appendToLastBlock=*/true));
  device.Record(3.0);
  session.ActivePoint(0, 10);
  ASSERT_TRUE(session.Doc().Sampling());
  EXPECT_EQ(session.PressF2(), Tessel::kOk);
  const auto lastTick = session.Host().Data().BlockAt(0).Ticks() - 1;  // 8 s at 20 Hz: 159
  EXPECT_EQ(lastTick, 159u);
  ASSERT_EQ(session.Host().Data().Comments().size(), 1u);
  EXPECT_EQ(session.Host().Data().Comments()[0].position, Tessel::TickPosition(0, lastTick));
  EXPECT_EQ(session.Host().Data().Comments()[0].text, "TSL: <0.001> <Run B>");
  EXPECT_EQ(session.Cell(kRow1, kRunB).dosePosition, Tessel::TickPosition(0, lastTick));

  // More samples arrive; the next mark goes to the new last sample.
  device.Record(1.0);
  session.Table().SelectCell(kRow1 + 1, kRunB);
  EXPECT_EQ(session.PressF2(), Tessel::kOk);
  EXPECT_EQ(session.Cell(kRow1 + 1, kRunB).dosePosition, Tessel::TickPosition(0, 179));
  device.Stop();
  EXPECT_FALSE(session.Doc().Sampling());
}

}  // namespace
