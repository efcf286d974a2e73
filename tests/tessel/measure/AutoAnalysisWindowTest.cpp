#include "tessel/measure/AutoAnalysisWindow.h"

#include <gtest/gtest.h>

namespace Tessel {
namespace {

struct WindowCase {
  const char* name;
  std::uint32_t commentTick;
  double startOffset;
  double stopOffset;
  double interval;
  std::uint32_t blockLength;
  std::uint32_t selectionStart;
  std::uint32_t selectionEnd;
  std::int64_t start;
  std::int64_t stop;
  bool limited;
  bool tooFew;
};

TEST(AutoAnalysisWindowTest, WindowsAreClippedToTheBlockAndTheSelection) {
  const WindowCase cases[] = {
      {"defaults, well inside", 1000, 1.0, 5.0, 0.01, 100000, 0, 100000, 1100, 1500, false, false},
      {"-5 s to 30 s at 0.01 s", 5000, -5.0, 30.0, 0.01, 100000, 0, 100000, 4500, 8000, false,
       false},
      {"-5 s clipped by the selection start", 5000, -5.0, 30.0, 0.01, 100000, 4800, 100000, 4800,
       8000, true, false},
      {"10 s before the selection end, stop 30 s", 9000, 1.0, 30.0, 0.01, 100000, 0, 10000, 9100,
       10000, true, false},
      {"comment in the last tick of the selection", 9999, 1.0, 5.0, 0.01, 100000, 0, 10000, 9999,
       10000, true, true},
      {"start before the recording begins", 100, -5.0, 1.0, 0.01, 100000, 0, 100000, 0, 200, false,
       false},
      {"start past the end of the block", 99990, 1.0, 5.0, 0.01, 100000, 0, 100000, 99998, 99999,
       false, true},
      {"stop past the end of the block", 99000, 1.0, 50.0, 0.01, 100000, 0, 100000, 99100, 99999,
       false, false},
      {"a window ending before the selection", 100, -1.0, 0.5, 0.01, 100000, 500, 100000, 500, 501,
       true, true},
      {"no interval counts as 1 ms", 1000, 1.0, 5.0, 0.0, 100000, 0, 100000, 2000, 6000, false,
       false},
      {"offsets truncate toward zero", 1000, 0.0149, -0.0149, 0.01, 100000, 0, 100000, 1001, 1002,
       false, true},
  };
  for (const auto& c : cases) {
    const auto w = AutoAnalysisWindow::Compute(
        TickPosition(0, c.commentTick), c.startOffset, c.stopOffset, c.interval, c.blockLength,
        TickPosition(0, c.selectionStart), TickPosition(0, c.selectionEnd));
    EXPECT_EQ(w.start, c.start) << c.name;
    EXPECT_EQ(w.stop, c.stop) << c.name;
    EXPECT_EQ(w.limited, c.limited) << c.name;
    EXPECT_EQ(w.TooFewSamples(), c.tooFew) << c.name;
  }
}

TEST(AutoAnalysisWindowTest, SelectionsSpanningBlocksOnlyLimitInTheirOwnBlocks) {
  // The selection runs from block 0 into block 2; a comment in block 1 is never cut by it.
  const auto w = AutoAnalysisWindow::Compute(TickPosition(1, 10), -5.0, 30.0, 1.0, 1000,
                                             TickPosition(0, 900), TickPosition(2, 5));
  EXPECT_EQ(w.start, 5);
  EXPECT_EQ(w.stop, 40);
  EXPECT_FALSE(w.limited);
}

}  // namespace
}  // namespace Tessel
