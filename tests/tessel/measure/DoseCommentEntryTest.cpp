#include "tessel/measure/DoseCommentEntry.h"

#include <gtest/gtest.h>

#include "support/TestRecording.h"
#include "tessel/document/TableViewMatrix.h"

namespace {

using Tessel::CellAddress;
using Tessel::CommentInfo;
using Tessel::kFirstDoseRow;
using Tessel::kFirstRunColumn;
using Tessel::TickPosition;

CommentInfo At(std::int32_t channel, std::uint32_t tick, const std::string& text) {
  return CommentInfo{tick, channel, TickPosition(0, tick), text};
}

struct Entered {
  CommentInfo comment;
  CellAddress cell;
};

// Comments entered one after another into a fresh table, each with the cell it must land in;
// afterwards each comment is found again in its own cell.
struct EntryCase {
  const char* name;
  std::vector<Entered> comments;
};

constexpr std::uint32_t kRow1 = kFirstDoseRow;
constexpr std::uint32_t kRow2 = kFirstDoseRow + 1;
constexpr std::uint32_t kRun1 = kFirstRunColumn;
constexpr std::uint32_t kRun2 = kFirstRunColumn + 1;

const EntryCase kEntryCases[] = {
    // A run's comments are found by the label they were written with, letter for letter, so a
    // label in another case is another run (whose comments are then found again).
    {"LabelsDifferingOnlyInCaseAreDifferentRuns",
     {{At(0, 10, "TSL: <1> <Control>"), {kRow1, kRun1}},
      {At(0, 20, "TSL: <2> <CONTROL>"), {kRow2, kRun2}}}},
    {"NonAsciiLabelsDifferingOnlyInCaseAreDifferentRuns",
     {{At(0, 10, "TSL: <1> <\xC3\x96lS\xC3\xA4ure>"), {kRow1, kRun1}},
      {At(0, 20, "TSL: <2> <\xC3\xB6lS\xC3\xA4URE>"), {kRow2, kRun2}}}},
    {"ALabelThatStartsAnotherIsADifferentRun",
     {{At(0, 10, "TSL: <1> <Con>"), {kRow1, kRun1}},
      {At(0, 20, "TSL: <1> <Control>"), {kRow1, kRun2}}}},
    {"ALabelThatEndsAnotherIsADifferentRun",
     {{At(0, 10, "TSL: <1> <Control>"), {kRow1, kRun1}},
      {At(0, 20, "TSL: <1> <trol>"), {kRow1, kRun2}}}},
    {"ADoseGivenAgainStartsARepeat",
     {{At(0, 10, "TSL: <1> <Drug>"), {kRow1, kRun1}},
      {At(0, 20, "TSL: <1> <Drug>"), {kRow1, kRun2}}}},
    {"AnotherChannelIsAnotherRun",
     {{At(0, 10, "TSL: <1> <Drug>"), {kRow1, kRun1}},
      {At(1, 20, "TSL: <2> <Drug>"), {kRow2, kRun2}}}},
    {"ACommentOnEveryChannelIsARunOfItsOwn",
     {{At(-1, 10, "TSL: <1> <Drug>"), {kRow1, kRun1}},
      {At(0, 20, "TSL: <2> <Drug>"), {kRow2, kRun2}},
      {At(-1, 30, "TSL: <2> <Drug>"), {kRow2, kRun1}}}},
};

class DoseCommentEntryTest : public ::testing::TestWithParam<EntryCase> {};

TEST_P(DoseCommentEntryTest, EntersEachCommentAndFindsItAgain) {
  Testing::TestChart chart;
  Tessel::DoseCommentEntry entry(chart.Doc());
  for (const Entered& e : GetParam().comments) {
    EXPECT_EQ(entry.FindCell(e.comment), std::nullopt) << e.comment.text;
    EXPECT_EQ(entry.FindOrEnter(e.comment), e.cell) << e.comment.text;
  }
  for (const Entered& e : GetParam().comments) {
    EXPECT_EQ(entry.FindCell(e.comment), e.cell) << e.comment.text;
  }
}

INSTANTIATE_TEST_SUITE_P(Tables, DoseCommentEntryTest, ::testing::ValuesIn(kEntryCases),
                         [](const auto& param) { return std::string(param.param.name); });

// The cell is found by the texts its comment was written from: once the run is renamed, the old
// comment text belongs to no cell, and the comment is entered again under its own label.
TEST(DoseCommentEntryRenameTest, ARenamedRunNoLongerOwnsTheOldCommentText) {
  Testing::TestChart chart;
  Tessel::DoseCommentEntry entry(chart.Doc());
  const CommentInfo comment = At(0, 10, "TSL: <1> <Drug>");
  ASSERT_EQ(entry.FindOrEnter(comment), (CellAddress{kRow1, kRun1}));
  chart.Doc().Matrix().Cell(Tessel::kRowLabel, kRun1).commentText = "Drug2";
  EXPECT_EQ(entry.FindCell(comment), std::nullopt);
  chart.Doc().Matrix().Cell(Tessel::kRowLabel, kRun1).commentText = "Drug";
  EXPECT_EQ(entry.FindCell(comment), (CellAddress{kRow1, kRun1}));
}

// Two cells written for the same comment (texts and places edited by hand): the first one in
// reading order, row by row, is the comment's, even when the other lies in an earlier column.
TEST(DoseCommentEntryOrderTest, OfTwoMatchingCellsTheFirstRowWins) {
  Testing::TestChart chart;
  Tessel::DoseCommentEntry entry(chart.Doc());
  ASSERT_EQ(entry.FindOrEnter(At(0, 5, "TSL: <1> <Drug>")), (CellAddress{kRow1, kRun1}));
  ASSERT_EQ(entry.FindOrEnter(At(0, 6, "TSL: <1> <Drug>")), (CellAddress{kRow1, kRun2}));
  ASSERT_EQ(entry.FindOrEnter(At(0, 7, "TSL: <2> <Drug>")), (CellAddress{kRow2, kRun1}));
  Tessel::TableViewMatrix& m = chart.Doc().Matrix();
  const CommentInfo comment = At(0, 10, "TSL: <1> <Drug>");
  m.Cell(kRow2, Tessel::kDoseColumn).commentText = "1";
  m.Cell(kRow2, kRun1).dosePosition = comment.position;
  EXPECT_EQ(entry.FindCell(comment), (CellAddress{kRow2, kRun1}));
  m.Cell(kRow1, kRun2).dosePosition = comment.position;
  EXPECT_EQ(entry.FindCell(comment), (CellAddress{kRow1, kRun2}));
}

}  // namespace
