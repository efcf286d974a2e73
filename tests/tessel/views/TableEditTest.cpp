#include <gtest/gtest.h>

#include "support/TestData.h"
#include "tessel/views/TableEditor.h"
#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

using Testing::TableSession;
using Note = TableSession::Note;

TEST(TableEditTest, DosesAreKeptWithSixSignificantDigits) {
  for (const Testing::DataRow& c : Testing::DataTable("views/typed-doses.txt")) {
    SCOPED_TRACE(c.where);
    TableSession s;
    s.Table().CommitEdit(kFirstDoseRow, kDoseColumn, c[0]);
    const TableViewElem& dose = s.Cell(kFirstDoseRow, kDoseColumn);
    EXPECT_EQ(dose.text, c[1]);
    EXPECT_EQ(dose.value, c.Number(2));
    EXPECT_EQ(dose.flags & kCellPrompt, 0);
    // A new empty row for the next dose.
    EXPECT_EQ(s.Cell(kFirstDoseRow + 1, kDoseColumn).text, "<Enter Dose>");
    if (c.Flag(3)) {
      Testing::ExpectOneMessage(s.Person(), "not-positive", MessageIcon::kInformation);
    } else {
      EXPECT_TRUE(s.TakeMessages().empty());
    }
  }
}

TEST(TableEditTest, ReservedWordsAreRefusedExactlyAsWritten) {
  TableSession s;
  s.TypeDoses({"1"});
  for (const char* word :
       {"(marked)", "<Enter Dose>", "<Select Channel>", "<Mark Dose or Add Response>"}) {
    s.Table().CommitEdit(kFirstDoseRow, kFirstRunColumn, word);
    Testing::ExpectOneMessage(s.Person(), "reserved-word", MessageIcon::kWarning);
    EXPECT_EQ(s.Cell(kFirstDoseRow, kFirstRunColumn).text, "") << word;
  }
  s.Table().CommitEdit(kFirstDoseRow, kFirstRunColumn, "(MARKED)");
  EXPECT_TRUE(s.TakeMessages().empty());
  EXPECT_EQ(s.Cell(kFirstDoseRow, kFirstRunColumn).text, "(MARKED)");
  s.Table().CommitEdit(kFirstDoseRow, kFirstRunColumn, "12.5");
  EXPECT_EQ(s.Cell(kFirstDoseRow, kFirstRunColumn).response, 12.5);
}

class MarkedTableTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.TypeDoses({"1", "2"});
    s.SetRunChannels({0, 1});
    s.Table().SelectCell(kFirstDoseRow, kFirstRunColumn);
    s.Select(0, 10, 20);
    s.PressF3();
    s.TakeMessages();
  }
  TableSession s;
};

TEST_F(MarkedTableTest, ChangingAMeasuredRunsChannelClearsItAfterTheQuestion) {
  s.Person().Answer(MessageAnswer::kNo);
  s.Table().CommitEdit(kRowChannel, kFirstRunColumn, "1");
  Testing::ExpectOneMessage(s.Person(), "change-channel", MessageIcon::kWarning,
                            MessageButtons::kYesNo);
  EXPECT_EQ(s.Cell(kRowChannel, kFirstRunColumn).text, "0");
  EXPECT_EQ(s.Comments().size(), 1u);

  s.Person().Answer(MessageAnswer::kYes);
  s.Table().CommitEdit(kRowChannel, kFirstRunColumn, "1");
  EXPECT_EQ(s.Cell(kRowChannel, kFirstRunColumn).text, "1");
  EXPECT_EQ(s.Cell(kRowChannel, kFirstRunColumn).flags, 0x1a);
  EXPECT_TRUE(s.Comments().empty());
  EXPECT_FALSE(s.Cell(kFirstDoseRow, kFirstRunColumn).responseAdded);
  // The current cell (moved on to B's next dose) follows its run's new channel.
  EXPECT_EQ(s.Table().CurrentChannel(), 1);
}

TEST_F(MarkedTableTest, EmptyingAMarkedCellDeletesItsCommentAfterTheQuestion) {
  s.Person().Answer(MessageAnswer::kYes);
  s.Table().CommitEdit(kFirstDoseRow, kFirstRunColumn, "");
  Testing::ExpectOneMessage(s.Person(), "delete-comment", MessageIcon::kWarning,
                            MessageButtons::kYesNo);
  EXPECT_TRUE(s.Comments().empty());
  EXPECT_FALSE(s.Cell(kFirstDoseRow, kFirstRunColumn).doseMarked);
}

TEST_F(MarkedTableTest, RetypingADoseInAnotherWayAsksNothing) {
  s.Table().CommitEdit(kFirstDoseRow, kDoseColumn, "1.000");
  EXPECT_TRUE(s.TakeMessages().empty());
  EXPECT_EQ(s.Cell(kFirstDoseRow, kDoseColumn).text, "1");
  EXPECT_EQ(s.Comments(), (std::vector<Note>{{0, 10, "TSL: <1> <Run B>"}}));
}

TEST_F(MarkedTableTest, AFirstDoseNeedsNoQuestionButAChangedOneDoes) {
  // Typing into the empty row asks nothing even though the table has comments.
  s.Table().CommitEdit(kFirstDoseRow + 2, kDoseColumn, "4");
  EXPECT_TRUE(s.TakeMessages().empty());
  // A row without marks is rewritten without a question too.
  s.Table().CommitEdit(kFirstDoseRow + 1, kDoseColumn, "3");
  EXPECT_TRUE(s.TakeMessages().empty());
  EXPECT_EQ(s.Comments(), (std::vector<Note>{{0, 10, "TSL: <1> <Run B>"}}));
}

TEST_F(MarkedTableTest, ClearingARunLabelBringsBackItsPlaceholderOnlyWithoutComments) {
  s.Table().CommitEdit(kRowLabel, kFirstRunColumn, "");
  EXPECT_EQ(s.Cell(kRowLabel, kFirstRunColumn).text, "Run B");
  s.Table().CommitEdit(kRowLabel, kFirstRunColumn + 1, "Drug");
  s.Table().CommitEdit(kRowLabel, kFirstRunColumn + 1, "");
  EXPECT_EQ(s.Cell(kRowLabel, kFirstRunColumn + 1).text, "<Run C Label>");
  EXPECT_EQ(s.Cell(kRowLabel, kFirstRunColumn + 1).flags, 0x92);
  EXPECT_TRUE(s.TakeMessages().empty());
}

}  // namespace
}  // namespace Tessel
