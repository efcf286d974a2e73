#pragma once

#include <cstdint>
#include <vector>

#include "strata/chart/ChartTimeline.h"
#include "strata/chart/ChartViewport.h"

namespace Strata {

// One pixel column of a channel's trace: the lowest and highest sample that falls in it.
struct ColumnRange {
  bool any = false;
  float low = 0.0f;
  float high = 0.0f;
};

// What the Chart View draws of a channel: its visible span reduced to one min/max pair per pixel
// column, so drawing costs the width of the window, not the number of samples. Non-finite samples
// are left out. Block boundaries are respected: a column never mixes the end of one block and
// the start of the next unless both fall inside it.
std::vector<ColumnRange> ColumnExtremes(const Recording& recording, const ChartTimeline& timeline,
                                        const ChartViewport& viewport, std::int32_t channel);

// The lowest and highest of the columns' ranges; any = false when nothing is visible.
ColumnRange Overall(const std::vector<ColumnRange>& columns);

}  // namespace Strata
