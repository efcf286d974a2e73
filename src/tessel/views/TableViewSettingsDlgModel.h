#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "tessel/document/DocumentSettings.h"
#include "tessel/host/IHelpService.h"
#include "tessel/host/Ref.h"
#include "tessel/views/Balloon.h"
#include "tessel/views/DialogLayout.h"

namespace Tessel {

// The controls of the "Tessel Settings" dialog by identifier.
enum SettingsControlId : std::int32_t {
  kIdSettingsOk = 1,
  kIdSettingsCancel = 2,
  kIdPerDoseBaseline = 1075,
  kIdScientific = 1076,
  kIdSigFigsSpin = 1084,
  kIdSettingsHelp = 1164,
  kIdSigFigsMarker = 1168,
  kIdCalcMethod = 1182,
  kIdSettingsGroup = 1186,
  kIdCalcMethodLabel = 1188,
  kIdSigFigsLabel = 1190,
  kIdSigFigs = 1193,
  kIdAdvanceDown = 1207,
  kIdAdvanceAcross = 1208,
};

inline constexpr std::array<ControlTemplate, 15> kSettingsControls = {{
    {kIdSettingsGroup, ControlKind::kGroupBox, "Table View options", {8, 8, 168, 130}},
    {kIdCalcMethodLabel, ControlKind::kLabel, "&Calculation method:", {18, 18, 66, 12}},
    // The height is that of the opened list.
    {kIdCalcMethod, ControlKind::kDropDownList, "", {90, 18, 72, 504}},
    {kIdSigFigsLabel, ControlKind::kLabel, "Significant &figures:", {18, 36, 66, 12}},
    {kIdSigFigs, ControlKind::kEditBox, "", {90, 36, 30, 12}},
    {kIdSigFigsSpin, ControlKind::kUpDown, "", {120, 36, 11, 12}},
    {kIdSigFigsMarker, ControlKind::kErrorMarker, "", {138, 39, 8, 7}},
    {kIdScientific,
     ControlKind::kCheckBox,
     "&Use scientific notation for numbers",
     {18, 54, 144, 12}},
    {kIdPerDoseBaseline,
     ControlKind::kCheckBox,
     "&Per-dose baseline correction",
     {18, 72, 108, 12}},
    {kNoControlId, ControlKind::kLabel, "After mark/add advance", {18, 92, 85, 8}},
    {kIdAdvanceDown, ControlKind::kRadioButton, "D&own (next dose)", {29, 105, 73, 10}},
    {kIdAdvanceAcross, ControlKind::kRadioButton, "Acro&ss (next channel)", {29, 120, 86, 10}},
    {kIdSettingsHelp,
     ControlKind::kHelpButton,
     "",
     {8, 146, 18, 14},
     "Display help on the Tessel Settings dialog"},
    {kIdSettingsOk, ControlKind::kDefaultButton, "OK", {72, 146, 50, 14}},
    {kIdSettingsCancel, ControlKind::kPushButton, "Cancel", {126, 146, 50, 14}},
}};

inline constexpr DialogTemplate kSettingsDialog = {0,   "Tessel Settings", "MS Shell Dlg", 8, 184,
                                                   167, kSettingsControls};

// The dialog that refuses OK while a setting is invalid. Only the texts' left and top are fixed;
// their widths and heights are those of one line of the dialog font up to the marker or the edge.
inline constexpr std::array<ControlTemplate, 6> kSettingsWarningControls = {{
    {1165, ControlKind::kWarningIcon, "", {8, 8, 21, 20}},
    {kNoControlId,
     ControlKind::kLabel,
     "One or more settings are invalid and need correcting.",
     {48, 8, 196, 8}},
    {kNoControlId, ControlKind::kLabel, "The invalid settings are marked with a", {48, 19, 122, 8}},
    {1166, ControlKind::kErrorMarker, "", {172, 19, 8, 7}},
    {kNoControlId,
     ControlKind::kLabel,
     "Please correct these settings before continuing.",
     {48, 30, 196, 8}},
    {1, ControlKind::kDefaultButton, "OK", {100, 46, 50, 14}},
}};

inline constexpr DialogTemplate kSettingsWarningDialog = {157, "Tessel", "MS Shell Dlg",          8,
                                                          252, 68,       kSettingsWarningControls};

inline constexpr const char* kSettingsHelpTopic = "tsl_settings";
inline constexpr std::int32_t kMinSigFigs = 1;
inline constexpr std::int32_t kMaxSigFigs = 10;
inline constexpr const char* kSigFigsBalloonTitle = "Invalid Number of Significant Figures";
inline constexpr const char* kSigFigsBalloonText =
    "Number of significant figures must be in the range %1 to %2.";

// The per-dose baseline check box: besides its check mark it knows whether the chosen method
// can be corrected at all, and keeps the user's choice while it cannot.
class BaselineCheckbox {
 public:
  BaselineCheckbox(bool value, bool applicable);

