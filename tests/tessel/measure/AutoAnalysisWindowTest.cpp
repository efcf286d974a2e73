#include "tessel/measure/AutoAnalysisWindow.h"

#include <gtest/gtest.h>

#include "support/TestData.h"

namespace Tessel {
namespace {

TEST(AutoAnalysisWindowTest, WindowsAreClippedToTheBlockAndTheSelection) {
  for (const Testing::DataRow& c : Testing::DataTable("measure/auto-analysis-windows.txt")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    auto tick = [&c](size_t i) { return TickPosition(0, static_cast<std::uint32_t>(c.Int(i))); };
    const auto w =
        AutoAnalysisWindow::Compute(tick(1), c.Number(2), c.Number(3), c.Number(4),
                                    static_cast<std::uint32_t>(c.Int(5)), tick(6), tick(7));
    EXPECT_EQ(w.start, c.Int(8));
    EXPECT_EQ(w.stop, c.Int(9));
    EXPECT_EQ(w.limited, c.Flag(10));
    EXPECT_EQ(w.TooFewSamples(), c.Flag(11));
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
