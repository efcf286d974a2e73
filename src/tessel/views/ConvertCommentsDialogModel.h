#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tessel/host/IChartDocument.h"
#include "tessel/measure/CommentConverter.h"
#include "tessel/views/DialogLayout.h"

namespace Tessel {

class Document;

inline constexpr const char* kMsgChangesLost =
    "Your changes will be lost.\n\nDo you want to continue?";
inline constexpr const char* kMsgDoseNotPositive = "The dose must be a positive number.";
inline constexpr const char* kSearchAllEntry = "All";
inline constexpr const char* kConvertCommentsHelpTopic = "tsl_convertcomments";

// The controls of the "Convert Comments" dialog by identifier.
enum ConvertCommentsControlId : std::int32_t {
  kIdConvert = 1,
  kIdConvertCancel = 2,
  kIdConvertHelp = 1164,
  kIdSearchChannel = 1401,
  kIdOutputChannel = 1402,
  kIdRunLabel = 1403,
  kIdDose = 1404,
  kIdUnconverted = 1405,
  kIdConverted = 1406,
  kIdAdd = 1407,
  kIdRemove = 1408,
};

inline constexpr std::array<ControlTemplate, 18> kConvertCommentsControls = {{
    {kNoControlId, ControlKind::kGroupBox, "Convert comments", {7, 7, 380, 244}},
    {kNoControlId, ControlKind::kLabel, "&Search channel:", {15, 22, 60, 8}},
    // The heights of the lists are those of the opened lists.
    {kIdSearchChannel, ControlKind::kDropDownList, "", {78, 20, 110, 120}},
    {kNoControlId, ControlKind::kLabel, "&Output channel: ", {200, 22, 60, 8}},
    {kIdOutputChannel, ControlKind::kDropDownList, "", {264, 20, 114, 120}},
    {kNoControlId, ControlKind::kLabel, "R&un label:", {15, 40, 60, 8}},
    {kIdRunLabel, ControlKind::kEditBox, "", {78, 38, 110, 12}},
    {kNoControlId, ControlKind::kLabel, "&Dose:", {200, 40, 60, 8}},
    {kIdDose, ControlKind::kEditBox, "", {264, 38, 114, 12}},
    {kNoControlId, ControlKind::kLabel, "Unconverted comments", {15, 58, 150, 8}},
    {kIdUnconverted, ControlKind::kListBox, "", {15, 68, 150, 176}},
    {kIdAdd, ControlKind::kPushButton, "&Add >>", {171, 128, 52, 14}},
    {kIdRemove, ControlKind::kPushButton, "&Remove", {171, 146, 52, 14}},
    {kNoControlId, ControlKind::kLabel, "Converted dose comments", {229, 58, 150, 8}},
    {kIdConverted, ControlKind::kListBox, "", {229, 68, 150, 176}},
    {kIdConvertHelp,
     ControlKind::kHelpButton,
     "",
     {7, 257, 18, 14},
     "Display help on the Convert Comments dialog"},
    {kIdConvert, ControlKind::kDefaultButton, "Convert", {283, 257, 50, 14}},
    {kIdConvertCancel, ControlKind::kPushButton, "Cancel", {337, 257, 50, 14}},
}};

inline constexpr DialogTemplate kConvertCommentsDialog = {
    0, "Convert Comments", "MS Shell Dlg", 8, 394, 278, kConvertCommentsControls};

// Everything the "Convert Comments" dialog decides, without the dialog: the channel lists, the
// two parallel lists of comments and the dose comments they will become, Add >> and Remove, the
// question on Cancel, and Convert.
class ConvertCommentsDialogModel {
 public:
  explicit ConvertCommentsDialogModel(Document& doc) : doc_(doc) {}

  // False (after telling the user) when nothing is selected in the Chart View.
  bool Open();

  // "All", then the recording's channel titles.
  const std::vector<std::string>& SearchChannels() const { return searchChannels_; }
  // The recording's channel titles.
  const std::vector<std::string>& OutputChannels() const { return outputChannels_; }
  std::int32_t SearchIndex() const { return searchIndex_; }
  std::int32_t OutputIndex() const { return outputIndex_; }
  void SelectSearchChannel(std::int32_t index);
  void SelectOutputChannel(std::int32_t index);

  // Left: the comments as they are; right: what each will become, or "<Not converted>".
  std::vector<std::string> Unconverted() const;
  std::vector<std::string> Converted() const;

  std::string& DoseField() { return dose_; }
  std::string& LabelField() { return label_; }

  // Gives the selected lines the dose comment of the Dose and Run label fields. A dose that is
  // not a positive number, or an empty label, is refused with a message; false then.
  bool Add(const std::vector<std::int32_t>& lines);
  void Remove(const std::vector<std::int32_t>& lines);
  bool Changed() const { return changed_; }

  // True when the dialog may close: unchanged, or the user agreed to lose the changes.
  bool Cancel();

  ConversionReport Convert();

  // The Help button and F1: the dialog's topic in the module's help file.
  void PressHelp();

 private:
  void Fill();

  Document& doc_;
  ChartSelection selection_;
  std::vector<std::string> searchChannels_;
  std::vector<std::string> outputChannels_;
  std::int32_t searchIndex_ = 0;
  std::int32_t outputIndex_ = 0;
  std::vector<ConversionPair> pairs_;
  std::string dose_;
  std::string label_;
  bool changed_ = false;
};

}  // namespace Tessel