  // Not applicable: unchecked and disabled, the check mark remembered; applicable again: the
  // remembered mark back.
  void SetApplicable(bool applicable);
  void SetChecked(bool checked);

  bool Checked() const { return checked_; }
  bool Enabled() const { return applicable_; }
  // What is saved: the check mark, or the remembered one while the box does not apply.
  bool Value() const { return applicable_ ? checked_ : remembered_; }

 private:
  bool checked_;
  bool applicable_;
  bool remembered_;
};

// One item of the calculation method list.
struct CalcMethodItem {
  std::string text;
  std::int32_t type;  // ECalcType
};

// Everything the "Tessel Settings" dialog decides, without the dialog: the controls' values
// read from a copy of the settings, the per-dose rule, the check of the significant figures as
// the user types, OK (refused while invalid) and Help. The Qt dialog lays itself out from
// kSettingsDialog, shows these values and forwards the user's changes.
class TableViewSettingsDlgModel {
 public:
  // Edits settings, which OK writes into. Help goes to the host's help service, when it has one.
  TableViewSettingsDlgModel(DocumentSettings& settings, Ref<IHelpService> help);

  // "Average", "Maximum", "Minimum", "Max-Min", "Integral", each with its ECalcType.
  static const std::array<CalcMethodItem, 5>& CalcMethods();
  // The selected item; -1 when the settings hold a type the list does not have.
  std::int32_t CalcMethodIndex() const { return calcIndex_; }
  void SelectCalcMethod(std::int32_t index);

  bool Scientific() const { return scientific_; }
  void SetScientific(bool on) { scientific_ = on; }

  const BaselineCheckbox& PerDoseBaseline() const { return perDose_; }
  void SetPerDoseBaseline(bool checked) { perDose_.SetChecked(checked); }

  const std::string& SigFigsText() const { return sigFigsText_; }
  // The edit text changed: checked at once, the marker shown or hidden.
  void SetSigFigsText(std::string text);
  // The up-down control moved the value by steps, within its range.
  void Spin(std::int32_t steps);
  // The marker beside the field and its balloon; none while the field is valid.
  const std::optional<Balloon>& SigFigsBalloon() const { return balloon_; }

  bool AdvanceDown() const { return advanceDown_; }
  void SetAdvanceDown(bool down) { advanceDown_ = down; }

  // OK: with valid significant figures every field is written back and true returned (the
  // dialog closes); otherwise the warning dialog is shown (kSettingsWarningDialog, through the
  // handler) and false returned, the settings untouched.
  bool PressOk();
  bool Accepted() const { return accepted_; }
  void SetWarningHandler(std::function<void()> show) { showWarning_ = std::move(show); }

  // The Help button and F1: the dialog's topic in the module's help file.
  void PressHelp();

  // The edit text as a number: at most its first nine characters, their leading decimal digits;
  // 0 when it does not start with one.
  static std::int32_t ReadSigFigs(std::string_view text);

 private:
  void Validate();

  DocumentSettings& settings_;
  Ref<IHelpService> help_;
  std::int32_t calcIndex_ = -1;
  bool scientific_ = false;
  BaselineCheckbox perDose_;
  std::string sigFigsText_;
  std::optional<Balloon> balloon_;
  bool advanceDown_ = true;
  bool accepted_ = false;
  std::function<void()> showWarning_;
};

}  // namespace Tessel
