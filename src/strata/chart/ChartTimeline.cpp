#include "strata/chart/ChartTimeline.h"

#include <algorithm>
#include <cmath>

namespace Strata {

ChartTimeline::ChartTimeline(const Recording& recording) {
  double at = 0.0;
  for (const Block& b : recording.Blocks()) {
    // A block without a usable interval still takes room, one second per sample.
    const double interval = b.interval > 0.0 && std::isfinite(b.interval) ? b.interval : 1.0;
    blocks_.push_back({interval, b.Ticks()});
    offsets_.push_back(at);
    at += interval * b.Ticks();
  }
  offsets_.push_back(at);
}

double ChartTimeline::TimeOf(TickPosition position) const {
  const auto block = static_cast<size_t>(position.Block());
  if (block >= blocks_.size()) {
    return Duration();
  }
  return offsets_[block] + blocks_[block].interval * position.Tick();
}

TickPosition ChartTimeline::PositionAt(double seconds) const {
  if (blocks_.empty()) {
    return {};
  }
  // The last block that starts at or before the time.
  const auto next = std::upper_bound(offsets_.begin(), offsets_.end() - 1, seconds);
  const size_t block =
      next == offsets_.begin() ? 0 : static_cast<size_t>(next - offsets_.begin()) - 1;
  const BlockSpan& b = blocks_[block];
  const double ticks = std::floor((seconds - offsets_[block]) / b.interval);
  const double last = b.ticks == 0 ? 0.0 : static_cast<double>(b.ticks - 1);
  return TickPosition(static_cast<std::uint32_t>(block),
                      static_cast<std::uint32_t>(std::clamp(ticks, 0.0, last)));
}

double ChartTimeline::FinestInterval() const {
  double finest = 1.0;
  for (size_t i = 0; i < blocks_.size(); ++i) {
    finest = i == 0 ? blocks_[i].interval : std::min(finest, blocks_[i].interval);
  }
  return finest;
}

}  // namespace Strata
