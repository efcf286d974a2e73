#include "tessel/views/TableViewCells.h"

#include <gtest/gtest.h>

#include "support/TableBuilder.h"
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
  Testing::Table({"Control"}, {"0.5"}, &m).Response(0, 2, "1.25").Channel(2, 0);
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
