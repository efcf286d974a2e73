#include "tessel/export/TableTextWriter.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TableBuilder.h"
#include "support/TestData.h"
#include "support/TestRecording.h"
#include "tessel/export/MatrixCells.h"

namespace Tessel {
namespace {

namespace fs = std::filesystem;

using Testing::ReadFile;
using Testing::TempDir;

Ref<Strata::ProgressIndicator> NewProgress() {
  return MakeRef<Strata::ProgressIndicator>();
}

// A table with three doses and two named runs on channels 0 and 1.
Testing::Table Measured() {
  Testing::Table t({"Control", "Ätzmittel→"}, {"0.1", "1", "10"});
  t.Response(0, 2, "1").Response(1, 2, "2").Response(2, 2, "3").Channel(2, 0).Channel(3, 1);
  return t;
}

TEST(TableTextWriterTest, EmptyDocumentGivesFourLinesOfTwoFields) {
  TableViewMatrix m(nullptr);
  const MatrixCells cells(m, {"Tension"});
  const TempDir dir;
  auto progress = NewProgress();
  ASSERT_TRUE(WriteTableText(cells, dir / "empty.txt", kProgressExportTable, progress.get()));
  EXPECT_EQ(ReadFile(dir / "empty.txt"), "\t\r\n\t\r\nDose\t\r\n\t\r\n");
  EXPECT_EQ(progress->Title(), "Export Tessel Table as Text");
}

TEST(TableTextWriterTest, WholeTableAsLatin1WithChannelTitles) {
  Testing::Table t = Measured();
  const MatrixCells cells(t.Matrix(), {"Tension", "Pressure"});
  const TempDir dir;
  auto progress = NewProgress();
  ASSERT_TRUE(WriteTableText(cells, dir / "table.txt", kProgressExportTable, progress.get()));
  EXPECT_EQ(ReadFile(dir / "table.txt"), Testing::DataText("export/table-latin1.txt"));
  // Seven rows after the letters: the percentage moves in sevenths.
  EXPECT_EQ(progress->Texts(),
            (std::vector<std::string>{"14 %", "28 %", "42 %", "57 %", "71 %", "85 %", "100 %"}));
}

TEST(TableTextWriterTest, StopDeletesThePartialFile) {
  Testing::Table t = Measured();
  const MatrixCells cells(t.Matrix(), {});
  const TempDir dir;
  auto progress = NewProgress();
  progress->PressStopAfter(2);
  EXPECT_TRUE(
      WriteTableText(cells, dir / "stopped.txt", kProgressExportingTableView, progress.get()));
  EXPECT_FALSE(fs::exists(dir / "stopped.txt"));
  EXPECT_EQ(progress->Texts().size(), 2u);
}

TEST(TableTextWriterTest, AFileThatCannotBeOpenedFails) {
  Testing::Table t = Measured();
  const MatrixCells cells(t.Matrix(), {});
  auto progress = NewProgress();
  const TempDir dir;
  EXPECT_FALSE(WriteTableText(cells, dir / "missing/x.txt", kProgressExportTable, progress.get()));
}

TEST(TableTextWriterTest, OneDataRowJumpsStraightToAHundred) {
  TableViewMatrix m(nullptr);
  m.DeleteRow(4);
  m.DeleteRow(3);
  m.DeleteRow(2);
  const MatrixCells cells(m, {});
  const TempDir dir;
  auto progress = NewProgress();
  TableTextWriter writer(cells);
  ASSERT_TRUE(writer.WriteFile(dir / "short.txt", kProgressExportTable, progress.get()));
  EXPECT_EQ(progress->Texts(), (std::vector<std::string>{"100 %"}));
  // The writer remembers what it showed: the same percentage is not shown again.
  ASSERT_TRUE(writer.WriteFile(dir / "short.txt", kProgressExportTable, progress.get()));
  EXPECT_TRUE(progress->Texts().empty());
}

TEST(TableTextWriterTest, CopyKeepsUnicodeAndDataPadGetsRows) {
  Testing::Table t = Measured();
  const MatrixCells cells(t.Matrix(), {"Tension", "Pressure"});
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
