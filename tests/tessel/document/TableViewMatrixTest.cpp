#include "tessel/document/TableViewMatrix.h"

#include <gtest/gtest.h>

namespace Tessel {
namespace {

std::vector<std::string> Texts(const TableViewMatrix& m, std::uint32_t column) {
  std::vector<std::string> out;
  for (std::uint32_t r = 0; r < m.RowCount(); ++r) {
    out.push_back(m.Cell(r, column).text);
  }
  return out;
}

std::vector<std::int32_t> Flags(const TableViewMatrix& m, std::uint32_t column) {
  std::vector<std::int32_t> out;
  for (std::uint32_t r = 0; r < m.RowCount(); ++r) {
    out.push_back(m.Cell(r, column).flags);
  }
  return out;
}

// Names a run as the user would: label text and the text written into comments.
void NameRun(TableViewMatrix& m, std::uint32_t column, const std::string& label) {
  TableViewElem& cell = m.Cell(kRowLabel, column);
  cell.text = label;
  cell.commentText = label;
  cell.flags &= ~kCellPrompt;
}

TEST(TableViewMatrixTest, DefaultMatrixHasRowNumbersDosesAndOneRun) {
  TableViewMatrix m(nullptr);
  ASSERT_EQ(m.ColumnCount(), 3u);
  ASSERT_EQ(m.RowCount(), 5u);
  EXPECT_EQ(Texts(m, 0), (std::vector<std::string>{"", "", "", "", "1"}));
  EXPECT_EQ(Texts(m, 1), (std::vector<std::string>{"A", "", "", "Dose", "<Enter Dose>"}));
  EXPECT_EQ(Texts(m, 2), (std::vector<std::string>{"B", "<Run B Label>", "", "-1", ""}));
  EXPECT_EQ(Flags(m, 0), (std::vector<std::int32_t>{0x10, 0x10, 0x10, 0x10, 0x20}));
  EXPECT_EQ(Flags(m, 1), (std::vector<std::int32_t>{0x10, 0x110, 0x10, 0x12, 0x83}));
  EXPECT_EQ(Flags(m, 2), (std::vector<std::int32_t>{0x10, 0x92, 0x10, 0x9a, 0x01}));
}

TEST(TableViewMatrixTest, ReadsOutsideTheMatrixGetTheSpareCell) {
  TableViewMatrix m(nullptr);
  EXPECT_EQ(m.Cell(0, 99).text, "BADF00D");
  EXPECT_EQ(m.Cell(99, 0).text, "BADF00D");
  const Ref<TableViewMatrix> before = m.Clone();
  m.Cell(0, 99).text = "overwritten";
  m.Cell(0, 99).value = 42.0;
  EXPECT_EQ(m.Cell(0, 99).text, "BADF00D");
  EXPECT_TRUE(m == *before);
  EXPECT_EQ(m.Column(3), nullptr);
}

TEST(TableViewMatrixTest, ColumnLettersRepeatTheLetterAfterZ) {
  const std::vector<std::pair<std::uint32_t, std::string>> cases = {
      {1, "A"}, {2, "B"}, {26, "Z"}, {27, "AA"}, {28, "BB"}, {52, "ZZ"}, {53, "AAA"}};
  for (const auto& [column, letter] : cases) {
    EXPECT_EQ(TableViewMatrix::ColumnLetter(column), letter) << "column " << column;
  }
}

TEST(TableViewMatrixTest, RowsInsertedAndDeletedKeepNumbering) {
  TableViewMatrix m(nullptr);
  m.AppendRow();
  m.AppendRow();
  m.Cell(5, 1).text = "second dose";
  m.InsertRow(5);
  EXPECT_EQ(Texts(m, 0), (std::vector<std::string>{"", "", "", "", "1", "2", "3", "4"}));
  EXPECT_EQ(m.Cell(5, 1).text, "<Enter Dose>");
  EXPECT_EQ(m.Cell(5, 1).flags, 0x83);
  EXPECT_EQ(m.Cell(6, 1).text, "second dose");
  m.DeleteRow(4);
  EXPECT_EQ(Texts(m, 0), (std::vector<std::string>{"", "", "", "", "1", "2", "3"}));
  EXPECT_EQ(m.Cell(5, 1).text, "second dose");
  for (std::uint32_t c = 0; c < m.ColumnCount(); ++c) {
    EXPECT_EQ(m.Column(c)->Size(), m.RowCount());
  }
}

TEST(TableViewMatrixTest, DeletingAColumnRenamesPlaceholdersButKeepsNamedRuns) {
  TableViewMatrix m(nullptr);
  m.InsertColumn(3, m.NewRunColumn(3));
  m.InsertColumn(4, m.NewRunColumn(4));
  NameRun(m, 4, "Antagonist");
  EXPECT_EQ(m.Cell(kRowLabel, 3).text, "<Run C Label>");
  m.DeleteColumn(2);
  ASSERT_EQ(m.ColumnCount(), 4u);
  EXPECT_EQ(m.Cell(kRowLetter, 2).text, "B");
  EXPECT_EQ(m.Cell(kRowLabel, 2).text, "<Run B Label>");
  EXPECT_EQ(m.Cell(kRowLetter, 3).text, "C");
  EXPECT_EQ(m.Cell(kRowLabel, 3).text, "Antagonist");
}

TEST(TableViewMatrixTest, RepeatLabelsCompareWithoutCase) {
  TableViewMatrix m(nullptr);
  for (std::uint32_t c = 3; c <= 6; ++c) {
    m.InsertColumn(c, m.NewRunColumn(c));
  }
  NameRun(m, 2, "Control");
  NameRun(m, 3, "control");
  NameRun(m, 4, "\xC3\x84tzend");  // letters outside ASCII fold too
  NameRun(m, 5, "CONTROL");
  NameRun(m, 6, "\xC3\xA4tzend");
  m.Cell(kRowRepeat, 4).text = "stale";
  m.UpdateRepeatLabels();
  // Column 3 is the first repeat of column 2; column 5 its second, then rewritten by column 3's
  // own count, which makes it column 3's first repeat.
  const std::vector<std::string> repeats = {"", "Repeat 1", "", "Repeat 1", "Repeat 1"};
  for (std::uint32_t c = 2; c <= 6; ++c) {
    EXPECT_EQ(m.Cell(kRowRepeat, c).text, repeats[c - 2]) << c;
  }
}

TEST(TableViewMatrixTest, StoredRowQuery) {
  TableViewMatrix m(nullptr);
  std::uint32_t rows = 99;
  EXPECT_EQ(m.StoredRowInfo(0x8, &rows), kOk);
  EXPECT_EQ(rows, 5u);
  EXPECT_EQ(m.StoredRowInfo(0x1, &rows), kOk);
  EXPECT_EQ(rows, 2u);
  m.Clear();
  EXPECT_EQ(m.StoredRowInfo(0x8, &rows), kFalse);
  EXPECT_EQ(rows, 0u);
  EXPECT_EQ(m.RowCount(), 0u);
}

TEST(TableViewMatrixTest, CloneIsDeepAndChildDataOperationsAnswer) {
  Ref<TableViewMatrix> m = MakeRef<TableViewMatrix>(nullptr);
  IChartDataChildData* raw = nullptr;
  ASSERT_EQ(m->Clone(&raw), kOk);
  Ref<IChartDataChildData> copy = Adopt(raw);
  EXPECT_EQ(copy->Prepare(), kOk);
  EXPECT_EQ(copy->Export(), kNotImplemented);
  EXPECT_EQ(copy->Notify(kChildDataRecordingChanged), kOk);
  auto* copied = static_cast<TableViewMatrix*>(copy.get());
  copied->Cell(4, 1).text = "changed";
  EXPECT_EQ(m->Cell(4, 1).text, "<Enter Dose>");
  EXPECT_EQ(TableViewMatrix::ChildDataType(7), 0x00070000u);
}

}  // namespace
}  // namespace Tessel
