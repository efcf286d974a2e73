#include "tessel/measure/DoseCommentEntry.h"

#include <gtest/gtest.h>

#include "support/TestData.h"
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

constexpr std::uint32_t kRow1 = kFirstDoseRow;
constexpr std::uint32_t kRow2 = kFirstDoseRow + 1;
constexpr std::uint32_t kRun1 = kFirstRunColumn;
constexpr std::uint32_t kRun2 = kFirstRunColumn + 1;

TEST(DoseCommentEntryTest, EntersEachCommentAndFindsItAgain) {
  for (const Testing::DataRow& row : Testing::DataTable("measure/comment-entry.txt")) {
    SCOPED_TRACE(row.where + " " + row[0]);
    std::vector<std::pair<CommentInfo, CellAddress>> entered;
    for (size_t i = 1; i + 4 < row.Size(); i += 5) {
      entered.emplace_back(At(row.Int(i), static_cast<std::uint32_t>(row.Int(i + 1)), row[i + 2]),
                           CellAddress{kRow1 + static_cast<std::uint32_t>(row.Int(i + 3)),
                                       kRun1 + static_cast<std::uint32_t>(row.Int(i + 4))});
    }
    Testing::TestChart chart;
    Tessel::DoseCommentEntry entry(chart.Doc());
    for (const auto& [comment, cell] : entered) {
      EXPECT_EQ(entry.FindCell(comment), std::nullopt) << comment.text;
      EXPECT_EQ(entry.FindOrEnter(comment), cell) << comment.text;
    }
    for (const auto& [comment, cell] : entered) {
      EXPECT_EQ(entry.FindCell(comment), cell) << comment.text;
    }
  }
}

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
