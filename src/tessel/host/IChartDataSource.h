#pragma once

#include <cstdint>

#include "tessel/host/IEnumFloatEx.h"
#include "tessel/host/IUnknown.h"
#include "tessel/host/TickPosition.h"

namespace Tessel {

// Request flags the module passes when it opens an enumerator for a measurement.
inline constexpr std::uint32_t kEnumMeasureFlags = 0xC0001000u;

// The recorded samples and the timing of the blocks that hold them.
class IChartDataSource : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IChartDataSource";

  virtual Status GetBlockCount(std::int32_t* count) = 0;
  // The block that holds a position; kFalse when the position lies beyond the recording.
  virtual Status GetBlockOfPosition(TickPosition position, std::int32_t* block) = 0;
  virtual Status GetBlockLength(std::int32_t block, std::uint32_t* ticks) = 0;
  // Seconds per sample of the block.
  virtual Status GetSampleInterval(std::int32_t block, double* seconds) = 0;
  // Seconds from the start of the recording to the first sample of the block.
  virtual Status GetBlockStartTime(std::int32_t block, double* seconds) = 0;
  // An enumerator over one channel from start, reading at most maxCount samples and never past
  // the end of start's block.
  virtual Status EnumSamples(std::uint32_t flags, std::int32_t channel, TickPosition start,
                             std::uint32_t maxCount, IEnumFloatEx** out) = 0;
};

}  // namespace Tessel
