#pragma once

#include <cstdint>
#include <vector>

#include "strata/recording/Recording.h"

namespace Strata {

// The Chart View's time axis: the blocks of a recording laid end to end, each at its own sample
// interval, so that a place in the recording and a time on the axis (seconds from the start of
// the first block) can be turned into each other.
class ChartTimeline {
 public:
  explicit ChartTimeline(const Recording& recording);

  double Duration() const { return offsets_.empty() ? 0.0 : offsets_.back(); }
  std::int32_t BlockCount() const { return static_cast<std::int32_t>(blocks_.size()); }
  // Where each block starts on the axis; the boundaries the Chart View marks.
  double BlockStart(std::int32_t block) const { return offsets_.at(static_cast<size_t>(block)); }

  double TimeOf(TickPosition position) const;
  // The sample at or before a time, clamped into the recording; an empty recording gives 0:0.
  TickPosition PositionAt(double seconds) const;
  // The smallest sample interval of any block: the finest step a zoom needs to reach.
  double FinestInterval() const;

 private:
  struct BlockSpan {
    double interval;
    std::uint32_t ticks;
  };
  std::vector<BlockSpan> blocks_;
  std::vector<double> offsets_;  // block starts, then the end of the last block
};

}  // namespace Strata
