#include <gtest/gtest.h>

#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

using Testing::TableSession;
using Note = TableSession::Note;

constexpr std::uint32_t kB = kFirstRunColumn;
constexpr std::uint32_t kC = kFirstRunColumn + 1;
constexpr std::uint32_t kD = kFirstRunColumn + 2;

constexpr const char* kWithComments = "delete-with-comments";
constexpr const char* kWithout = "delete-selection";

// Doses 1, 2, 3 in runs B (channel 0), C (channel 1) and D (channel 0); doses 1 and 2 measured
// in B and C.
class TableDeletionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.TypeDoses({"1", "2", "3"});
    s.SetRunChannels({0, 1, 0});
    Measure(4, kB, 0, 10);
    Measure(5, kB, 0, 30);
    Measure(4, kC, 1, 10);
    Measure(5, kC, 1, 30);
    s.TakeMessages();
  }
  void Measure(std::uint32_t row, std::uint32_t column, std::int32_t channel, std::uint32_t at) {
    s.Table().SelectCell(row, column);
    s.Select(channel, at, at + 10);
    ASSERT_EQ(s.PressF3(), kOk);
  }
  void ExpectQuestion(const char* name) {
    Testing::ExpectOneMessage(s.Person(), name, MessageIcon::kWarning, MessageButtons::kYesNo);
  }
  TableSession s;
};

TEST_F(TableDeletionTest, SeveralRangesAskOnceAndNoKeepsEverything) {
  const Ref<TableViewMatrix> before = s.Doc().Matrix().Clone();
  const auto comments = s.Comments();
  // Two cell ranges, a whole dose row and a whole run column.
  const std::vector<CellRange> ranges = {
      {4, kB, 4, kB}, {5, kC, 5, kC}, {6, 0, 6, kD}, {0, kD, 7, kD}};
  s.Table().SelectRanges(ranges);
  s.Person().Answer(MessageAnswer::kNo);
  s.Table().PressButton(TableButton::kDelete);
  ExpectQuestion(kWithComments);
  EXPECT_TRUE(s.Doc().Matrix() == *before);
  EXPECT_EQ(s.Comments(), comments);

  s.Table().SelectRanges(ranges);
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().PressButton(TableButton::kDelete);
  ExpectQuestion(kWithComments);
  EXPECT_EQ(s.Comments(),
            (std::vector<Note>{{1, 10, "TSL: <1> <Run C>"}, {0, 30, "TSL: <2> <Run B>"}}));
  EXPECT_FALSE(s.Cell(4, kB).responseAdded);
  EXPECT_TRUE(s.Cell(5, kB).responseAdded);
  EXPECT_FALSE(s.Cell(5, kC).responseAdded);
  EXPECT_EQ(s.Doc().Matrix().ColumnCount(), 4u);  // run D is gone
  EXPECT_EQ(s.Doc().Matrix().RowCount(), 7u);     // dose 3 is gone
  EXPECT_EQ(s.Cell(6, kDoseColumn).text, "<Enter Dose>");
}

TEST_F(TableDeletionTest, ASelectionWithoutCommentsSaysSo) {
  s.Table().SelectRanges({{6, kB, 6, kD}});
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().PressDeleteKey();
  ExpectQuestion(kWithout);
}

TEST_F(TableDeletionTest, AnUnmarkedCellGoesWithoutAQuestion) {
  s.Table().CommitEdit(6, kD, "42");
  s.Table().SelectCell(6, kD);
  s.Table().PressDeleteKey();
  EXPECT_TRUE(s.TakeMessages().empty());
  EXPECT_EQ(s.Cell(6, kD).text, "");
}

TEST_F(TableDeletionTest, DeletingADoseTakesTheRowsCommentsAlong) {
  s.Table().SelectCell(4, kDoseColumn);
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().PressDeleteKey();
  ExpectQuestion(kWithComments);
  EXPECT_EQ(s.Cell(4, kDoseColumn).text, "<Enter Dose>");
  EXPECT_EQ(s.Comments(),
            (std::vector<Note>{{0, 30, "TSL: <2> <Run B>"}, {1, 30, "TSL: <2> <Run C>"}}));
}

TEST_F(TableDeletionTest, ContextItemsInsertAndDeleteRowsAndColumns) {
  // Insert Column on B's header: a new B, the old runs move right and keep their names.
  s.Table().ChooseContextItem(0, kB, 0);
  EXPECT_EQ(s.Doc().Matrix().ColumnCount(), 6u);
  EXPECT_EQ(s.Cell(kRowLabel, kB).text, "<Run B Label>");
  EXPECT_EQ(s.Cell(kRowLabel, kC).text, "Run B");
  EXPECT_EQ(s.Cell(0, kC).text, "C");
  // Delete Column on the measured run (now C) asks, because of its comments.
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().ChooseContextItem(0, kC, 1);
  ExpectQuestion(kWithComments);
  EXPECT_EQ(s.Comments(),
            (std::vector<Note>{{1, 10, "TSL: <1> <Run C>"}, {1, 30, "TSL: <2> <Run C>"}}));
  // Insert Row above dose 1; Delete Row of an unmeasured dose asks nothing.
  s.Table().ChooseContextItem(4, 0, 0);
  EXPECT_EQ(s.Cell(4, kDoseColumn).text, "<Enter Dose>");
  EXPECT_EQ(s.Cell(5, kDoseColumn).text, "1");
  EXPECT_EQ(s.Cell(5, 0).text, "2");
  s.Table().ChooseContextItem(4, 0, 1);
  EXPECT_TRUE(s.TakeMessages().empty());
  EXPECT_EQ(s.Cell(4, kDoseColumn).text, "1");
  EXPECT_EQ(s.Cell(4, 0).text, "1");
}

TEST_F(TableDeletionTest, TheLastRunIsEmptiedRatherThanRemoved) {
  for (int i = 0; i < 2; ++i) {
    s.Person().Answer(MessageAnswer::kYes);
    s.Table().ChooseContextItem(0, kB, 1);
  }
  s.TakeMessages();
  EXPECT_EQ(s.Doc().Matrix().ColumnCount(), 3u);
  s.Table().SelectRanges({{0, kB, 7, kB}});
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().PressDeleteKey();
  EXPECT_EQ(s.Doc().Matrix().ColumnCount(), 3u);
  EXPECT_EQ(s.Cell(kRowLabel, kB).text, "<Run B Label>");
  EXPECT_EQ(s.Cell(kRowChannel, kB).text, "-1");
  EXPECT_TRUE(s.Comments().empty());
}

}  // namespace
}  // namespace Tessel
