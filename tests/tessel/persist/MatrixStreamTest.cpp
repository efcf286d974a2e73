#include "tessel/document/TableViewMatrixStream.h"

#include <gtest/gtest.h>

#include <tuple>

#include "PersistFixture.h"
#include "support/TestData.h"

namespace Tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Testing::StreamBytes;
using Testing::TestChart;

std::u16string Utf16(const std::string& ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

// A cell as a stream of this version holds it; a version-2 stream carries the dropped fields'
// second double in the last row only.
void Emit(StreamBytes& b, const Testing::PlacedCell& placed, std::int32_t version) {
  const TableViewElem& c = placed.cell;
  b.Str(Utf16(c.text)).Double(c.value).Int(c.channel);
  b.Pos(c.start.Block(), c.start.Tick()).Pos(c.end.Block(), c.end.Tick());
  b.Pos(c.dosePosition.Block(), c.dosePosition.Tick());
  b.Str(Utf16(c.commentText)).Double(c.response).Int(c.flags);
  b.Int(c.doseMarked).Int(c.responseAdded);
  if (version == 2) {
    b.Double(-99.0).Int(placed.row == 5 ? 1 : 0);
    if (placed.row == 5) {
      b.Double(-98.0);
    }
  } else if (version >= 3) {
    b.Int(c.autoBaseline.present).Double(c.autoBaseline.intercept).Double(c.autoBaseline.slope);
    b.Int(c.userBaseline.present).Double(c.userBaseline.intercept).Double(c.userBaseline.slope);
  }
}

StreamBytes StreamOfVersion(std::int32_t version, const std::vector<Testing::PlacedCell>& cells) {
  StreamBytes b = Testing::DefaultSettingsBytes();
  b.Int(version).Int(3).Int(6);
  for (const Testing::PlacedCell& cell : cells) {
    Emit(b, cell, version);
  }
  b.Int(1).Int(4).Int(2).Int(2).Int(-2).Int(11).Int(22);  // manager state after the matrix
  return b;
}

TEST(MatrixStreamTest, EveryVersionFromZeroToFourIsRead) {
  // A cell read one field out of step shows in the cells after it and in the state that follows.
  const auto cells = Testing::CellsOf("persist/matrix-cells.txt");
  for (std::int32_t version = 0; version <= 4; ++version) {
    TestChart chart(Testing::DataRecording());
    ASSERT_EQ(Testing::LoadBytes(chart.Doc(), StreamOfVersion(version, cells).Bytes()), kOk)
        << version;
    const TableViewMatrix& m = chart.Doc().Matrix();
    ASSERT_EQ(m.ColumnCount(), 3u) << version;
    ASSERT_EQ(m.RowCount(), 6u) << version;
    for (const auto& [c, r, cell] : cells) {
      TableViewElem expected = cell;
      if (version < 3) {  // no baselines yet
        expected.autoBaseline = TableViewElem::Cleared().autoBaseline;
        expected.userBaseline = TableViewElem::Cleared().userBaseline;
      }
      if (c == kDoseColumn && r >= kFirstDoseRow) {
        expected.value = r == 4 ? 2.5e-3 : 10.0;
      }
      EXPECT_EQ(m.Cell(r, c), expected) << "version " << version << " cell " << r << "," << c;
    }
    EXPECT_EQ(chart.Doc().SettingsObject().LoadedMatrixVersion(), version);
    const TableViewManagerState& state = chart.Doc().TableViewState();
    EXPECT_EQ(state.currentRow, 4) << version;
    EXPECT_EQ(state.currentColumn, 2) << version;
    EXPECT_EQ(state.columnWidths, (std::vector<std::int32_t>{11, 22})) << version;
  }
}

// A dose is read from its text as the fit reads it (the texts themselves are pinned by the dose
// parser's tests), so a reopened document fits the points it showed; a prompt keeps its value.
TEST(MatrixStreamTest, DoseValuesComeFromTheDoseTextsExceptPrompts) {
  for (const auto& [text, flags, expected] :
       {std::tuple{"1,000.5", 0x03, 1000.5}, std::tuple{"<Enter Dose>", 0x83, 42.0}}) {
    auto cells = Testing::CellsOf("persist/matrix-cells.txt");
    TableViewElem& dose = cells[1 * 6 + 4].cell;
    dose.text = text;
    dose.flags = flags;
    dose.value = 42.0;
    TestChart chart(Testing::DataRecording());
    ASSERT_EQ(Testing::LoadBytes(chart.Doc(), StreamOfVersion(4, cells).Bytes()), kOk);
    EXPECT_EQ(chart.Doc().Matrix().Cell(4, 1).value, expected) << text;
  }
}

// The responses are left out of the stream by a restricted save, and not loaded into a recording
// without samples; everything else in the matrix comes back.
TEST(MatrixStreamTest, ResponsesAreResetByARestrictedSaveOrAnEmptyRecording) {
  const struct {
    std::int32_t mode, format;
    bool intoEmpty, reset;
  } cases[] = {{kSaveNormal, kFormatStrata, false, false},
               {kSaveNormal, kFormatRestricted, false, true},
               {kSaveDataOnly, kFormatStrata, false, true},
               {kSaveNormal, kFormatStrata, true, true}};
  for (const auto& c : cases) {
    TestChart saved(Testing::DataRecording());
    Testing::FillEverything(saved.Doc());
    saved.Messages().Answer(MessageAnswer::kYes);
    ASSERT_EQ(saved.Doc().BeforeSave(c.mode, c.format), kOk);
    const Bytes bytes = Testing::SaveBytes(saved.Doc());
    TestChart loaded(c.intoEmpty ? Strata::Recording{} : Testing::DataRecording());
    ASSERT_EQ(Testing::LoadBytes(loaded.Doc(), bytes), kOk);
    const TableViewMatrix& a = saved.Doc().Matrix();
    const TableViewMatrix& b = loaded.Doc().Matrix();
    ASSERT_EQ(b.ColumnCount(), a.ColumnCount());
    ASSERT_EQ(b.RowCount(), a.RowCount());
    for (std::uint32_t col = 0; col < a.ColumnCount(); ++col) {
      for (std::uint32_t r = 0; r < a.RowCount(); ++r) {
        const bool response = col >= kFirstRunColumn && r >= kFirstDoseRow;
        EXPECT_EQ(b.Cell(r, col), c.reset && response ? TableViewElem::Cleared() : a.Cell(r, col))
            << c.mode << "/" << c.format << "/" << c.intoEmpty << " " << r << "," << col;
      }
    }
    // The Document itself keeps its responses: only the stream leaves them out.
    EXPECT_TRUE(saved.Doc().Matrix().Cell(4, 2).responseAdded);
  }
}

TEST(MatrixStreamTest, HugeCountsInAShortStreamLeaveTheDefaultMatrix) {
  StreamBytes b = Testing::DefaultSettingsBytes();
  b.Int(4).Int(kMaxStreamColumns).Int(kMaxStreamRows).Str(u"first");
  TestChart chart(Testing::DataRecording());
  chart.Doc().Matrix().AppendRow();
  EXPECT_EQ(Testing::LoadBytes(chart.Doc(), b.Bytes()), kOk);
  EXPECT_EQ(chart.Doc().Matrix(), TableViewMatrix(nullptr));
}

}  // namespace
}  // namespace Tessel
