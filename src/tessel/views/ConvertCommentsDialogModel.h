#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tessel/host/IChartDocument.h"
#include "tessel/measure/CommentConverter.h"

namespace Tessel {

class Document;

inline constexpr const char* kMsgChangesLost =
    "Your changes will be lost.\n\nDo you want to continue?";
inline constexpr const char* kMsgDoseNotPositive = "The dose must be a positive number.";
inline constexpr const char* kSearchAllEntry = "All";

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
