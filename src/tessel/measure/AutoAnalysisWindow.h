#pragma once

#include <cstdint>

#include "tessel/host/TickPosition.h"

namespace Tessel {

// The fewest samples an auto-analysis window may hold.
inline constexpr std::int64_t kMinWindowSamples = 2;

// Where auto-analysis measures after one dose comment, and whether the user's selection had to
// cut the window.
struct AutoAnalysisWindow {
  std::int64_t start = 0;  // ticks in the comment's block
  std::int64_t stop = 0;   // one past the last sample read
  bool limited = false;    // the selection's limits moved the window

  std::int64_t Samples() const { return stop - start; }
  bool TooFewSamples() const { return Samples() < kMinWindowSamples; }

  // The window start..stop seconds after a comment at comment, in a block of blockLength ticks
  // at interval seconds per sample, kept inside the block and the selection. An interval that is
  // not a positive number counts as 1 ms.
  static AutoAnalysisWindow Compute(TickPosition comment, double startOffset, double stopOffset,
                                    double interval, std::uint32_t blockLength,
                                    TickPosition selectionStart, TickPosition selectionEnd);
};

}  // namespace Tessel
