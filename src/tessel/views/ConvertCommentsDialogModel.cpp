#include "tessel/views/ConvertCommentsDialogModel.h"
#include "tessel/host/HostQueries.h"

#include <cmath>

#include "tessel/document/Document.h"
#include "tessel/host/IChannelInfo.h"
#include "tessel/host/IHelpService.h"
#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/support/Strings.h"

namespace Tessel {

bool ConvertCommentsDialogModel::Open() {
  IChartDocument* parent = doc_.Parent();
  if (parent == nullptr || parent->GetSelection(&selection_) != kOk || selection_.activePoint) {
    doc_.ShowMessage(kMsgNeedSelection, MessageIcon::kError, MessageButtons::kOkOnly);
    return false;
  }
  searchChannels_ = {kSearchAllEntry};
  outputChannels_ = ChannelTitlesOf(parent);
  searchChannels_.insert(searchChannels_.end(), outputChannels_.begin(), outputChannels_.end());
  DocumentSettings& s = doc_.Settings();
  // Never chosen before: search every channel.
  if (s.g == -2) {
    s.g = -1;
  }
  searchIndex_ = s.g + 1 < static_cast<std::int32_t>(searchChannels_.size()) ? s.g + 1 : 0;
  outputIndex_ = s.h >= 0 && s.h < static_cast<std::int32_t>(outputChannels_.size()) ? s.h : 0;
  changed_ = false;
  Fill();
  return true;
}

void ConvertCommentsDialogModel::Fill() {
  pairs_ = CommentConverter(doc_).Collect(selection_, searchIndex_ - 1);
}

void ConvertCommentsDialogModel::SelectSearchChannel(std::int32_t index) {
  if (index >= 0 && index < static_cast<std::int32_t>(searchChannels_.size())) {
    searchIndex_ = index;
    doc_.Settings().g = index - 1;
    // The output follows a chosen search channel, where the converted comments usually belong.
    if (index > 0) {
      outputIndex_ = index - 1;
    }
    Fill();
  }
}

void ConvertCommentsDialogModel::SelectOutputChannel(std::int32_t index) {
  if (index >= 0 && index < static_cast<std::int32_t>(outputChannels_.size())) {
    outputIndex_ = index;
  }
}

std::vector<std::string> ConvertCommentsDialogModel::Unconverted() const {
  std::vector<std::string> out;
  for (const auto& p : pairs_) {
    out.push_back(p.source.text);
  }
  return out;
}

std::vector<std::string> ConvertCommentsDialogModel::Converted() const {
  std::vector<std::string> out;
  for (const auto& p : pairs_) {
    out.push_back(p.newText);
  }
  return out;
}

bool ConvertCommentsDialogModel::Add(const std::vector<std::int32_t>& lines) {
  const std::optional<double> dose = ReadCommentNumber(Kor::Trim(dose_));
  if (!dose || !(*dose > 0.0) || !std::isfinite(*dose)) {
    doc_.ShowMessage(kMsgDoseNotPositive, MessageIcon::kError, MessageButtons::kOkOnly);
    return false;
  }
  // A label of blanks only names no run; any other label goes into the comment as typed.
  if (Kor::Trim(label_).empty()) {
    return false;
  }
  const std::string text = FormatDoseComment(DoseNumberText(*dose), label_);
  for (std::int32_t line : lines) {
    if (line >= 0 && line < static_cast<std::int32_t>(pairs_.size())) {
      pairs_[static_cast<size_t>(line)].newText = text;
      changed_ = true;
    }
  }
  return true;
}

void ConvertCommentsDialogModel::Remove(const std::vector<std::int32_t>& lines) {
  for (std::int32_t line : lines) {
    if (line >= 0 && line < static_cast<std::int32_t>(pairs_.size())) {
      pairs_[static_cast<size_t>(line)].newText = kNotConverted;
      changed_ = true;
    }
  }
}

bool ConvertCommentsDialogModel::Cancel() {
  if (!changed_) {
    return true;
  }
  return doc_.ShowMessage(kMsgChangesLost, MessageIcon::kWarning, MessageButtons::kYesNo) ==
         MessageAnswer::kYes;
}

ConversionReport ConvertCommentsDialogModel::Convert() {
  doc_.Settings().h = outputIndex_;
  const ConversionReport report = CommentConverter(doc_).Convert(pairs_, outputIndex_);
  pairs_.clear();
  changed_ = false;
  return report;
}

void ConvertCommentsDialogModel::PressHelp() {
  if (Ref<IHelpService> help = QueryService<IHelpService>(doc_.Parent())) {
    help->ShowTopic(kHelpFile, kConvertCommentsHelpTopic);
  }
}

}  // namespace Tessel
