#include "tessel/document/TableViewMatrixStream.h"

#include <gtest/gtest.h>

#include "PersistFixture.h"

namespace Tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Testing::StreamBytes;
using Testing::TestChart;

struct CellSpec {
  std::u16string text;
  std::int32_t flags = 0x01;
  double value = 0.0;
  std::int32_t channel = -1;
  TickPosition start;
  TickPosition end;
  TickPosition dose;
  std::u16string comment;
  double response = 0.0;
  bool marked = false;
  bool added = false;
  Baseline autoBaseline{true, 0.0, 0.0};
  Baseline userBaseline{false, 0.0, 0.0};
  bool secondDropped = false;  // version 2: the dropped fields carry their second double
};

void Emit(StreamBytes& b, const CellSpec& c, std::int32_t version) {
  b.Str(c.text).Double(c.value).Int(c.channel);
  b.Pos(c.start.Block(), c.start.Tick()).Pos(c.end.Block(), c.end.Tick());
  b.Pos(c.dose.Block(), c.dose.Tick());
  b.Str(c.comment).Double(c.response).Int(c.flags).Int(c.marked).Int(c.added);
  if (version == 2) {
    b.Double(-99.0).Int(c.secondDropped ? 1 : 0);
    if (c.secondDropped) {
      b.Double(-98.0);
    }
  } else if (version >= 3) {
    b.Int(c.autoBaseline.present).Double(c.autoBaseline.intercept).Double(c.autoBaseline.slope);
    b.Int(c.userBaseline.present).Double(c.userBaseline.intercept).Double(c.userBaseline.slope);
  }
}

std::string Utf8(const std::u16string& s) {
  return std::string(s.begin(), s.end());
}

TableViewElem Expected(const CellSpec& c, std::int32_t version) {
  TableViewElem e = TableViewElem::Cleared();
  e.text = Utf8(c.text);
  e.value = c.value;
  e.channel = c.channel;
  e.start = c.start;
  e.end = c.end;
  e.dosePosition = c.dose;
  e.commentText = Utf8(c.comment);
  e.response = c.response;
  e.flags = c.flags;
  e.doseMarked = c.marked;
  e.responseAdded = c.added;
  if (version >= 3) {
    e.autoBaseline = c.autoBaseline;
    e.userBaseline = c.userBaseline;
  }
  return e;
}

// A matrix of three columns and six rows in which every cell differs from its neighbours, so a
// cell read one field out of step shows in the cells after it and in the state that follows.
std::vector<std::vector<CellSpec>> SampleColumns() {
  std::vector<std::vector<CellSpec>> cols(3, std::vector<CellSpec>(6));
  const char16_t* headers[3][4] = {
      {u"", u"", u"", u""}, {u"A", u"", u"", u"Dose"}, {u"B", u"Control", u"", u"0"}};
  const std::int32_t headerFlags[3][4] = {
      {0x10, 0x10, 0x10, 0x10}, {0x10, 0x110, 0x10, 0x12}, {0x10, 0x12, 0x10, 0x1a}};
  for (int c = 0; c < 3; ++c) {
    for (int r = 0; r < 4; ++r) {
      cols[c][r].text = headers[c][r];
      cols[c][r].flags = headerFlags[c][r];
    }
    for (int r = 4; r < 6; ++r) {
      CellSpec& cell = cols[c][r];
      cell.secondDropped = r == 5;
      if (c == 0) {
        cell.text = r == 4 ? u"1" : u"2";
        cell.flags = 0x20;
      } else if (c == 1) {
        cell.text = r == 4 ? u"2.5e-3" : u"10";
        cell.flags = 0x03;
        cell.comment = cell.text;
      } else {
        cell.text = u"(marked)";
        cell.value = 1.5 * r;
        cell.channel = 0;
        cell.start = TickPosition(0, 10u * r);
        cell.end = TickPosition(0, 10u * r + 5);
        cell.dose = TickPosition(0, 3u * r);
        cell.comment = u"Control";
        cell.response = -0.5 * r;
        cell.marked = true;
        cell.added = r == 4;
        cell.autoBaseline = Baseline{true, 100.0 + r, 0.25};
        cell.userBaseline = Baseline{r == 5, 99.0, -0.125};
      }
    }
  }
  return cols;
}

