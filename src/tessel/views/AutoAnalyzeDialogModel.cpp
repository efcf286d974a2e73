#include "tessel/views/AutoAnalyzeDialogModel.h"
#include "tessel/host/HostQueries.h"

#include <charconv>
#include <cmath>

#include "tessel/document/Document.h"
#include "tessel/host/IChannelInfo.h"
#include "tessel/host/IHelpService.h"
#include "tessel/measure/AutoAnalysisWindow.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

std::string OffsetText(double seconds) {
  std::string text = std::to_string(seconds);
  // "1.000000" reads better as "1".
  while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) {
    const bool point = text.back() == '.';
    text.pop_back();
    if (point) {
      break;
    }
  }
  return text;
}

std::optional<Balloon> RangeBalloon(const std::string& text, const char* title,
                                    const char* pattern) {
  const auto value = AutoAnalyzeDialogModel::ReadSeconds(text);
  if (!value || *value < -kOffsetLimit || *value > kOffsetLimit) {
    return Balloon{title, Kor::FormatMessage(pattern, {"-3600", "3600"}), false};
  }
  return std::nullopt;
}

}  // namespace

std::optional<double> AutoAnalyzeDialogModel::ReadSeconds(const std::string& text) {
  const std::string trimmed = Kor::Trim(text);
  double value = 0.0;
  const char* first = trimmed.data();
  const char* last = first + trimmed.size();
  const auto [ptr, ec] = std::from_chars(first, last, value);
  if (trimmed.empty() || ec != std::errc{} || ptr != last || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

bool AutoAnalyzeDialogModel::Open() {
  IChartDocument* parent = doc_.Parent();
  if (parent == nullptr || parent->GetSelection(&selection_) != kOk || selection_.activePoint) {
    doc_.ShowMessage(kMsgNeedSelection, MessageIcon::kError, MessageButtons::kOkOnly);
    return false;
  }
  channels_ = {kAnyChannelEntry};
  for (const std::string& title : ChannelTitlesOf(parent)) {
    channels_.push_back(title);
  }
  const DocumentSettings& s = doc_.Settings();
  channelIndex_ =
      s.autoChannel >= 0 && s.autoChannel + 1 < static_cast<std::int32_t>(channels_.size())
          ? s.autoChannel + 1
          : 0;
  startText_ = OffsetText(s.startOffset);
  stopText_ = OffsetText(s.stopOffset);
  Count();
  return true;
}

void AutoAnalyzeDialogModel::SelectChannel(std::int32_t index) {
  if (index >= 0 && index < static_cast<std::int32_t>(channels_.size())) {
    channelIndex_ = index;
    Count();
  }
}

void AutoAnalyzeDialogModel::Count() {
  AutoAnalyzer analyzer(doc_);
  found_ = analyzer.FindDoseComments(selection_.start, selection_.end,
                                     channelIndex_ == 0 ? kAnyChannel : channelIndex_ - 1);
  columnText_ = analyzer.ColumnText(found_);
}

std::string AutoAnalyzeDialogModel::FoundText() const {
  return Kor::FormatMessage("%1 dose comments found in current selection and channel.",
                            {std::to_string(FoundCount())});
}

std::optional<Balloon> AutoAnalyzeDialogModel::FoundBalloon() const {
  if (!found_.empty()) {
    return std::nullopt;
  }
  return Balloon{"No Dose Comments Found", "No dose comments were found in the current selection.",
                 false};
}

std::optional<Balloon> AutoAnalyzeDialogModel::ValidateStart() const {
  return RangeBalloon(startText_, "Invalid Start Time",
                      "Start time must be in the range %1 s to %2 s.");
}

std::optional<Balloon> AutoAnalyzeDialogModel::ValidateStop() const {
  return RangeBalloon(stopText_, "Invalid Stop Time",
                      "Stop time must be in the range %1 s to %2 s.");
}

std::optional<Balloon> AutoAnalyzeDialogModel::Validate() const {
  if (auto b = ValidateStart()) {
    return b;
  }
  if (auto b = ValidateStop()) {
    return b;
  }
  const double start = *ReadSeconds(startText_);
  const double stop = *ReadSeconds(stopText_);
  if (!(stop > start)) {
    return Balloon{"Invalid Stop Time", "The stop time must be after the start time.", false};
  }
  if (found_.empty()) {
    return std::nullopt;
  }
  // The last comment is the one most likely to run out of data.
  const CommentInfo& last = found_.back();
  double interval = 0.0;
  std::uint32_t length = 0;
  if (Ref<IChartDataSource> s = DataSourceOf(doc_.Parent())) {
    s->GetSampleInterval(static_cast<std::int32_t>(last.position.Block()), &interval);
    s->GetBlockLength(static_cast<std::int32_t>(last.position.Block()), &length);
  }
  const auto w = AutoAnalysisWindow::Compute(last.position, start, stop, interval, length,
                                             selection_.start, selection_.end);
  if (w.TooFewSamples()) {
    return Balloon{"Not Enough Samples",
                   Kor::FormatMessage("Some auto-selections will not be analyzed because\nthey "
                                      "do not contain at least %1 samples.",
                                      {std::to_string(kMinWindowSamples)}),
                   true};
  }
  return std::nullopt;
}

std::optional<OffsetCheck> AutoAnalyzeDialogModel::Leave(OffsetField field) const {
  if (auto own = field == OffsetField::kStart ? ValidateStart() : ValidateStop()) {
    return OffsetCheck{field, *own};
  }
  auto balloon = Validate();
  if (!balloon) {
    return std::nullopt;
  }
  return OffsetCheck{ValidateStart() ? OffsetField::kStart : OffsetField::kStop, *balloon};
}

void AutoAnalyzeDialogModel::PressHelp() {
  if (Ref<IHelpService> help = QueryService<IHelpService>(doc_.Parent())) {
    help->ShowTopic(kHelpFile, kAutoAnalyzeHelpTopic);
  }
}

std::optional<AutoAnalysisReport> AutoAnalyzeDialogModel::Analyze() {
  const auto balloon = Validate();
  if (balloon && !balloon->warning) {
    return std::nullopt;
  }
  DocumentSettings& s = doc_.Settings();
  s.autoChannel = channelIndex_ == 0 ? kAnyChannel : channelIndex_ - 1;
  s.startOffset = *ReadSeconds(startText_);
  s.stopOffset = *ReadSeconds(stopText_);
  doc_.SetModified();
  return AutoAnalyzer(doc_).Run(selection_);
}

}  // namespace Tessel
