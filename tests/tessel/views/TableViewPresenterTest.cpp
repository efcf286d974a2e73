#include "tessel/views/TableViewPresenter.h"

#include <gtest/gtest.h>

#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

using Testing::TableSession;

struct States {
  bool mark, add, del, recalc;
  bool operator==(const States&) const = default;
};

std::ostream& operator<<(std::ostream& os, const States& s) {
  return os << "mark " << s.mark << " add " << s.add << " delete " << s.del << " recalc "
            << s.recalc;
}

States Read(TableViewPresenter& t) {
  return {t.Enabled(TableButton::kMarkDose), t.Enabled(TableButton::kAddResponse),
          t.Enabled(TableButton::kDelete), t.Enabled(TableButton::kRecalculate)};
}

class TableViewPresenterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.TypeDoses({"1", "2"});
    s.SetRunChannels({0, 1});
  }
  TableSession s;
};

TEST_F(TableViewPresenterTest, ButtonsFollowTheCellAndTheChartSelection) {
  TableViewPresenter& t = s.Table();
  EXPECT_EQ(Read(t), (States{false, false, false, false}));
  t.SelectCell(4, 2);
  EXPECT_EQ(Read(t), (States{false, false, true, false}));  // nothing selected in the chart
  s.Select(0, 10, 20);
  EXPECT_EQ(Read(t), (States{true, true, true, false}));
  EXPECT_EQ(t.CurrentChannel(), 0);
  EXPECT_EQ(t.Tip(), "");

  // Not a run cell with a dose and a channel.
  for (auto [row, column] : {std::pair{4u, 1u}, {3u, 2u}, {6u, 2u}}) {
    t.SelectCell(row, column);
    EXPECT_EQ(Read(t), (States{false, false, true, false})) << row << "," << column;
  }
  s.SetRunChannels({0, -1});
  t.SelectCell(4, 3);
  EXPECT_EQ(Read(t), (States{false, false, true, false}));

  // Marked: only the response can still be added.
  t.SelectCell(4, 2);
  s.PressF2();
  t.SelectCell(4, 2);
  EXPECT_EQ(Read(t), (States{false, true, true, false}));
  s.PressF3();
  t.SelectCell(4, 2);
  EXPECT_EQ(Read(t), (States{false, true, true, true}));
}

TEST_F(TableViewPresenterTest, ASelectionAcrossBlocksCanOnlyBeMarked) {
  s.Table().SelectCell(4, 2);
  // The Chart View's selection notice alone brings the buttons and the balloon up to date.
  s.Host().Select(0, TickPosition(0, 190), TickPosition(1, 5));
  EXPECT_EQ(Read(s.Table()), (States{true, false, true, false}));
  EXPECT_EQ(s.Table().Tip(), "The selection is across multiple blocks.");
}

TEST_F(TableViewPresenterTest, NoDataUnderTheSelectionDisablesMarkAndAdd) {
  s.Table().SelectCell(4, 2);
  s.ActivePoint(0, 200);  // one past the last sample of block 0
  EXPECT_EQ(Read(s.Table()), (States{false, false, true, false}));
  s.ActivePoint(0, 199);
  EXPECT_EQ(Read(s.Table()), (States{true, true, true, false}));
}

TEST_F(TableViewPresenterTest, SelectionIsSharedWithTheDocument) {
  TableViewPresenter& t = s.Table();
  t.SelectCell(5, 3);
  EXPECT_EQ(s.Doc().Settings().currentRow, 5);
  EXPECT_EQ(s.Doc().Settings().currentColumn, 3);
  EXPECT_EQ(t.CurrentChannel(), 1);
  t.SelectRanges({{4, 2, 5, 3}});
  EXPECT_FALSE(t.CurrentCell().has_value());
  EXPECT_TRUE(t.RangeSelected());
  EXPECT_TRUE(t.Enabled(TableButton::kDelete));
  // A new view of the same document opens on the saved cell.
  s.Doc().DetachView(&t);
  TableViewPresenter second(s.Doc());
  EXPECT_EQ(second.CurrentCell(), (CellIndex{5, 3}));
  s.Doc().DetachView(&second);
  s.Doc().AttachView(&t);
}

TEST_F(TableViewPresenterTest, RecalculateAsksAndRemeasuresWithNewSettings) {
  s.Table().SelectCell(4, 2);
  s.Select(0, 10, 20);
  s.PressF3();
  s.Doc().Settings().calcType = 1;  // Maximum
  s.TakeMessages();
  s.Person().Answer(MessageAnswer::kNo);
  s.Table().PressButton(TableButton::kRecalculate);
  Testing::ExpectOneMessage(s.Person(), "recalculate", MessageIcon::kQuestion,
                            MessageButtons::kYesNo);
  EXPECT_EQ(s.Cell(4, 2).text, "14.5");
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().PressButton(TableButton::kRecalculate);
  EXPECT_EQ(s.Cell(4, 2).text, "19");
}

TEST_F(TableViewPresenterTest, TheWidgetHearsOfEveryChange) {
  int changes = 0;
  s.Table().SetChangedHandler([&changes] { ++changes; });
  s.Table().SelectCell(4, 2);
  EXPECT_GT(changes, 0);
  const int before = changes;
  s.Doc().UpdateAllViews();
  EXPECT_GT(changes, before);
}

}  // namespace
}  // namespace Tessel
