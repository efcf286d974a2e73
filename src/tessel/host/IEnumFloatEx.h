#pragma once

#include <cstdint>

#include "tessel/host/IUnknown.h"
#include "tessel/host/TickPosition.h"

namespace Tessel {

// Reads the samples of one channel in time order from a start position.
class IEnumFloatEx : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IEnumFloatEx";

  // Reads up to count samples into buffer; fetched tells how many. kFalse when fewer than count
  // were left, kOk when all were read.
  virtual Status Next(std::uint32_t count, float* buffer, std::uint32_t* fetched) = 0;
  // Skips count samples; kFalse when the data ended first.
  virtual Status Skip(std::uint32_t count) = 0;
  // The position of the next sample Next would return.
  virtual Status GetCurrentPosition(TickPosition* position) = 0;
};

}  // namespace Tessel
