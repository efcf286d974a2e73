#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

#include "strata/device/OrganBathSimulator.h"
#include "strata/recording/ChartDocument.h"

namespace Strata {

// The simulated acquisition device attached to one chart document: sampling start and stop go
// through the document, which tells its online-data sinks; samples are appended to a new block in
// chunks, either at the pace of the clock or as fast as the caller asks.
class SimulatedDevice {
 public:
  SimulatedDevice(ChartDocument& chart, SimulatorSettings settings);
  ~SimulatedDevice();
  SimulatedDevice(const SimulatedDevice&) = delete;
  SimulatedDevice& operator=(const SimulatedDevice&) = delete;

  // Starts sampling into a new block of the chart document, or continues its last block. The
  // document must have one channel per simulated tissue (AddChannels gives an empty document its
  // channels).
  bool Start(bool appendToLastBlock = false);
  static void AddChannels(Recording& recording, const SimulatorSettings& settings);
  // Records the given number of seconds at once, in chunks of the update interval.
  void Record(double seconds);
  // Records the given number of seconds at the pace of the clock, one chunk per update interval;
  // keepGoing is asked after each chunk and stops the recording early when it returns false.
  void RecordInRealTime(double seconds, const std::function<bool()>& keepGoing = {});
  void Stop(bool aborted = false);

  bool Sampling() const { return sampling_; }
  std::uint64_t TicksRecorded() const { return ticks_; }
  const OrganBathSimulator& Simulator() const { return simulator_; }

  // Samples per chunk: the online-data sinks ask for new data about every 100 ms.
  static constexpr std::chrono::milliseconds kUpdateInterval{100};

 private:
  std::uint32_t ChunkTicks() const;
  void AppendChunk(std::uint32_t ticks);

  ChartDocument& chart_;
  OrganBathSimulator simulator_;
  bool sampling_ = false;
  std::uint64_t ticks_ = 0;
};

}  // namespace Strata
