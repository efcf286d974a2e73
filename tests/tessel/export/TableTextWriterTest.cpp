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

// A table with three doses and two named runs on channels 0 and 1.
Testing::Table Measured() {
  Testing::Table t({"Control", "Ätzmittel→"}, {"0.1", "1", "10"});
  t.Response(0, 2, "1").Response(1, 2, "2").Response(2, 2, "3").Channel(2, 0).Channel(3, 1);
  return t;
}

// A folder for the files and a progress indicator to watch.
class TableTextWriterTest : public ::testing::Test {
 protected:
  const TempDir dir;
  Ref<Strata::ProgressIndicator> progress = MakeRef<Strata::ProgressIndicator>();
};

TEST_F(TableTextWriterTest, EmptyDocumentGivesFourLinesOfTwoFields) {
  TableViewMatrix m(nullptr);
  const MatrixCells cells(m, {"Tension"});
  ASSERT_TRUE(WriteTableText(cells, dir / "empty.txt", kProgressExportTable, progress.get()));
  EXPECT_EQ(ReadFile(dir / "empty.txt"), "\t\r\n\t\r\nDose\t\r\n\t\r\n");
  EXPECT_EQ(progress->Title(), "Export Tessel Table as Text");
}

TEST_F(TableTextWriterTest, WholeTableAsLatin1WithChannelTitles) {
  Testing::Table t = Measured();
  const MatrixCells cells(t.Matrix(), {"Tension", "Pressure"});
  ASSERT_TRUE(WriteTableText(cells, dir / "table.txt", kProgressExportTable, progress.get()));
  EXPECT_EQ(ReadFile(dir / "table.txt"), Testing::DataText("export/table-latin1.txt"));
  // Seven rows after the letters: the percentage moves in sevenths.
  EXPECT_EQ(progress->Texts(),
            (std::vector<std::string>{"14 %", "28 %", "42 %", "57 %", "71 %", "85 %", "100 %"}));
}

TEST_F(TableTextWriterTest, StopDeletesThePartialFile) {
  Testing::Table t = Measured();
  const MatrixCells cells(t.Matrix(), {});
  progress->PressStopAfter(2);
  EXPECT_TRUE(
      WriteTableText(cells, dir / "stopped.txt", kProgressExportingTableView, progress.get()));
  EXPECT_FALSE(fs::exists(dir / "stopped.txt"));
  EXPECT_EQ(progress->Texts().size(), 2u);
}

TEST_F(TableTextWriterTest, AFileThatCannotBeOpenedFails) {
  Testing::Table t = Measured();
  const MatrixCells cells(t.Matrix(), {});
  EXPECT_FALSE(WriteTableText(cells, dir / "missing/x.txt", kProgressExportTable, progress.get()));
}

TEST_F(TableTextWriterTest, OneDataRowJumpsStraightToAHundred) {
  TableViewMatrix m(nullptr);
  m.DeleteRow(4);
  m.DeleteRow(3);
  m.DeleteRow(2);
  const MatrixCells cells(m, {});
  TableTextWriter writer(cells);
  ASSERT_TRUE(writer.WriteFile(dir / "short.txt", kProgressExportTable, progress.get()));
  EXPECT_EQ(progress->Texts(), (std::vector<std::string>{"100 %"}));
  // The writer remembers what it showed: the same percentage is not shown again.
  ASSERT_TRUE(writer.WriteFile(dir / "short.txt", kProgressExportTable, progress.get()));
  EXPECT_TRUE(progress->Texts().empty());
}

TEST_F(TableTextWriterTest, CopyKeepsUnicodeAndDataPadGetsRows) {
  Testing::Table t = Measured();
  const MatrixCells cells(t.Matrix(), {"Tension", "Pressure"});
  TableTextWriter writer(cells);
  EXPECT_EQ(writer.CopyText(1, 3, 2, 3, progress.get()),
            "Control\tÄtzmittel→\r\n\t\r\nTension\tPressure\r\n");
  EXPECT_EQ(progress->Title(), "Copying");
  auto pad = MakeRef<Strata::DataPad>();
  EXPECT_TRUE(writer.AddToDataPad(4, 5, 1, 2, pad.get(), progress.get()));
  EXPECT_EQ(progress->Title(), "Adding to Data Pad");
  EXPECT_EQ(pad->Rows(), (std::vector<std::vector<std::string>>{{"0.1", "1"}, {"1", "2"}}));
}

TEST_F(TableTextWriterTest, Latin1ReplacesWhatItCannotHold) {
  EXPECT_EQ(ToLatin1("abc"), "abc");
  EXPECT_EQ(ToLatin1("µg/ml"), "\xB5g/ml");
  EXPECT_EQ(ToLatin1("€5"), "?5");
  EXPECT_EQ(ToLatin1("a😀b"), "a?b");
}

}  // namespace
}  // namespace Tessel
