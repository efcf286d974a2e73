#include "support/TempFiles.h"
#include "tessel/export/TableTextWriter.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "support/TestRecording.h"
#include "tessel/export/MatrixCells.h"

namespace Tessel {
namespace {

namespace fs = std::filesystem;

using Testing::ReadFile;
using Testing::TempPath;

Ref<Strata::ProgressIndicator> NewProgress() {
  return MakeRef<Strata::ProgressIndicator>();
}

// A table with three doses and two named runs on channels 0 and 1.
Ref<TableViewMatrix> Measured() {
  Ref<TableViewMatrix> matrix = MakeRef<TableViewMatrix>(nullptr);
  TableViewMatrix& m = *matrix;
  m.InsertColumn(3, m.NewRunColumn(3));
  const char* doses[] = {"0.1", "1", "10"};
  for (std::uint32_t i = 0; i < 3; ++i) {
    m.AppendRow();
    m.Cell(4 + i, kDoseColumn).text = doses[i];
    m.Cell(4 + i, kDoseColumn).flags = 0x03;
    m.Cell(4 + i, 2).text = std::to_string(i + 1);
  }
  for (std::uint32_t c : {2u, 3u}) {
    m.Cell(kRowLabel, c).text = c == 2 ? "Control" : "Ätzmittel→";
    m.Cell(kRowLabel, c).flags = 0x12;
    m.Cell(kRowChannel, c).text = std::to_string(c - 2);
    m.Cell(kRowChannel, c).flags = kFlagsRunChannelSet;
  }
  return matrix;
}

TEST(TableTextWriterTest, EmptyDocumentGivesFourLinesOfTwoFields) {
  TableViewMatrix m(nullptr);
  const MatrixCells cells(m, {"Tension"});
  const fs::path path = TempPath("empty.txt");
  auto progress = NewProgress();
  ASSERT_TRUE(WriteTableText(cells, path.string(), kProgressExportTable, progress.get()));
  EXPECT_EQ(ReadFile(path), "\t\r\n\t\r\nDose\t\r\n\t\r\n");
  EXPECT_EQ(progress->Title(), "Export Tessel Table as Text");
  fs::remove(path);
}

TEST(TableTextWriterTest, WholeTableAsLatin1WithChannelTitles) {
  const Ref<TableViewMatrix> m = Measured();
  const MatrixCells cells(*m, {"Tension", "Pressure"});
  const fs::path path = TempPath("table.txt");
  auto progress = NewProgress();
  ASSERT_TRUE(WriteTableText(cells, path.string(), kProgressExportTable, progress.get()));
  const std::string expected =
      "\tControl\t\xC4tzmittel?\r\n"
      "\t\t\r\n"
      "Dose\tTension\tPressure\r\n"
      "0.1\t1\t\r\n"
      "1\t2\t\r\n"
      "10\t3\t\r\n"
      "\t\t\r\n";
  EXPECT_EQ(ReadFile(path), expected);
  // Seven rows after the letters: the percentage moves in sevenths.
  EXPECT_EQ(progress->Texts(),
            (std::vector<std::string>{"14 %", "28 %", "42 %", "57 %", "71 %", "85 %", "100 %"}));
  fs::remove(path);
}

TEST(TableTextWriterTest, StopDeletesThePartialFile) {
  const Ref<TableViewMatrix> m = Measured();
  const MatrixCells cells(*m, {});
  const fs::path path = TempPath("stopped.txt");
  auto progress = NewProgress();
  progress->PressStopAfter(2);
  EXPECT_TRUE(WriteTableText(cells, path.string(), kProgressExportingTableView, progress.get()));
  EXPECT_FALSE(fs::exists(path));
  EXPECT_EQ(progress->Texts().size(), 2u);
}

TEST(TableTextWriterTest, AFileThatCannotBeOpenedFails) {
  const Ref<TableViewMatrix> m = Measured();
  const MatrixCells cells(*m, {});
  auto progress = NewProgress();
  EXPECT_FALSE(WriteTableText(cells, (TempPath("missing") / "x.txt").string(), kProgressExportTable,
                              progress.get()));
}

TEST(TableTextWriterTest, OneDataRowJumpsStraightToAHundred) {
  TableViewMatrix m(nullptr);
  m.DeleteRow(4);
  m.DeleteRow(3);
  m.DeleteRow(2);
  const MatrixCells cells(m, {});
  const fs::path path = TempPath("short.txt");
  auto progress = NewProgress();
  TableTextWriter writer(cells);
  ASSERT_TRUE(writer.WriteFile(path.string(), kProgressExportTable, progress.get()));
  EXPECT_EQ(progress->Texts(), (std::vector<std::string>{"100 %"}));
  // The writer remembers what it showed: the same percentage is not shown again.
  ASSERT_TRUE(writer.WriteFile(path.string(), kProgressExportTable, progress.get()));
  EXPECT_TRUE(progress->Texts().empty());
  fs::remove(path);
}

TEST(TableTextWriterTest, CopyKeepsUnicodeAndDataPadGetsRows) {
  const Ref<TableViewMatrix> m = Measured();
  const MatrixCells cells(*m, {"Tension", "Pressure"});
  TableTextWriter writer(cells);
  auto progress = NewProgress();
  EXPECT_EQ(writer.CopyText(1, 3, 2, 3, progress.get()),
            "Control\tÄtzmittel→\r\n\t\r\nTension\tPressure\r\n");
  EXPECT_EQ(progress->Title(), "Copying");
  auto pad = MakeRef<Strata::DataPad>();
  EXPECT_TRUE(writer.AddToDataPad(4, 5, 1, 2, pad.get(), progress.get()));
  EXPECT_EQ(progress->Title(), "Adding to Data Pad");
  EXPECT_EQ(pad->Rows(), (std::vector<std::vector<std::string>>{{"0.1", "1"}, {"1", "2"}}));
}

TEST(TableTextWriterTest, Latin1ReplacesWhatItCannotHold) {
  EXPECT_EQ(ToLatin1("abc"), "abc");
  EXPECT_EQ(ToLatin1("µg/ml"), "\xB5g/ml");
  EXPECT_EQ(ToLatin1("€5"), "?5");
  EXPECT_EQ(ToLatin1("a😀b"), "a?b");
}

}  // namespace
}  // namespace Tessel
