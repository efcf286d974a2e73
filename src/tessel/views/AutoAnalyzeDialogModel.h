#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tessel/host/IChartComment.h"
#include "tessel/host/IChartDocument.h"
#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/views/Balloon.h"

namespace Tessel {

class Document;

inline constexpr const char* kAnyChannelEntry = "Any channel except \"All\"";
inline constexpr double kOffsetLimit = 3600.0;

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
