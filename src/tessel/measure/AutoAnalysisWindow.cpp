#include "tessel/measure/AutoAnalysisWindow.h"

#include <cmath>

namespace Tessel {
namespace {

// A place compared as (block, tick): ticks may be negative before clipping.
struct Place {
  std::int64_t block;
  std::int64_t tick;
  auto operator<=>(const Place&) const = default;
};

Place At(TickPosition p) {
  return Place{p.Block(), p.Tick()};
}

}  // namespace

AutoAnalysisWindow AutoAnalysisWindow::Compute(TickPosition comment, double startOffset,
                                               double stopOffset, double interval,
                                               std::uint32_t blockLength,
                                               TickPosition selectionStart,
                                               TickPosition selectionEnd) {
  if (!(interval > 0.0) || !std::isfinite(interval)) {
    interval = 0.001;
  }
  const std::int64_t block = comment.Block();
  const std::int64_t length = blockLength;
  // Offsets become whole ticks by truncation toward zero, as the window is counted in samples.
  std::int64_t start =
      comment.Tick() + static_cast<std::int64_t>(std::trunc(startOffset / interval));
  std::int64_t stop = comment.Tick() + static_cast<std::int64_t>(std::trunc(stopOffset / interval));
  bool limited = false;

  if (start < 0) {
    start = 0;
  }
  if (stop <= start) {
    stop = start + 1;
  }
  // The block's last sample is at length - 1.
  if (start >= length - 1) {
    start = length - 2;
    stop = length - 1;
  }
  if (stop > length - 1) {
    stop = length - 1;
  }
  const Place selStart = At(selectionStart);
  const Place selEnd = At(selectionEnd);
  if (Place{block, start} < selStart) {
    start = selStart.tick;
    limited = true;
  }
  if (Place{block, stop} <= selStart) {
    start = selStart.tick;
    stop = selStart.tick + 1;
    limited = true;
  }
  if (Place{block, start} >= selEnd) {
    start = selEnd.tick - 1;
    stop = selEnd.tick;
    limited = true;
  }
  if (Place{block, stop} > selEnd) {
    stop = selEnd.tick;
    limited = true;
  }
  return AutoAnalysisWindow{start, stop, limited};
}

}  // namespace Tessel
