// Where the Table View puts its grid and buttons, and which cells the user may type into.
#include <gtest/gtest.h>

#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

using Rect = TableLayout::Rect;

TEST(TableLayoutTest, TheGridFillsAllButTheRowOfButtons) {
  const TableLayout layout = LayOutTableView(700, 400);
  EXPECT_EQ(layout.grid, (Rect{0, 0, 700, 361}));
  ASSERT_TRUE(layout.buttonsPlaced);
  EXPECT_EQ(layout.buttons[0], (Rect{8, 369, 75, 23}));     // Settings...
  EXPECT_EQ(layout.buttons[2], (Rect{185, 369, 112, 23}));  // Add Response
  EXPECT_EQ(layout.buttons[6], (Rect{384, 369, 75, 23}));   // Export..., laid out though hidden
  // A window with no client area lays out only the grid; a short one gives the grid nothing.
  EXPECT_FALSE(LayOutTableView(0, 0).buttonsPlaced);
  EXPECT_EQ(LayOutTableView(300, 20).grid, (Rect{0, 0, 300, 0}));
}

TEST(TableLayoutTest, OnlyLabelsChannelsDosesAndResponsesAreTyped) {
  Testing::TableSession s;
  s.SetRunChannels({0});
  struct Case {
    std::uint32_t row, column;
    bool editable;
  };
  const Case cases[] = {
      {0, 2, false},  // column letter
      {1, 1, false},  // above "Dose"
      {1, 2, true},   // run label
      {2, 2, false},  // repeat mark
      {3, 1, false},  // "Dose"
      {3, 2, true},   // channel
      {4, 0, false},  // row number
      {4, 1, true},   // dose
      {4, 2, true},   // response
      {4, 9, false},  // no such column
  };
  for (const Case& c : cases) {
    EXPECT_EQ(s.Table().Editable(c.row, c.column), c.editable) << c.row << "," << c.column;
  }
  // Each cell's look: headers, prompts, a marked dose, a measured response, a plain dose.
  using L = GridCellLook;
  EXPECT_EQ(s.Table().Look(1, 2), L::kPrompt);  // the run's label until a mark names it
  s.TypeDoses({"1"});
  s.Select(0, 10, 20);
  s.Table().SelectCell(4, 2);
  s.PressF2();
  s.Table().SelectCell(5, 2);
  EXPECT_EQ((std::vector<L>{s.Table().Look(0, 2), s.Table().Look(3, 1), s.Table().Look(5, 1),
                            s.Table().Look(4, 2), s.Table().Look(4, 1)}),
            (std::vector<L>{L::kHeader, L::kHeader, L::kPrompt, L::kMarked, L::kPlain}));
  s.Table().SelectCell(4, 2);
  s.PressF3();
  EXPECT_EQ(s.Table().Look(4, 2), L::kMeasured);
  EXPECT_EQ(s.Table().GridOptions(), 0x101u);
  s.Doc().Settings().f1 = true;
  EXPECT_EQ(s.Table().GridOptions(), 0x103u);
}

}  // namespace
}  // namespace Tessel
