#include "strata/device/SimulatedDevice.h"

#include <algorithm>
#include <cmath>
#include <thread>

namespace Strata {

SimulatedDevice::SimulatedDevice(ChartDocument& chart, SimulatorSettings settings)
    : chart_(chart), simulator_(std::move(settings)) {}

SimulatedDevice::~SimulatedDevice() {
  if (sampling_) {
    Stop(true);
  }
}

void SimulatedDevice::AddChannels(Recording& recording, const SimulatorSettings& settings) {
  const OrganBathSimulator probe(settings);
  for (const TissueModel* tissue : probe.Tissues()) {
    recording.AddChannel(tissue->title);
  }
}

bool SimulatedDevice::Start(bool appendToLastBlock) {
  if (sampling_ ||
      chart_.Data().ChannelCount() != static_cast<std::int32_t>(simulator_.Tissues().size())) {
    return false;
  }
  if (appendToLastBlock && chart_.Data().BlockCount() > 0 &&
      chart_.Data().BlockAt(chart_.Data().BlockCount() - 1).interval != simulator_.Interval()) {
    return false;  // a block keeps one sample interval
  }
  chart_.StartSampling(simulator_.Interval(), appendToLastBlock);
  Recording& rec = chart_.Data();
  for (auto& units : rec.BlockAt(rec.BlockCount() - 1).units) {
    units = "mN";
  }
  sampling_ = true;
  return true;
}

std::uint32_t SimulatedDevice::ChunkTicks() const {
  const double seconds = std::chrono::duration<double>(kUpdateInterval).count();
  return std::max<std::uint32_t>(
      1, static_cast<std::uint32_t>(std::llround(seconds / simulator_.Interval())));
}

void SimulatedDevice::AppendChunk(std::uint32_t ticks) {
  chart_.AppendFrames(simulator_.Next(ticks));
  ticks_ += ticks;
}

void SimulatedDevice::Record(double seconds) {
  if (!sampling_) {
    return;
  }
  auto left = static_cast<std::uint64_t>(std::llround(seconds / simulator_.Interval()));
  while (left > 0) {
    const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, ChunkTicks()));
    AppendChunk(n);
    left -= n;
  }
}

void SimulatedDevice::RecordInRealTime(double seconds, const std::function<bool()>& keepGoing) {
  if (!sampling_) {
    return;
  }
  auto left = static_cast<std::uint64_t>(std::llround(seconds / simulator_.Interval()));
  auto due = std::chrono::steady_clock::now();
  while (left > 0) {
    due += kUpdateInterval;
    std::this_thread::sleep_until(due);
    const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(left, ChunkTicks()));
    AppendChunk(n);
    left -= n;
    if (keepGoing && !keepGoing()) {
      break;
    }
  }
}

void SimulatedDevice::Stop(bool aborted) {
  if (!sampling_) {
    return;
  }
  sampling_ = false;
  chart_.StopSampling(aborted);
}

}  // namespace Strata
