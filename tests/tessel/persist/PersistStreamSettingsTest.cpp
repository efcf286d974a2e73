#include "tessel/document/PersistStreamSettings.h"
#include "tessel/document/TableViewMatrixStream.h"

#include <gtest/gtest.h>

#include "PersistFixture.h"
#include "support/TestData.h"

namespace Tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Testing::StreamBytes;
using Testing::TestChart;

// The bytes of a default Document are pinned in a file; its settings section must also be what
// the fixture builds by hand, field by field.
TEST(PersistStreamSettingsTest, DefaultDocumentIsWrittenByteForByte) {
  TestChart chart(Testing::DataRecording());
  const std::string golden = Testing::DataText("persist/default-document.bin");
  const Bytes expected(golden.begin(), golden.end());
  EXPECT_EQ(Testing::SaveBytes(chart.Doc()), expected);
  const Bytes settings = Testing::DefaultSettingsBytes().Bytes();
  ASSERT_GE(expected.size(), settings.size());
  EXPECT_EQ(Bytes(expected.begin(), expected.begin() + static_cast<long>(settings.size())),
            settings);
}

TEST(PersistStreamSettingsTest, FailedWriteStillClearsFlagFourAndKeepsDirty) {
  TestChart chart(Testing::DataRecording());
  PersistStreamSettings& o = chart.Doc().SettingsObject();
  o.SetOption(kOptionSaved, true);
  o.SetDirty(true);
  auto full = MakeRef<Kor::MemoryStream>();
  full->SetCapacity(10);
  EXPECT_EQ(o.Save(full.get(), true), kFail);
  EXPECT_FALSE(o.Option(kOptionSaved));
  EXPECT_EQ(o.IsDirty(), kOk);
}

// A minimal Document section: a version-4 matrix of the default shape, no manager state.
StreamBytes& DefaultDocumentSection(StreamBytes& b) {
  TestChart chart(Testing::DataRecording());
  const Bytes all = Testing::SaveBytes(chart.Doc());
  const size_t settingsSize = Testing::DefaultSettingsBytes().Size();
  return b.Raw(Bytes(all.begin() + static_cast<long>(settingsSize), all.end()));
}

// Settings of versions 1 to 8: which of the later fields each one carries; those it lacks keep
// their defaults.
TEST(PersistStreamSettingsTest, EachVersionReadsItsOwnFields) {
  for (int version = 1; version <= 8; ++version) {
    StreamBytes b;
    b.Header().Int(version).Int(1).Int(0).Int(1).Int(0);
    b.Int(4).Int(9).Str(u"cc").Double(2.5).Double(9.0).Int(2).Str(u"Minimum");
    if (version >= 2) {
      b.Int(1).Int(1);  // F1, scientific
    }
    b.Int(1).Int(6);  // per-dose baseline, significant figures
    if (version >= 3) {
      b.Int(5);  // G
    }
    if (version >= 4) {
      b.Int(6);
      if (version >= 7) {
        b.Int(1).Int(64).Int(2).Int(-2).Int(0).Int(0x80000000u);
      } else {
        b.Int(0x0Cu);
      }
      b.Int(1).Int(0).Int(1).Int(0);
    }
    if (version >= 5) {
      b.Int(7).Int(2);
    }
    if (version >= 6) {
      b.Pos(1, 2).Pos(3, 4);
    }
    if (version >= 8) {
      b.Int(0);
    }
    DefaultDocumentSection(b);
    TestChart chart(Testing::DataRecording());
    ASSERT_EQ(Testing::LoadBytes(chart.Doc(), b.Bytes()), kOk) << version;
    const DocumentSettings& s = chart.Doc().Settings();
    DocumentSettings expected;
    expected.autoChannel = 4;
    expected.b = 9;
    expected.c = "cc";
    expected.startOffset = 2.5;
    expected.stopOffset = 9.0;
    expected.calcType = 2;
    expected.calcName = "Minimum";
    expected.f1 = expected.scientific = version >= 2;
    expected.perDoseBaseline = true;
    expected.sigFigs = 6;
    expected.g = version >= 3 ? 5 : -2;
    expected.h = version >= 4 ? 6 : 0;
    if (version >= 7) {
      expected.graphSet = GraphSet(64);
      expected.graphSet.set(63);
    } else if (version >= 4) {
      expected.graphSet = GraphSet(32, 0x0Cu);
    }
    expected.bottomToZero = expected.fixHill = version >= 4;
    expected.showLegend = version < 4;
    expected.currentRow = version >= 5 ? 7 : -1;
    expected.currentColumn = version >= 5 ? 2 : -1;
    expected.advanceDown = version < 8;
    EXPECT_EQ(s, expected) << version;
    EXPECT_EQ(chart.Doc().SelectionToRestore()[1],
              version >= 6 ? TickPosition(3, 4) : TickPosition())
        << version;
    EXPECT_TRUE(chart.Doc().SettingsObject().Option(1) && chart.Doc().SettingsObject().Option(3));
    EXPECT_EQ(chart.Doc().Matrix(), TableViewMatrix(nullptr)) << version;
  }
}

