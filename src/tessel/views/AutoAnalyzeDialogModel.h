#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tessel/host/IChartComment.h"
#include "tessel/host/IChartDocument.h"
#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/views/Balloon.h"
#include "tessel/views/DialogLayout.h"

namespace Tessel {

class Document;

inline constexpr const char* kAnyChannelEntry = "Any channel except \"All\"";
inline constexpr double kOffsetLimit = 3600.0;
inline constexpr const char* kAutoAnalyzeHelpTopic = "tsl_autoanalyze";

// The controls of the "Auto-Analyze Selection" dialog by identifier.
enum AutoAnalyzeControlId : std::int32_t {
  kIdAnalyze = 1,
  kIdAutoCancel = 2,
  kIdAutoHelp = 1164,
  kIdAutoChannel = 1301,
  kIdAutoColumn = 1302,
  kIdFoundText = 1303,
  kIdFoundMarker = 1304,
  kIdStartOffset = 1305,
  kIdStartMarker = 1306,
  kIdStopOffset = 1307,
  kIdStopMarker = 1308,
};

inline constexpr std::array<ControlTemplate, 19> kAutoAnalyzeControls = {{
    {kNoControlId, ControlKind::kGroupBox, "Dose comment selection", {7, 7, 270, 52}},
    {kNoControlId, ControlKind::kLabel, "&Channel:", {15, 22, 36, 8}},
    // The height is that of the opened list.
    {kIdAutoChannel, ControlKind::kDropDownList, "", {54, 20, 118, 120}},
    {kNoControlId, ControlKind::kLabel, "Column:", {182, 22, 30, 8}},
    {kIdAutoColumn, ControlKind::kReadOnlyText, "", {214, 20, 54, 12}},
    {kIdFoundMarker, ControlKind::kErrorMarker, "", {15, 41, 8, 7}},
    {kIdFoundText, ControlKind::kLabel, "", {27, 40, 241, 8}},
    {kNoControlId, ControlKind::kGroupBox, "Analysis time range", {7, 64, 270, 54}},
    {kNoControlId, ControlKind::kLabel, "&Start analysis:", {15, 80, 56, 8}},
    {kIdStartOffset, ControlKind::kEditBox, "", {74, 78, 44, 12}},
    {kNoControlId, ControlKind::kLabel, "s  after each dose comment", {122, 80, 104, 8}},
    {kIdStartMarker, ControlKind::kErrorMarker, "", {230, 81, 8, 7}},
    {kNoControlId, ControlKind::kLabel, "Stop &analysis:", {15, 99, 56, 8}},
    {kIdStopOffset, ControlKind::kEditBox, "", {74, 97, 44, 12}},
    {kNoControlId, ControlKind::kLabel, "s  after each dose comment", {122, 99, 104, 8}},
    {kIdStopMarker, ControlKind::kErrorMarker, "", {230, 100, 8, 7}},
    {kIdAutoHelp,
     ControlKind::kHelpButton,
     "",
     {7, 124, 18, 14},
     "Display help on the Auto-Analyze Selection dialog"},
    {kIdAnalyze, ControlKind::kDefaultButton, "Analyze", {173, 124, 50, 14}},
    {kIdAutoCancel, ControlKind::kPushButton, "Cancel", {227, 124, 50, 14}},
}};

inline constexpr DialogTemplate kAutoAnalyzeDialog = {
    0, "Auto-Analyze Selection", "MS Shell Dlg", 8, 284, 144, kAutoAnalyzeControls};

// The offset field a check is about.
enum class OffsetField { kStart, kStop };

// A refused or doubtful offset: the field whose marker and balloon show it.
struct OffsetCheck {
  OffsetField field;
  Balloon balloon;
};

// Everything the "Auto-Analyze Selection" dialog decides, without the dialog: the channel
// choice, the dose comments it finds, the checks of the two offsets, and the run.
class AutoAnalyzeDialogModel {
 public:
  explicit AutoAnalyzeDialogModel(Document& doc) : doc_(doc) {}

  // Fills the dialog from the Chart View selection and the settings; false (after telling the
  // user) when nothing is selected, and the dialog does not open.
  bool Open();

  // "Any channel except "All"", then the recording's channel titles.
  const std::vector<std::string>& Channels() const { return channels_; }
  std::int32_t ChannelIndex() const { return channelIndex_; }
  void SelectChannel(std::int32_t index);

  std::int32_t FoundCount() const { return static_cast<std::int32_t>(found_.size()); }
  // "%1 dose comments found in current selection and channel."
  std::string FoundText() const;
  const std::string& ColumnText() const { return columnText_; }
  // Shown with the found count when it is zero.
  std::optional<Balloon> FoundBalloon() const;

  const std::string& StartText() const { return startText_; }
  const std::string& StopText() const { return stopText_; }
  void SetStartText(std::string text) { startText_ = std::move(text); }
  void SetStopText(std::string text) { stopText_ = std::move(text); }

  // The checks run when a field loses the focus; none when it is fine.
  std::optional<Balloon> ValidateStart() const;
  std::optional<Balloon> ValidateStop() const;
  // Every check in order, ending with the sample count of the last window (a warning).
  std::optional<Balloon> Validate() const;

  // The check when a field loses the focus: its own range first, then the whole check; the
  // field a balloon belongs beside is the start field only for the start's range.
  std::optional<OffsetCheck> Leave(OffsetField field) const;

  // The Help button and F1: the dialog's topic in the module's help file.
  void PressHelp();

  // Stores the choices in the settings and runs; nothing when an offset is refused.
  std::optional<AutoAnalysisReport> Analyze();

  // A field's number: the whole text must be a decimal number.
  static std::optional<double> ReadSeconds(const std::string& text);

 private:
  void Count();

  Document& doc_;
  ChartSelection selection_;
  std::vector<std::string> channels_;
  std::int32_t channelIndex_ = 0;
  std::vector<CommentInfo> found_;
  std::string columnText_;
  std::string startText_;
  std::string stopText_;
};

}  // namespace Tessel
