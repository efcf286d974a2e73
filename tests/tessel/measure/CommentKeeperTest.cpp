#include <gtest/gtest.h>

#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

using Testing::TableSession;
using Note = TableSession::Note;

constexpr std::uint32_t kB = kFirstRunColumn;
constexpr std::uint32_t kC = kFirstRunColumn + 1;
constexpr std::uint32_t kRow1 = kFirstDoseRow;
constexpr std::uint32_t kRow2 = kFirstDoseRow + 1;

// Dose 0.5 measured in runs B (channel 0, ticks 10-20) and C (channel 1, ticks 30-40); dose 1
// marked in run B at tick 60.
class CommentKeeperTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.TypeDoses({"0.5", "1"});
    s.SetRunChannels({0, 1});
    s.Table().SelectCell(kRow1, kB);
    s.Select(0, 10, 20);
    s.PressF3();
    s.Table().SelectCell(kRow1, kC);
    s.Select(1, 30, 40);
    s.PressF3();
    s.Table().SelectCell(kRow2, kB);
    s.ActivePoint(0, 60);
    s.PressF2();
    ASSERT_EQ(s.Comments(), Initial());
    ASSERT_TRUE(s.TakeMessages().empty());
  }

  static std::vector<Note> Initial() {
    return {
        {0, 10, "TSL: <0.5> <Run B>"}, {1, 30, "TSL: <0.5> <Run C>"}, {0, 60, "TSL: <1> <Run B>"}};
  }

  void ExpectQuestion(const char* name) {
    Testing::ExpectOneMessage(s.Person(), name, MessageIcon::kWarning, MessageButtons::kYesNo);
  }

  TableSession s;
};

TEST_F(CommentKeeperTest, EditingADoseRewritesTheRowsCommentsAfterTheQuestion) {
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().CommitEdit(kRow1, kDoseColumn, "0.25");
  ExpectQuestion("update-row");
  EXPECT_EQ(s.Comments(), (std::vector<Note>{{0, 10, "TSL: <0.25> <Run B>"},
                                             {1, 30, "TSL: <0.25> <Run C>"},
                                             {0, 60, "TSL: <1> <Run B>"}}));
  EXPECT_EQ(s.Cell(kRow1, kDoseColumn).text, "0.25");
  // The cells stay linked to their rewritten comments.
  EXPECT_TRUE(s.Cell(kRow1, kB).doseMarked);
  EXPECT_TRUE(s.Cell(kRow1, kC).responseAdded);
}

TEST_F(CommentKeeperTest, AnsweringNoLeavesTableAndRecordingUnchanged) {
  const Ref<TableViewMatrix> before = s.Doc().Matrix().Clone();
  s.Person().Answer(MessageAnswer::kNo);
  s.Table().CommitEdit(kRow1, kDoseColumn, "0.25");
  EXPECT_EQ(s.TakeMessages().size(), 1u);
  s.Person().Answer(MessageAnswer::kNo);
  s.Table().CommitEdit(kRowLabel, kB, "Saline");
  EXPECT_EQ(s.TakeMessages().size(), 1u);
  EXPECT_TRUE(s.Doc().Matrix() == *before);
  EXPECT_EQ(s.Comments(), Initial());
}

TEST_F(CommentKeeperTest, RenamingARunRewritesItsColumnsComments) {
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().CommitEdit(kRowLabel, kB, "Saline");
  ExpectQuestion("update-column");
  EXPECT_EQ(s.Comments(), (std::vector<Note>{{0, 10, "TSL: <0.5> <Saline>"},
                                             {1, 30, "TSL: <0.5> <Run C>"},
                                             {0, 60, "TSL: <1> <Saline>"}}));
  // Naming C the same makes it a repeat of B.
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().CommitEdit(kRowLabel, kC, "saline");
  EXPECT_EQ(s.Cell(kRowRepeat, kC).text, "Repeat 1");
}