TEST(PersistStreamSettingsTest, StreamWithoutHeaderIsLevelOneWithAnsiStrings) {
  StreamBytes b;
  b.Int(2).Int(0).Int(0).Int(0).Int(0);
  b.Int(-2).Int(0).Ansi({}).Double(1.0).Double(5.0).Int(0).Ansi({'M', 0xE9, 'a', 'n'});
  b.Int(0).Int(0).Int(0).Int(4);
  // Its matrix: version 1, one column of one cell, strings byte-counted too.
  b.Int(1).Int(1).Int(1);
  b.Ansi({'x', 0x80}).Double(0.0).Int(-1).Pos(0, 0).Pos(0, 0).Pos(0, 0).Ansi({}).Double(0.0);
  b.Int(0x20).Int(0).Int(0);
  TestChart chart(Testing::DataRecording());
  ASSERT_EQ(Testing::LoadBytes(chart.Doc(), b.Bytes()), kOk);
  EXPECT_EQ(chart.Doc().SettingsObject().LoadedFormatLevel(), 1);
  EXPECT_EQ(chart.Doc().Settings().calcName,
            "M\xC3\xA9"
            "an");
  ASSERT_EQ(chart.Doc().Matrix().ColumnCount(), 1u);
  EXPECT_EQ(chart.Doc().Matrix().Cell(0, 0).text, "x\xE2\x82\xAC");
}

TEST(PersistStreamSettingsTest, UnreadableStreamsFailAndChangeNothing) {
  TestChart source(Testing::DataRecording());
  Testing::FillEverything(source.Doc());
  const Bytes good = Testing::SaveBytes(source.Doc());
  // Where things are in that stream. String C ("reserved é", 10 units) follows the header, the
  // version, four flags, the auto channel and B; the graph set follows C, two offsets, the
  // calculation type, the name "Max-Min", three flags, significant figures, G and H.
  const size_t cAt = 4 + 4 + 16 + 8;
  const size_t graphAt = cAt + (12 + 20) + 16 + 4 + (12 + 14) + 12 + 12;
  // The settings section alone, as a settings object without a Document writes it.
  auto alone = MakeRef<PersistStreamSettings>(nullptr);
  alone->Settings() = source.Doc().Settings();
  auto scratch = MakeRef<Kor::MemoryStream>();
  alone->Save(scratch.get(), false);
  const size_t matrixAt = scratch->Bytes().size();
  const size_t stateAt = good.size() - 9 * 4;  // version, cell, count, check, four widths

  auto patched = [&](size_t at, std::int64_t value) {
    Bytes b = good;
    for (size_t i = 0; i < 4; ++i) {
      b[at + i] = static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) >> (8 * i));
    }
    return b;
  };
  struct Case {
    const char* what;
    Bytes bytes;
    std::uint32_t code;
  };
  const Case cases[] = {
      {"settings version 9", patched(4, 9), kErrStreamVersion},
      {"negative settings version", patched(4, -1), kErrStreamVersion},
      {"string check word", patched(cAt + 8, 5), kErrStringFormat},
      {"graph set form 2", patched(graphAt, 2), kErrStreamVersion},
      {"graph set check word", patched(graphAt + 12, -1), kErrStringFormat},
      {"matrix version 5", patched(matrixAt, 5), kErrStreamVersion},
      // Impossible counts are refused before anything is allocated.
      {"negative column count", patched(matrixAt + 4, -3), kErrStreamVersion},
      {"negative row count", patched(matrixAt + 8, -1), kErrStreamVersion},
      {"too many columns", patched(matrixAt + 4, kMaxStreamColumns + 1), kErrStreamVersion},
      {"too many rows", patched(matrixAt + 8, kMaxStreamRows + 1), kErrStreamVersion},
      {"cell text check word", patched(matrixAt + 12 + 8, 7), kErrStringFormat},
      {"table view state version 2", patched(stateAt, 2), kErrStreamVersion},
      {"column width check word", patched(stateAt + 16, 4), kErrStringFormat},
  };
  for (const Case& c : cases) {
    TestChart chart(Testing::DataRecording());
    chart.Doc().Settings().sigFigs = 9;
    chart.Doc().Matrix().AppendRow();
    chart.Doc().SetSelectionToRestore(TickPosition(9, 9), TickPosition(9, 10));
    const Bytes before = Testing::SaveBytes(chart.Doc());
    EXPECT_EQ(Testing::LoadBytes(chart.Doc(), c.bytes), kFail) << c.what;
    EXPECT_EQ(chart.Doc().SettingsObject().LastError(), c.code) << c.what;
    EXPECT_EQ(Testing::SaveBytes(chart.Doc()), before) << c.what;
    EXPECT_EQ(chart.Doc().Matrix().RowCount(), 6u) << c.what;
    EXPECT_FALSE(chart.Doc().SettingsRead()) << c.what;
    EXPECT_FALSE(chart.Doc().SettingsObject().Loading()) << c.what;
    EXPECT_EQ(chart.Doc().SelectionToRestore()[0], TickPosition(9, 9)) << c.what;
  }
}

}  // namespace
}  // namespace Tessel
