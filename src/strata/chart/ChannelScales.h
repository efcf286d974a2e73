#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "strata/chart/ColumnExtremes.h"

namespace Strata {

// The values a channel's lane spans, bottom to top.
struct ValueRange {
  double low = 0.0;
  double high = 1.0;
};

// The vertical scale of each channel in the Chart View: automatic (the visible values fill the
// lane) until the user fixes it, and automatic again when asked.
class ChannelScales {
 public:
  bool Automatic(std::int32_t channel) const { return manual_.find(channel) == manual_.end(); }
  // Fixes a channel's scale; the reason it cannot be used, or empty when it was set.
  std::string SetManual(std::int32_t channel, double low, double high);
  void SetAutomatic(std::int32_t channel) { manual_.erase(channel); }
  // Fixes the scale at what is shown now, stretched about its middle: a factor below 1 shows a
  // smaller range of values (the trace grows), above 1 a larger one.
  void Stretch(std::int32_t channel, const ValueRange& shown, double factor);
  // The range the lane shows, given the channel's visible columns.
  ValueRange Range(std::int32_t channel, const ColumnRange& visible) const;

 private:
  std::map<std::int32_t, ValueRange> manual_;
};

}  // namespace Strata