TEST_F(CommentKeeperTest, DeletingAMarkedCellDeletesItsComment) {
  s.Table().SelectCell(kRow1, kC);
  s.Person().Answer(MessageAnswer::kNo);
  s.Table().PressDeleteKey();
  ExpectQuestion("delete-comment");
  EXPECT_EQ(s.Comments(), Initial());
  EXPECT_TRUE(s.Cell(kRow1, kC).responseAdded);

  s.Person().Answer(MessageAnswer::kYes);
  s.Table().PressDeleteKey();
  EXPECT_EQ(s.Comments(),
            (std::vector<Note>{{0, 10, "TSL: <0.5> <Run B>"}, {0, 60, "TSL: <1> <Run B>"}}));
  EXPECT_FALSE(s.Cell(kRow1, kC).doseMarked);
  EXPECT_FALSE(s.Cell(kRow1, kC).responseAdded);
  EXPECT_EQ(s.Cell(kRow1, kC).text, "");
  // Our own deletion is not reported back to the user as a changed comment.
  EXPECT_EQ(s.TakeMessages().size(), 1u);
}

TEST_F(CommentKeeperTest, ACommentEditedInTheChartViewDetachesItsCell) {
  ASSERT_TRUE(s.Host().UserChangeComment(s.CommentId("TSL: <0.5> <Run C>"), "TSL: <0.7> <Run C>"));
  Testing::ExpectOneMessage(s.Person(), "comment-changed", MessageIcon::kInformation);
  const TableViewElem& cell = s.Cell(kRow1, kC);
  EXPECT_FALSE(cell.doseMarked);
  EXPECT_FALSE(cell.responseAdded);
  EXPECT_EQ(cell.response, 0.0);
  EXPECT_EQ(cell.text, "");
  // The other cells keep their marks; the edited comment is not parsed back into the table.
  EXPECT_TRUE(s.Cell(kRow1, kB).responseAdded);
  EXPECT_EQ(s.Cell(kRow1, kDoseColumn).text, "0.5");
}

TEST_F(CommentKeeperTest, CommentsDeletedTogetherClearTheirCellsWithOneMessage) {
  ASSERT_TRUE(s.Host().UserDeleteComments(
      {s.CommentId("TSL: <0.5> <Run B>"), s.CommentId("TSL: <1> <Run B>")}));
  Testing::ExpectOneMessage(s.Person(), "comment-changed", MessageIcon::kInformation);
  EXPECT_FALSE(s.Cell(kRow1, kB).doseMarked);
  EXPECT_FALSE(s.Cell(kRow2, kB).doseMarked);
  EXPECT_EQ(s.Cell(kRow2, kB).text, "");
  EXPECT_TRUE(s.Cell(kRow1, kC).doseMarked);
}

// Other comments come and go unnoticed, and so does a dose comment saved unchanged.
TEST_F(CommentKeeperTest, OtherCommentsComeAndGoUnnoticed) {
  ASSERT_TRUE(s.Host().UserChangeComment(s.CommentId("TSL: <0.5> <Run B>"), "TSL: <0.5> <Run B>"));
  std::int64_t id = 0;
  s.Host().AddComment(0, TickPosition(0, 10), "TSL: <0.5> <Run B> drift", &id);
  s.Host().UserChangeComment(id, "drift");
  s.Host().UserDeleteComments({id});
  EXPECT_TRUE(s.TakeMessages().empty());
  EXPECT_TRUE(s.Cell(kRow1, kB).doseMarked);
}

TEST_F(CommentKeeperTest, DataDeletedUnderMarksClearsThemAfterTheQuestion) {
  // The host asks first; a dose comment that goes with the data is reported like any other.
  s.Person().Answer(MessageAnswer::kYes);
  ASSERT_TRUE(s.Host().DeleteDataFrom(TickPosition(0, 50)));
  const auto shown = s.TakeMessages();
  ASSERT_EQ(shown.size(), 2u);
  EXPECT_EQ(shown[0].text, Testing::MessageText("delete-data"));
  EXPECT_EQ(shown[1].text, Testing::MessageText("comment-changed"));
  EXPECT_FALSE(s.Doc().HasDoseMarks());
}

}  // namespace
}  // namespace Tessel
