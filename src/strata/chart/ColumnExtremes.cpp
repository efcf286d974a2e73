#include "strata/chart/ColumnExtremes.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace Strata {

namespace {

// The extremes of samples[first, last), leaving out values that are not finite. Written without
// branches on the data so that the loop runs at the speed of the memory.
ColumnRange RangeOf(const float* samples, std::uint32_t first, std::uint32_t last) {
  float low = std::numeric_limits<float>::infinity();
  float high = -std::numeric_limits<float>::infinity();
  for (std::uint32_t t = first; t < last; ++t) {
    const float v = samples[t];
    const bool finite = std::abs(v) <= std::numeric_limits<float>::max();
    low = finite && v < low ? v : low;
    high = finite && v > high ? v : high;
  }
  return low <= high ? ColumnRange{true, low, high} : ColumnRange{};
}

void Merge(ColumnRange& into, const ColumnRange& part) {
  if (!part.any) {
    return;
  }
  if (!into.any) {
    into = part;
  } else {
    into.low = std::min(into.low, part.low);
    into.high = std::max(into.high, part.high);
  }
}

}  // namespace

std::vector<ColumnRange> ColumnExtremes(const Recording& recording, const ChartTimeline& timeline,
                                        const ChartViewport& viewport, std::int32_t channel) {
  std::vector<ColumnRange> columns(static_cast<size_t>(viewport.Width()));
  if (channel < 0 || channel >= recording.ChannelCount()) {
    return columns;
  }
  const double perPixel = viewport.Span() / viewport.Width();
  for (std::int32_t b = 0; b < recording.BlockCount(); ++b) {
    const Block& block = recording.BlockAt(b);
    const std::uint32_t ticks = block.Ticks();
    const double start = timeline.BlockStart(b);
    const double end =
        b + 1 < timeline.BlockCount() ? timeline.BlockStart(b + 1) : timeline.Duration();
    if (ticks == 0 || start > viewport.To() || end < viewport.From()) {
      continue;
    }
    const double interval = (end - start) / ticks;
    const float* samples = block.samples[static_cast<size_t>(channel)].data();
    // Each column takes the ticks whose time falls inside it: from the first tick at or after
    // its left edge to the first tick at or after its right edge. The estimate from the interval
    // is settled with the same column rule the rest of the view uses, so that rounding at an
    // edge never puts a sample into the neighbouring column.
    auto columnOf = [&](std::uint32_t tick) {
      return std::floor(viewport.XOfTime(timeline.TimeOf(TickPosition(b, tick))));
    };
    auto firstTickAt = [&](double column) {
      const double left = viewport.From() + column * perPixel;
      const double estimate = std::ceil((left - start) / interval);
      auto tick = static_cast<std::uint32_t>(std::clamp(estimate, 0.0, static_cast<double>(ticks)));
      while (tick > 0 && columnOf(tick - 1) >= column) {
        --tick;
      }
      while (tick < ticks && columnOf(tick) < column) {
        ++tick;
      }
      return tick;
    };
    const auto firstColumn =
        static_cast<std::int64_t>(std::max(0.0, std::floor((start - viewport.From()) / perPixel)));
    const auto lastColumn = std::min<std::int64_t>(
        viewport.Width() - 1,
        static_cast<std::int64_t>(std::floor((end - viewport.From()) / perPixel)));
    std::uint32_t from = firstTickAt(static_cast<double>(firstColumn));
    for (std::int64_t c = firstColumn; c <= lastColumn; ++c) {
      const std::uint32_t to = firstTickAt(static_cast<double>(c + 1));
      if (from < to) {
        Merge(columns[static_cast<size_t>(c)], RangeOf(samples, from, to));
      }
      from = to;
    }
  }
  return columns;
}

ColumnRange Overall(const std::vector<ColumnRange>& columns) {
  ColumnRange all;
  for (const ColumnRange& c : columns) {
    Merge(all, c);
  }
  return all;
}

}  // namespace Strata
