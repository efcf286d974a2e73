#pragma once

#include <cmath>
#include <vector>

#include "StreamBytes.h"
#include "support/TestRecording.h"
#include "tessel/document/Document.h"
#include "tessel/support/MemoryStream.h"

namespace Testing {

// A recording with data, so that loading keeps the responses.
inline Strata::Recording DataRecording() {
  return RecordingBuilder()
      .Block(0.01, 1000)
      .Channel("Pressure", "mmHg", [](double t) { return 100.0 + 10.0 * std::sin(t); })
      .Build();
}

inline std::vector<std::uint8_t> SaveBytes(Tessel::Document& doc) {
  auto stream = Tessel::MakeRef<Kor::MemoryStream>();
  EXPECT_EQ(doc.SettingsObject().Save(stream.get(), true), Tessel::kOk);
  return stream->Bytes();
}

inline Tessel::Status LoadBytes(Tessel::Document& doc, const std::vector<std::uint8_t>& bytes) {
  auto stream = Tessel::MakeRef<Kor::MemoryStream>(bytes);
  return doc.SettingsObject().Load(stream.get());
}

// Gives every persisted field of the Document a value other than its default.
inline void FillEverything(Tessel::Document& doc) {
  using namespace Tessel;
  DocumentSettings& s = doc.Settings();
  s.autoChannel = 3;
  s.b = -17;
  s.c = "reserved \xC3\xA9";
  s.startOffset = 0.25;
  s.stopOffset = 12.5;
  s.calcType = 3;
  s.calcName = "Max-Min";
  s.f1 = true;
  s.scientific = true;
  s.perDoseBaseline = true;
  s.sigFigs = 7;
  s.advanceDown = false;
  s.g = 2;
  s.h = 1;
  s.graphSet = GraphSet(40);
  s.graphSet.set(1).set(39);
  s.bottomToZero = true;
  s.normalize = true;
  s.fixHill = true;
  s.showLegend = false;
  s.currentRow = 5;
  s.currentColumn = 3;
  PersistStreamSettings& o = doc.SettingsObject();
  o.SetOption(1, true);
  o.SetOption(3, true);
  doc.SetSelection(TickPosition(1, 20), TickPosition(2, 0x7FFFFFF0));

  TableViewMatrix& m = doc.Matrix();
  m.AppendRow();
  m.InsertColumn(3, m.NewRunColumn(3));
  m.Cell(kRowLabel, 2).text = "Control";
  m.Cell(kRowLabel, 2).commentText = "Control";
  m.Cell(kRowLabel, 2).flags = 0x12;
  m.Cell(kRowChannel, 2).text = "0";
  m.Cell(kRowChannel, 2).flags = kFlagsRunChannelSet;
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    TableViewElem& dose = m.Cell(r, kDoseColumn);
    dose.text = r == kFirstDoseRow ? "0.001" : "1e-2";
    dose.value = r == kFirstDoseRow ? 0.001 : 0.01;
    dose.flags = 0x03;
    dose.commentText = dose.text;
    for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
      TableViewElem& cell = m.Cell(r, c);
      cell.text = "(marked)";
      cell.value = 1.5 * r + c;
      cell.channel = 0;
      cell.start = TickPosition(0, 100 * r + c);
      cell.end = TickPosition(0, 100 * r + c + 50);
      cell.dosePosition = TickPosition(0, 100 * r);
      cell.commentText = "c" + std::to_string(c);
      cell.response = -3.25 * r - c;
      cell.autoBaseline = Baseline{true, 98.5 + r, -0.125 * c};
      cell.userBaseline = Baseline{c == 3, 0.5 * r, 0.25 * c};
      cell.flags = 0x41;
      cell.doseMarked = true;
      cell.responseAdded = c == 2;
    }
  }
  doc.TableViewState().currentRow = 4;
  doc.TableViewState().currentColumn = 2;
  doc.TableViewState().columnWidths = {40, 80, 120, 95};
}

// The settings section of a default Document, by hand.
inline StreamBytes DefaultSettingsBytes() {
  StreamBytes b;
  b.Header().Int(8);
  b.Int(0).Int(0).Int(0).Int(0);
  b.Int(-2).Int(0).Str(u"").Double(1.0).Double(5.0).Int(0).Str(u"Average");
  b.Int(0).Int(0).Int(0).Int(4).Int(-2).Int(0);
  b.Int(1).Int(32).Int(1).Int(-1).Int(1);  // graph set: bit 0
  b.Int(0).Int(0).Int(0).Int(1).Int(-1).Int(-1);
  b.Pos(0, 0).Pos(0, 0).Int(1);
  return b;
}

}  // namespace Testing
