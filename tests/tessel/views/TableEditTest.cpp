#include <cmath>

#include <gtest/gtest.h>

#include "tessel/views/TableEditor.h"
#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

using Testing::TableSession;
using Note = TableSession::Note;

constexpr const char* kNotPositive =
    "A dose has been entered which is not a positive number.\nThis dose will not be graphed.";

TEST(TableEditTest, DosesAreKeptWithSixSignificantDigits) {
  struct Case {
    const char* typed;
    const char* kept;
    double value;
    bool warned;
  };
  const Case cases[] = {
      {"0.10", "0.1", 0.1, false},
      {"1e-3", "0.001", 0.001, false},
      // The value is what the kept text reads as, as after reopening and in the fit.
      {"1234567", "1.23457e+006", 1234570, false},
      {"2.5 mg", "2.5", 2.5, false},
      {"-5", "-5", -5, true},
      {"0", "0", 0, true},
      {"abc", "0", 0, true},
  };
  for (const Case& c : cases) {
    TableSession s;
    s.Table().CommitEdit(kFirstDoseRow, kDoseColumn, c.typed);
    const TableViewElem& dose = s.Cell(kFirstDoseRow, kDoseColumn);
    EXPECT_EQ(dose.text, c.kept) << c.typed;
    EXPECT_EQ(dose.value, c.value) << c.typed;
    EXPECT_EQ(dose.flags & kCellPrompt, 0) << c.typed;
    // A new empty row for the next dose.
    EXPECT_EQ(s.Cell(kFirstDoseRow + 1, kDoseColumn).text, "<Enter Dose>") << c.typed;
    const auto shown = s.TakeMessages();
    ASSERT_EQ(shown.size(), c.warned ? 1u : 0u) << c.typed;
    if (c.warned) {
      EXPECT_EQ(shown[0].text, kNotPositive);
      EXPECT_EQ(shown[0].caption, "Tessel");
      EXPECT_EQ(shown[0].icon, MessageIcon::kInformation);
    }
  }
}

TEST(TableEditTest, ReservedWordsAreRefusedExactlyAsWritten) {
  TableSession s;
  s.TypeDoses({"1"});
  for (const char* word :
       {"(marked)", "<Enter Dose>", "<Select Channel>", "<Mark Dose or Add Response>"}) {
    s.Table().CommitEdit(kFirstDoseRow, kFirstRunColumn, word);
    const auto shown = s.TakeMessages();
    ASSERT_EQ(shown.size(), 1u) << word;
    EXPECT_EQ(shown[0].text, "This is a reserved word and cannot be used.");
    EXPECT_EQ(shown[0].caption, "Tessel");
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
  auto shown = s.TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            "This will delete all responses and marked\ndoses in the column and any "
            "associated\ndose comments in the Chart View.\n\nDo you want to continue?");
  EXPECT_EQ(shown[0].icon, MessageIcon::kWarning);
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
  auto shown = s.TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(
      shown[0].text,
      "This will also delete the dose comment\nin the Chart View.\n\nDo you want to continue?");
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
