#include <gtest/gtest.h>

#include <functional>

#include "PersistFixture.h"

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
  return {
      F("option 1", 4, option(1)),
      F("option 2", 4, option(2)),
      F("option 3", 4, option(3)),
      F("option 4", 4, option(4)),
      F("auto channel", 4, s(&S::autoChannel)),
      F("B", 4, s(&S::b)),
      F("C", 12 + 2 * 10, s(&S::c)),
      F("start offset", 8, s(&S::startOffset)),
      F("stop offset", 8, s(&S::stopOffset)),
      F("calculation type", 4, s(&S::calcType)),
      F("calculation name", 12 + 2 * 7, s(&S::calcName)),
      F("F1", 4, s(&S::f1)),
      F("scientific", 4, s(&S::scientific)),
      F("per-dose baseline", 4, s(&S::perDoseBaseline)),
      F("significant figures", 4, s(&S::sigFigs)),
      F("G", 4, s(&S::g)),
      F("H", 4, s(&S::h)),
      F("graph set", 16 + 2 * 4, s(&S::graphSet)),
      F("bottom to zero", 4, s(&S::bottomToZero)),
      F("normalize", 4, s(&S::normalize)),
      F("fix Hill", 4, s(&S::fixHill)),
      F("show legend", 4, s(&S::showLegend)),
      F("current row", 4, s(&S::currentRow)),
      F("current column", 4, s(&S::currentColumn)),
      F("restore start", 8, [](const Document& d) { return d.SelectionToRestore()[0]; }),
      F("restore end", 8, [](const Document& d) { return d.SelectionToRestore()[1]; }),
      F("advance down", 4, s(&S::advanceDown)),
  };
}

// Cut a real stream after every byte: the load succeeds, every field wholly before the cut has
// its saved value, every other field its value from before the load, and a matrix that was cut
// leaves the default matrix rather than a partial one.
TEST(TruncatedStreamTest, EveryPrefixLoadsWhatItHoldsAndNothingElse) {
  TestChart saved(Testing::DataRecording());
  Testing::FillEverything(saved.Doc());
  saved.Doc().SettingsObject().SetOption(kOptionSaved, true);
  const Bytes good = Testing::SaveBytes(saved.Doc());
  saved.Doc().SettingsObject().SetOption(kOptionSaved, true);  // as written
  saved.Doc().SetSelectionToRestore(saved.Doc().SelectionStart(), saved.Doc().SelectionEnd());
  TestChart fresh(Testing::DataRecording());

  const size_t stateSize = 9 * 4;
  const size_t stateAt = good.size() - stateSize;
  const std::vector<Field> fields = SettingsFields();
  size_t settingsEnd = 8;
  for (const Field& f : fields) {
    settingsEnd += f.size;
  }
  ASSERT_LT(settingsEnd, stateAt);

  for (size_t cut = 0; cut < good.size(); ++cut) {
    TestChart chart(Testing::DataRecording());
    const Bytes prefix(good.begin(), good.begin() + static_cast<long>(cut));
    ASSERT_EQ(Testing::LoadBytes(chart.Doc(), prefix), kOk) << cut;
    const Document& loaded = chart.Doc();
    EXPECT_TRUE(loaded.SettingsRead()) << cut;
    EXPECT_EQ(chart.Doc().SettingsObject().LoadedFormatLevel(), cut >= 4 ? 20 : 1) << cut;
    EXPECT_EQ(chart.Doc().SettingsObject().LoadedVersion(), cut >= 8 ? 8 : 0) << cut;
    size_t end = 8;
    for (const Field& f : fields) {
      end += f.size;
      const Document& reference = cut >= end ? saved.Doc() : fresh.Doc();
      EXPECT_TRUE(f.same(loaded, reference)) << f.name << " with the stream cut at " << cut;
    }
    const bool matrixWhole = cut >= stateAt;
    const TableViewMatrix defaults(nullptr);
    EXPECT_TRUE(loaded.Matrix() == (matrixWhole ? saved.Doc().Matrix() : defaults)) << cut;
    const TableViewManagerState& state = loaded.TableViewState();
    const TableViewManagerState& want = saved.Doc().TableViewState();
    EXPECT_EQ(state.currentRow, cut >= stateAt + 8 ? want.currentRow : -1) << cut;
    EXPECT_EQ(state.currentColumn, cut >= stateAt + 12 ? want.currentColumn : -1) << cut;
    EXPECT_EQ(state.columnWidths.size(), cut >= good.size() ? 4u : 0u) << cut;
  }
}

}  // namespace
}  // namespace Tessel
