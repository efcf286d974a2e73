#include "strata/chart/ColumnExtremes.h"

#include <algorithm>
#include <cmath>

namespace Strata {

std::vector<ColumnRange> ColumnExtremes(const Recording& recording, const ChartTimeline& timeline,
                                        const ChartViewport& viewport, std::int32_t channel) {
  std::vector<ColumnRange> columns(static_cast<size_t>(viewport.Width()));
  if (channel < 0 || channel >= recording.ChannelCount()) {
    return columns;
  }
  const double perPixel = viewport.Span() / viewport.Width();
  for (std::int32_t b = 0; b < recording.BlockCount(); ++b) {
    const Block& block = recording.BlockAt(b);
    const double start = timeline.BlockStart(b);
    const double interval = (b + 1 < timeline.BlockCount() ? timeline.BlockStart(b + 1) - start
                                                           : timeline.Duration() - start) /
                            std::max<std::uint32_t>(block.Ticks(), 1);
    if (block.Ticks() == 0 || start > viewport.To() ||
        start + interval * block.Ticks() < viewport.From()) {
      continue;
    }
    const std::vector<float>& samples = block.samples[static_cast<size_t>(channel)];
    const double first = std::max(0.0, std::floor((viewport.From() - start) / interval));
    const double last =
        std::min<double>(block.Ticks() - 1, std::ceil((viewport.To() - start) / interval));
    for (auto tick = static_cast<std::uint32_t>(first); tick <= static_cast<std::uint32_t>(last);
         ++tick) {
      const float v = samples[tick];
      if (!std::isfinite(v)) {
        continue;
      }
      const double x = (start + interval * tick - viewport.From()) / perPixel;
      const auto column = static_cast<std::int64_t>(std::floor(x));
      if (column < 0 || column >= viewport.Width()) {
        continue;
      }
      ColumnRange& c = columns[static_cast<size_t>(column)];
      if (!c.any) {
        c = {true, v, v};
      } else {
        c.low = std::min(c.low, v);
        c.high = std::max(c.high, v);
      }
    }
  }
  return columns;
}

ColumnRange Overall(const std::vector<ColumnRange>& columns) {
  ColumnRange all;
  for (const ColumnRange& c : columns) {
    if (!c.any) {
      continue;
    }
    if (!all.any) {
      all = c;
    } else {
      all.low = std::min(all.low, c.low);
      all.high = std::max(all.high, c.high);
    }
  }
  return all;
}

}  // namespace Strata
