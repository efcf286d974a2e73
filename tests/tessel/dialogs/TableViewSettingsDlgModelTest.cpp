#include "tessel/views/TableViewSettingsDlgModel.h"

#include <gtest/gtest.h>

#include "support/TestRecording.h"
#include "tessel/measure/CalcType.h"
#include "tessel/support/DialogUnits.h"

namespace Tessel {
namespace {

// A settings dialog over a copy of the settings, with the stand-in host's help behind it.
struct Dialog {
  explicit Dialog(DocumentSettings start = {})
      : settings(std::move(start)), model(settings, Ref<IHelpService>(&host->Help())) {
    model.SetWarningHandler([this] { ++warnings; });
  }
  Ref<Strata::Host> host = MakeRef<Strata::Host>(MakeRef<Strata::ScriptedMessageBox>());
  DocumentSettings settings;
  TableViewSettingsDlgModel model;
  int warnings = 0;
};

TEST(TableViewSettingsDlgModelTest, TheDefaultsOpenAsTheyAreStored) {
  Dialog d;
  const TableViewSettingsDlgModel& m = d.model;
  std::vector<std::string> texts;
  for (const CalcMethodItem& item : m.CalcMethods()) {
    EXPECT_EQ(item.type, static_cast<std::int32_t>(texts.size()));
    texts.push_back(item.text);
  }
  EXPECT_EQ(texts,
            (std::vector<std::string>{"Average", "Maximum", "Minimum", "Max-Min", "Integral"}));
  EXPECT_EQ(m.CalcMethodIndex(), 0);
  EXPECT_EQ(m.SigFigsText(), "4");
  EXPECT_FALSE(m.Scientific());
  EXPECT_FALSE(m.PerDoseBaseline().Checked());
  EXPECT_TRUE(m.PerDoseBaseline().Enabled());
  EXPECT_TRUE(m.AdvanceDown());
  EXPECT_FALSE(m.SigFigsBalloon());
  d.model.PressHelp();
  EXPECT_EQ(d.host->Help().Shown(), (std::vector<std::string>{"TesselHelp.chm::tsl_settings"}));
}

// What is typed into the significant figures, what it reads as, and whether OK takes it.
TEST(TableViewSettingsDlgModelTest, SignificantFiguresAreReadAndCheckedAsTyped) {
  struct Case {
    const char* text;
    std::int32_t read;
    bool valid;
  };
  const Case cases[] = {
      {"0", 0, false},        {"11", 11, false},        {"5x", 5, true},  {"", 0, false},
      {"x5", 0, false},       {"1", 1, true},           {"10", 10, true}, {" 5", 0, false},
      {"-3", 0, false},       {"0000000007", 0, false},  // the tenth character is never read
      {"000000007", 7, true},
  };
  const Balloon range{"Invalid Number of Significant Figures",
                      "Number of significant figures must be in the range 1 to 10.", false};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    Dialog d;
    EXPECT_EQ(TableViewSettingsDlgModel::ReadSigFigs(c.text), c.read);
    d.model.SetSigFigsText(c.text);
    EXPECT_EQ(d.model.SigFigsBalloon(), c.valid ? std::nullopt : std::optional<Balloon>(range));
    EXPECT_EQ(d.model.PressOk(), c.valid);
    EXPECT_EQ(d.warnings, c.valid ? 0 : 1);
    EXPECT_EQ(d.settings.sigFigs, c.valid ? c.read : 4);
  }
}

TEST(TableViewSettingsDlgModelTest, TheSpinStaysWithinItsRangeAndClearsTheMarker) {
  Dialog d;
  d.model.SetSigFigsText("0");
  d.model.Spin(1);
  EXPECT_EQ(d.model.SigFigsText(), "1");
  EXPECT_FALSE(d.model.SigFigsBalloon());
  d.model.Spin(20);
  EXPECT_EQ(d.model.SigFigsText(), "10");
}

// Per-dose baseline correction cannot apply to Max-Min: the box follows the method and keeps the
// user's choice meanwhile.
TEST(TableViewSettingsDlgModelTest, PerDoseBoxFollowsTheMethod) {
  struct Case {
    const char* name;
    bool stored;
    std::int32_t storedType;
    std::vector<std::int32_t> methods;  // chosen in turn (list indexes)
    bool checkAtStart;                  // the user ticks the box right after opening
    bool checked;
    bool enabled;
    bool saved;
  };
  const Case cases[] = {
      {"Max-Min clears and disables", true, kCalcAverage, {3}, false, false, false, true},
      {"Average restores the mark", true, kCalcAverage, {3, 0}, false, true, true, true},
      {"restores an unticked box too", false, kCalcAverage, {3, 4}, false, false, true, false},
      {"opens disabled on Max-Min", true, kCalcMaxMinusMin, {}, false, false, false, true},
      {"Max-Min keeps the stored value", false, kCalcMaxMinusMin, {}, false, false, false, false},
      {"a disabled box takes no tick", false, kCalcMaxMinusMin, {}, true, false, false, false},
      {"the user's tick survives Max-Min", false, kCalcMinimum, {3}, true, false, false, true},
      {"opens enabled from Max-Min", true, kCalcMaxMinusMin, {1}, false, true, true, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DocumentSettings s;
    s.perDoseBaseline = c.stored;
    s.calcType = c.storedType;
    Dialog d(s);
    if (c.checkAtStart) {
      d.model.SetPerDoseBaseline(true);
    }
    for (const std::int32_t method : c.methods) {
      d.model.SelectCalcMethod(method);
    }
    EXPECT_EQ(d.model.PerDoseBaseline().Checked(), c.checked);
    EXPECT_EQ(d.model.PerDoseBaseline().Enabled(), c.enabled);
    ASSERT_TRUE(d.model.PressOk());
    EXPECT_EQ(d.settings.perDoseBaseline, c.saved);
  }
}

TEST(TableViewSettingsDlgModelTest, OkWritesEveryFieldBack) {
  DocumentSettings stored;
  stored.calcType = 42;  // a type the list does not have: nothing selected, nothing written
  stored.calcName = "Unknown";
  Dialog d(stored);
  EXPECT_EQ(d.model.CalcMethodIndex(), -1);
  d.model.SetAdvanceDown(false);
  ASSERT_TRUE(d.model.PressOk());
  EXPECT_EQ(d.settings.calcType, 42);
  EXPECT_EQ(d.settings.calcName, "Unknown");
  d.model.SelectCalcMethod(4);
  d.model.SetScientific(true);
  d.model.SetSigFigsText("7");
  ASSERT_TRUE(d.model.PressOk());
  DocumentSettings expected = stored;
  expected.calcType = kCalcIntegral;
  expected.calcName = "Integral";
  expected.scientific = true;
  expected.sigFigs = 7;
  expected.advanceDown = false;
  EXPECT_EQ(d.settings, expected);
}

// The Win32 dialog-unit rule with its rounding, on the Settings dialog's own controls at the
// base units of an 8-point dialog font at 96 dpi.
TEST(TableViewSettingsDlgModelTest, DialogUnitsBecomePixelsAsInTheDialogsDesigner) {
  struct Case {
    std::int32_t number, numerator, denominator, result;
  };
  const Case mulDiv[] = {
      {5, 1, 2, 3}, {-5, 1, 2, -3}, {5, -1, 2, -3},
      {7, 1, 4, 2}, {1, 1, 0, -1},  {0x40000000, 4, 1, -1},  // does not fit in 32 bits
  };
  for (const Case& c : mulDiv) {
    EXPECT_EQ(Kor::MulDiv(c.number, c.numerator, c.denominator), c.result)
        << c.number << " * " << c.numerator << " / " << c.denominator;
  }
  const Kor::DialogFontUnits font{6, 13};
  EXPECT_EQ(Kor::DialogUnitsToPixels(kSettingsControls[13].rect, font),
            (Kor::DialogRect{108, 237, 75, 23}));
  EXPECT_EQ(Kor::DialogUnitsToPixels({0, 0, kSettingsDialog.width, kSettingsDialog.height}, font),
            (Kor::DialogRect{0, 0, 276, 271}));
}

}  // namespace
}  // namespace Tessel
