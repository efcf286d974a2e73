#include <gtest/gtest.h>

#include <functional>

#include "PersistFixture.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

using Bytes = std::vector<std::uint8_t>;
using Testing::TestChart;

// One field of the stream: its size in bytes and whether the loaded Document holds the saved
// value (reached) or still the value it had before the load.
struct Field {
  const char* name;
  size_t size;
  std::function<bool(const Document& loaded, const Document& reference)> same;
};

template <class Get>
Field F(const char* name, size_t size, Get get) {
  return Field{name, size,
               [get](const Document& a, const Document& b) { return get(a) == get(b); }};
}

std::vector<Field> SettingsFields() {
  auto s = [](auto member) { return [member](const Document& d) { return d.Settings().*member; }; };
  auto option = [](int n) {
    return [n](const Document& d) { return const_cast<Document&>(d).SettingsObject().Option(n); };
  };
  using S = DocumentSettings;
  // Named as the reader names them when the stream ends inside them.
  return {
      F("flags", 4, option(1)),
      F("flags", 4, option(2)),
      F("flags", 4, option(3)),
      F("flags", 4, option(4)),
      F("autoChannel", 4, s(&S::autoChannel)),
      F("b", 4, s(&S::b)),
      F("c", 12 + 2 * 10, s(&S::c)),
      F("startOffset", 8, s(&S::startOffset)),
      F("stopOffset", 8, s(&S::stopOffset)),
      F("calcType", 4, s(&S::calcType)),
      F("calcName", 12 + 2 * 7, s(&S::calcName)),
      F("f1", 4, s(&S::f1)),
      F("scientific", 4, s(&S::scientific)),
      F("perDoseBaseline", 4, s(&S::perDoseBaseline)),
      F("sigFigs", 4, s(&S::sigFigs)),
      F("g", 4, s(&S::g)),
      F("h", 4, s(&S::h)),
      F("graphSet", 16 + 2 * 4, s(&S::graphSet)),
      F("bottomToZero", 4, s(&S::bottomToZero)),
      F("normalize", 4, s(&S::normalize)),
      F("fixHill", 4, s(&S::fixHill)),
      F("showLegend", 4, s(&S::showLegend)),
      F("currentRow", 4, s(&S::currentRow)),
      F("currentColumn", 4, s(&S::currentColumn)),
      F("restoreSelection", 8, [](const Document& d) { return d.SelectionToRestore()[0]; }),
      F("restoreSelection", 8, [](const Document& d) { return d.SelectionToRestore()[1]; }),
      F("advanceDown", 4, s(&S::advanceDown)),
  };
}

// The bytes one cell takes in the matrix stream, version 4.
size_t CellSize(const TableViewElem& e) {
  const size_t strings =
      12 + 2 * Kor::ToUtf16(e.text).size() + 12 + 2 * Kor::ToUtf16(e.commentText).size();
  return strings + 8 + 4 + 3 * 8 + 8 + 4 + 2 * 4 + 2 * 20;
}