StreamBytes StreamOfVersion(std::int32_t version, const std::vector<std::vector<CellSpec>>& cols) {
  StreamBytes b = Testing::DefaultSettingsBytes();
  b.Int(version).Int(3).Int(6);
  for (const auto& column : cols) {
    for (const CellSpec& cell : column) {
      Emit(b, cell, version);
    }
  }
  b.Int(1).Int(4).Int(2).Int(2).Int(-2).Int(11).Int(22);  // manager state after the matrix
  return b;
}

TEST(MatrixStreamTest, EveryVersionFromZeroToFourIsRead) {
  const auto cols = SampleColumns();
  for (std::int32_t version = 0; version <= 4; ++version) {
    TestChart chart(Testing::DataRecording());
    ASSERT_EQ(Testing::LoadBytes(chart.Doc(), StreamOfVersion(version, cols).Bytes()), kOk)
        << version;
    const TableViewMatrix& m = chart.Doc().Matrix();
    ASSERT_EQ(m.ColumnCount(), 3u) << version;
    ASSERT_EQ(m.RowCount(), 6u) << version;
    for (std::uint32_t c = 0; c < 3; ++c) {
      for (std::uint32_t r = 0; r < 6; ++r) {
        TableViewElem expected = Expected(cols[c][r], version);
        if (c == kDoseColumn && r >= kFirstDoseRow) {
          expected.value = r == 4 ? 2.5e-3 : 10.0;
        }
        EXPECT_EQ(m.Cell(r, c), expected) << "version " << version << " cell " << r << "," << c;
      }
    }
    EXPECT_EQ(chart.Doc().SettingsObject().LoadedMatrixVersion(), version);
    const TableViewManagerState& state = chart.Doc().TableViewState();
    EXPECT_EQ(state.currentRow, 4) << version;
    EXPECT_EQ(state.currentColumn, 2) << version;
    EXPECT_EQ(state.columnWidths, (std::vector<std::int32_t>{11, 22})) << version;
  }
}

TEST(MatrixStreamTest, DoseValuesComeFromTheDoseTexts) {
  struct Case {
    std::u16string text;
    std::int32_t flags;
    double expected;
  };
  // Read as the fit reads a dose, so a reopened document fits the points it showed.
  const Case cases[] = {
      {u"0.001", 0x03, 0.001},       {u"1e2", 0x03, 100.0},
      {u" 1e2 ", 0x03, 0.0},         {u"+3", 0x03, 3.0},
      {u"-7.5", 0x03, -7.5},         {u"abc", 0x03, 0.0},
      {u"12 \u00b5M", 0x03, 12.0},   {u"1,000.5", 0x03, 1000.5},
      {u"0,5", 0x03, 0.5},           {u"", 0x03, 0.0},
      {u"<Enter Dose>", 0x83, 42.0},
  };
  for (const Case& c : cases) {
    auto cols = SampleColumns();
    cols[1][4].text = c.text;
    cols[1][4].flags = c.flags;
    cols[1][4].value = 42.0;
    TestChart chart(Testing::DataRecording());
    ASSERT_EQ(Testing::LoadBytes(chart.Doc(), StreamOfVersion(4, cols).Bytes()), kOk);
    EXPECT_EQ(chart.Doc().Matrix().Cell(4, 1).value, c.expected) << Utf8(c.text);
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

TEST(MatrixStreamTest, ImpossibleCountsAreRefusedBeforeAnythingIsAllocated) {
  struct Case {
    std::int64_t columns;
    std::int64_t rows;
  };
  const Case cases[] = {{-1, 5}, {3, -1}, {kMaxStreamColumns + 1, 0}, {1, kMaxStreamRows + 1}};
  for (const Case& c : cases) {
    StreamBytes b = Testing::DefaultSettingsBytes();
    b.Int(4).Int(c.columns).Int(c.rows);
    TestChart chart(Testing::DataRecording());
    EXPECT_EQ(Testing::LoadBytes(chart.Doc(), b.Bytes()), kFail);
    EXPECT_EQ(chart.Doc().SettingsObject().LastError(), kErrStreamVersion);
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
