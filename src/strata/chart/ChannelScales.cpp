#include "strata/chart/ChannelScales.h"

#include <cmath>

namespace Strata {

namespace {

// An automatic scale leaves this fraction of the visible range free above and below the trace.
constexpr double kMargin = 0.05;

}  // namespace

std::string ChannelScales::SetManual(std::int32_t channel, double low, double high) {
  if (!std::isfinite(low) || !std::isfinite(high)) {
    return "The top and the bottom of the scale must be numbers.";
  }
  if (!(high > low)) {
    return "The top of the scale must be above its bottom.";
  }
  manual_[channel] = ValueRange{low, high};
  return {};
}

void ChannelScales::Stretch(std::int32_t channel, const ValueRange& shown, double factor) {
  const double middle = (shown.low + shown.high) / 2.0;
  const double half = (shown.high - shown.low) / 2.0 * factor;
  // A range too narrow (or too wide) for doubles keeps what is shown, fixed.
  if (!SetManual(channel, middle - half, middle + half).empty()) {
    manual_[channel] = shown;
  }
}

ValueRange ChannelScales::Range(std::int32_t channel, const ColumnRange& visible) const {
  if (auto it = manual_.find(channel); it != manual_.end()) {
    return it->second;
  }
  if (!visible.any) {
    return ValueRange{};
  }
  // A flat trace sits in the middle of a range one unit high.
  const double span = visible.high > visible.low ? double(visible.high) - visible.low : 1.0;
  const double middle = (double(visible.low) + visible.high) / 2.0;
  const double half = span / 2.0 * (1.0 + 2.0 * kMargin);
  return ValueRange{middle - half, middle + half};
}

}  // namespace Strata
