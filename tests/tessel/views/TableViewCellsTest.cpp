#include "tessel/views/TableViewCells.h"

#include <gtest/gtest.h>

#include "support/TestRecording.h"
#include "tessel/export/MatrixCells.h"
#include "tessel/export/PrismXmlWriter.h"
#include "tessel/export/TableTextWriter.h"

namespace Tessel {
namespace {

using Testing::RecordingBuilder;
using Testing::TestChart;

// The exports read the Table View's grid adapter; what they write must be what the matrix holds.
TEST(TableViewCellsTest, ExportsThroughTheGridAdapterMatchTheMatrix) {
  TestChart t(RecordingBuilder()
                  .Block(0.01, 100)
                  .Channel("Tension", "g", [](double) { return 1.0; })
                  .Build());
  TableViewMatrix& m = t.Doc().Matrix();
  m.AppendRow();
  m.Cell(4, kDoseColumn).text = "0.5";
  m.Cell(4, kDoseColumn).flags = 0x03;
  m.Cell(kRowLabel, 2).text = "Control";
  m.Cell(kRowLabel, 2).flags = 0x12;
  m.Cell(kRowChannel, 2).text = "0";
  m.Cell(kRowChannel, 2).flags = kFlagsRunChannelSet;
  m.Cell(4, 2).text = "1.25";
  Ref<TableViewData> data = MakeRef<TableViewData>(t.Doc());
  const TableViewCells grid(*data);
  const MatrixCells direct(m, {"Tension"});
  EXPECT_EQ(PrismXmlWriter(grid).Text(), PrismXmlWriter(direct).Text());
  EXPECT_EQ(TableTextWriter(grid).Line(3, 1, 2), "Dose\tTension\r\n");
  EXPECT_EQ(TableTextWriter(grid).Line(4, 1, 2), "0.5\t1.25\r\n");
  EXPECT_EQ(grid.RowCount(), 6u);
  EXPECT_EQ(grid.ColumnCount(), 3u);
}

}  // namespace
}  // namespace Tessel