// Cut a real stream after every byte: the load succeeds, every field wholly before the cut has
// its saved value, every other field its value from before the load, a matrix cut inside its
// cells keeps the cells before the cut with reset cells after it, and the load tells after how
// many bytes and inside which field the stream ended.
TEST(TruncatedStreamTest, EveryPrefixLoadsWhatItHoldsAndNothingElse) {
  TestChart saved(Testing::DataRecording());
  Testing::FillEverything(saved.Doc());
  saved.Doc().SettingsObject().SetOption(kOptionSaved, true);
  const Bytes good = Testing::SaveBytes(saved.Doc());
  saved.Doc().SettingsObject().SetOption(kOptionSaved, true);  // as written
  saved.Doc().SetSelectionToRestore(saved.Doc().SelectionStart(), saved.Doc().SelectionEnd());
  TestChart fresh(Testing::DataRecording());
  const TableViewMatrix& want = saved.Doc().Matrix();

  const size_t stateSize = 9 * 4;
  const size_t stateAt = good.size() - stateSize;
  const std::vector<Field> fields = SettingsFields();
  size_t settingsEnd = 8;
  for (const Field& f : fields) {
    settingsEnd += f.size;
  }
  // Where each cell ends, columns outer as written, after the version and the two counts.
  std::vector<size_t> cellEnds;
  size_t at = settingsEnd + 12;
  for (std::uint32_t c = 0; c < want.ColumnCount(); ++c) {
    for (std::uint32_t r = 0; r < want.RowCount(); ++r) {
      at += CellSize(want.Cell(r, c));
      cellEnds.push_back(at);
    }
  }
  ASSERT_EQ(at, stateAt);

  for (size_t cut = 0; cut < good.size(); ++cut) {
    TestChart chart(Testing::DataRecording());
    const Bytes prefix(good.begin(), good.begin() + static_cast<long>(cut));
    ASSERT_EQ(Testing::LoadBytes(chart.Doc(), prefix), kOk) << cut;
    const Document& loaded = chart.Doc();
    const PersistStreamSettings& o = chart.Doc().SettingsObject();
    EXPECT_TRUE(loaded.SettingsRead()) << cut;
    EXPECT_EQ(o.LoadedFormatLevel(), cut >= 4 ? 20 : 1) << cut;
    EXPECT_EQ(o.LoadedVersion(), cut >= 8 ? 8 : 0) << cut;
    size_t end = 8;
    std::string cutField;  // the settings field the cut falls in
    for (const Field& f : fields) {
      end += f.size;
      cutField = cutField.empty() && cut >= 8 && cut < end ? f.name : cutField;
      const Document& reference = cut >= end ? saved.Doc() : fresh.Doc();
      EXPECT_TRUE(f.same(loaded, reference)) << f.name << " with the stream cut at " << cut;
    }
    EXPECT_TRUE(o.LoadedEnd().early) << cut;
    EXPECT_EQ(o.LoadedEnd().after, cut);
    const std::string field = o.LoadedEnd().field;
    if (cut < 4) {
      EXPECT_EQ(field, "header");
    } else if (cut < 8) {
      EXPECT_EQ(field, "settingsVersion");
    } else if (cut < settingsEnd) {
      EXPECT_EQ(field, cutField) << cut;
    }

    const TableViewMatrix& m = loaded.Matrix();
    if (cut < settingsEnd + 12) {
      EXPECT_TRUE(m == TableViewMatrix(nullptr)) << cut;
    } else {
      ASSERT_EQ(m.ColumnCount(), want.ColumnCount()) << cut;
      ASSERT_EQ(m.RowCount(), want.RowCount()) << cut;
      for (std::uint32_t c = 0; c < want.ColumnCount(); ++c) {
        for (std::uint32_t r = 0; r < want.RowCount(); ++r) {
          const size_t k = c * want.RowCount() + r;
          const size_t cellStart = k == 0 ? settingsEnd + 12 : cellEnds[k - 1];
          if (cut >= cellEnds[k]) {
            EXPECT_EQ(m.Cell(r, c), want.Cell(r, c)) << r << "," << c << " cut at " << cut;
          } else if (cut <= cellStart) {
            EXPECT_EQ(m.Cell(r, c), TableViewElem::Cleared()) << r << "," << c << " cut " << cut;
          } else {
            const std::string name = "cell " + std::to_string(r + 1) + "," + std::to_string(c + 1);
            EXPECT_EQ(field.rfind(name + " ", 0), 0u) << field << " cut at " << cut;
          }
        }
      }
    }
    const TableViewManagerState& state = loaded.TableViewState();
    const TableViewManagerState& wantState = saved.Doc().TableViewState();
    EXPECT_EQ(state.currentRow, cut >= stateAt + 8 ? wantState.currentRow : -1) << cut;
    EXPECT_EQ(state.currentColumn, cut >= stateAt + 12 ? wantState.currentColumn : -1) << cut;
    EXPECT_EQ(state.columnWidths.size(), cut >= good.size() ? 4u : 0u) << cut;
  }
  // The whole stream: everything comes back, and the loaded state is clean.
  TestChart whole(Testing::DataRecording());
  ASSERT_EQ(Testing::LoadBytes(whole.Doc(), good), kOk);
  EXPECT_FALSE(whole.Doc().SettingsObject().LoadedEnd().early);
  EXPECT_EQ(whole.Doc().Settings(), saved.Doc().Settings());
  EXPECT_EQ(whole.Doc().Matrix(), saved.Doc().Matrix());
  EXPECT_EQ(whole.Doc().TableViewState(), saved.Doc().TableViewState());
  EXPECT_EQ(whole.Doc().SettingsObject().IsDirty(), kFalse);
}

}  // namespace
}  // namespace Tessel
