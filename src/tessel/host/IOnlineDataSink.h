#pragma once

#include <cstdint>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// Calls the host makes while it records live.
class IOnlineDataSink : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IOnlineDataSink";

  // Sampling starts. recording is false while the host only monitors the signal without
  // keeping it: then there is no recording to put a dose comment in.
  virtual Status SamplingStarted(bool recording) = 0;
  // New samples arrived in block.
  virtual Status DataArrived(std::int32_t block, std::uint32_t ticks) = 0;
  virtual Status SamplingStopped() = 0;
  // Sampling ended because the device failed or the user aborted it.
  virtual Status SamplingAborted() = 0;
  // How often, in milliseconds, the sink wants DataArrived while sampling.
  virtual std::int32_t UpdateInterval() = 0;
};

// Where an extension registers its online-data sink.
class IOnlineDataService : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IOnlineDataService";

  virtual Status RegisterSink(IOnlineDataSink* sink) = 0;
  virtual Status UnregisterSink(IOnlineDataSink* sink) = 0;
};

}  // namespace Tessel
