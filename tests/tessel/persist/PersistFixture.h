#pragma once

#include <cmath>
#include <vector>

#include "StreamBytes.h"
#include "support/TestData.h"
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

// A cell of a matrix file under tests/data/persist and where it stands.
struct PlacedCell {
  std::uint32_t column, row;
  Tessel::TableViewElem cell;
};

// The cells of a matrix file, in its order: column | row | text | flags | value | channel | start,
// end and dose tick | comment | response | marked | added | the two baselines.
inline std::vector<PlacedCell> CellsOf(const std::string& file) {
  std::vector<PlacedCell> cells;
  for (const DataRow& row : DataTable(file)) {
    const std::vector<double> ticks = row.Numbers(6);
    auto tick = [&](size_t i) { return TickPosition(0, static_cast<std::uint32_t>(ticks.at(i))); };
    auto baseline = [&](size_t i) {
      const std::vector<double> b = row.Numbers(i);
      return Tessel::Baseline{b.at(0) != 0, b.at(1), b.at(2)};
    };
    // The cell's fields in their order.
    const Tessel::TableViewElem e{
        row[2],        row.Number(4), row.Int(5),   tick(0),    tick(1),     tick(2),     row[7],
        row.Number(8), baseline(11),  baseline(12), row.Int(3), row.Flag(9), row.Flag(10)};
    cells.push_back(
        {static_cast<std::uint32_t>(row.Int(0)), static_cast<std::uint32_t>(row.Int(1)), e});
  }
  return cells;
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
  for (const PlacedCell& c : CellsOf("persist/filled-cells.txt")) {
    m.Cell(c.row, c.column) = c.cell;
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
