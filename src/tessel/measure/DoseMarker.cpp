#include "tessel/measure/DoseMarker.h"
#include "tessel/host/HostQueries.h"

#include <vector>

#include "tessel/document/Document.h"
#include "tessel/document/NumberText.h"
#include "tessel/host/IChannelInfo.h"
#include "tessel/host/IChartComment.h"
#include "tessel/measure/CellAdvance.h"
#include "tessel/measure/CommentKeeper.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

std::string RemoveAll(std::string text, std::string_view what) {
  for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at)) {
    text.erase(at, what.size());
  }
  return text;
}

// Keeps the Document's comment-search flag set for one search.
class SearchScope {
 public:
  explicit SearchScope(Document& doc) : doc_(doc) { doc_.SetCommentSearchRunning(true); }
  ~SearchScope() { doc_.SetCommentSearchRunning(false); }
  SearchScope(const SearchScope&) = delete;
  SearchScope& operator=(const SearchScope&) = delete;

 private:
  Document& doc_;
};

}  // namespace

void DoseMarker::NameRun(std::uint32_t column) {
  if (!doc_.Matrix().Contains(kRowLabel, column)) {
    return;
  }
  TableViewElem& label = doc_.Matrix().Cell(kRowLabel, column);
  if ((label.flags & kCellPrompt) == 0) {
    return;
  }
  std::string name = RemoveAll(RemoveAll(RemoveAll(label.text, "Label"), "<"), ">");
  label.text = Kor::Trim(name);
  label.commentText = label.text;
  label.flags &= ~kCellPrompt;
  doc_.UpdateRepeatLabels();
}

bool DoseMarker::MarkDose(std::uint32_t row, std::uint32_t column, bool partOfAdd) {
  if (!doc_.Matrix().Contains(row, column) || row < kFirstDoseRow || column < kFirstRunColumn) {
    return false;
  }
  NameRun(column);
  if (!Mark(row, column, partOfAdd)) {
    return false;
  }
  TableViewElem& cell = doc_.Matrix().Cell(row, column);
  if (!partOfAdd && cell.text.empty()) {
    cell.text = kMarkedText;
    doc_.UpdateAllViews();
  }
  return true;
}

bool DoseMarker::ChannelUsable(std::int32_t channel) const {
  Ref<IChannelInfo> info = QueryInterface<IChannelInfo>(doc_.Parent());
  return info && info->IsChannelUsable(channel) == kOk;
}

bool DoseMarker::MarkPosition(bool partOfAdd, TickPosition* start, TickPosition* end) const {
  IChartDocument* parent = doc_.Parent();
  if (doc_.Sampling() && !partOfAdd) {
    // While recording, the dose is given now: at the last sample recorded so far.
    Ref<IChartDataSource> source = DataSourceOf(parent);
    std::int32_t blocks = 0;
    std::uint32_t ticks = 0;
    if (!source || source->GetBlockCount(&blocks) != kOk || blocks <= 0 ||
        source->GetBlockLength(blocks - 1, &ticks) != kOk || ticks == 0) {
      return false;
    }
    *start = *end = TickPosition(static_cast<std::uint32_t>(blocks - 1), ticks - 1);
    return true;
  }
  ChartSelection selection;
  if (parent->GetSelection(&selection) != kOk) {
    return false;
  }
  *start = selection.start;
  *end = selection.end;
  return true;
}

bool DoseMarker::AlreadyMarked(TickPosition position, std::int32_t runChannel,
                               const std::string& text) {
  Ref<IChartComment> comments = QueryInterface<IChartComment>(doc_.Parent());
  SearchScope searching(doc_);
  std::vector<CommentInfo> found;
  comments->EnumComments(position, TickPosition(position.Block(), position.Tick() + 1), runChannel,
                         &found);
  const std::string wanted = Kor::ToLower(text);
  for (const CommentInfo& c : found) {
    if (Kor::ToLower(c.text).find(wanted) != std::string::npos && ParseDoseComment(c.text).ok) {
      return true;
    }
  }
  return false;
}

bool DoseMarker::WriteComment(TickPosition position, std::int32_t runChannel,
                              const std::string& text) {
  Ref<IChartComment> comments = QueryInterface<IChartComment>(doc_.Parent());
  BusyScope busy(doc_);
  if (runChannel == kAllChannels) {
    return comments->AddComment(kAllChannelsComment, position, text, nullptr) == kOk;
  }
  std::vector<CommentInfo> here;
  comments->EnumComments(position, position, runChannel, &here);
  for (const CommentInfo& c : here) {
    if (c.channel == runChannel && c.text == text) {
      return false;
    }
  }
  return comments->AddComment(runChannel, position, text, nullptr) == kOk;
}

bool DoseMarker::Mark(std::uint32_t row, std::uint32_t column, bool partOfAdd) {
  TableViewMatrix& m = doc_.Matrix();
  const std::string doseText = m.Cell(row, kDoseColumn).text;
  const std::string label = m.Cell(kRowLabel, column).text;
  const std::int32_t runChannel = RunChannel(m, column);
  const std::string text = FormatDoseComment(doseText, label);
  if (doc_.Parent() == nullptr || !QueryInterface<IChartComment>(doc_.Parent())) {
    return false;
  }
  if (runChannel != kAllChannels &&
      (runChannel < 0 || (!doc_.Sampling() && !ChannelUsable(runChannel)))) {
    return false;
  }
  TickPosition start;
  TickPosition end;
  if (!MarkPosition(partOfAdd, &start, &end)) {
    return false;
  }
  if (!partOfAdd) {
    doc_.SetSelection(start, end);
  }
  if (AlreadyMarked(start, runChannel, text) || !WriteComment(start, runChannel, text)) {
    return false;
  }
  TableViewElem& cell = m.Cell(row, column);
  cell.channel = runChannel;
  cell.start = start;
  cell.end = end;
  cell.dosePosition = start;
  cell.doseMarked = true;
  m.Cell(row, kDoseColumn).commentText = doseText;
  m.Cell(kRowLabel, column).commentText = label;
  doc_.SetModified();
  doc_.UpdateAllViews();
  return true;
}

bool DoseMarker::AddResponse(std::uint32_t row, std::uint32_t column) {
  TableViewMatrix& m = doc_.Matrix();
  if (!m.Contains(row, column) || row < kFirstDoseRow || column < kFirstRunColumn) {
    return false;
  }
  if (!m.Cell(row, column).doseMarked && !MarkDose(row, column, true)) {
    return false;
  }
  ChartSelection selection;
  if (doc_.Parent()->GetSelection(&selection) != kOk) {
    return false;
  }
  const std::int32_t runChannel = RunChannel(m, column);
  // A run on every channel is measured where the user selected.
  const std::int32_t channel = runChannel == kAllChannels ? selection.channel : runChannel;
  return Add(row, column, channel, selection.start, selection.end);
}

bool DoseMarker::Add(std::uint32_t row, std::uint32_t column, std::int32_t channel,
                     TickPosition start, TickPosition end) {
  const TableViewMatrix& m = doc_.Matrix();
  if (!m.Contains(row, column)) {
    return false;
  }
  const std::int32_t runChannel = RunChannel(m, column);
  if (runChannel != kAllChannels && !ChannelUsable(runChannel)) {
    return false;
  }
  return Measure(row, column, channel, start, end);
}

bool DoseMarker::Measure(std::uint32_t row, std::uint32_t column, std::int32_t channel,
                         TickPosition start, TickPosition end) {
  TableViewMatrix& m = doc_.Matrix();
  if (!m.Contains(row, column) || row < kFirstDoseRow || column < kFirstRunColumn) {
    return false;
  }
  TableViewElem& cell = m.Cell(row, column);
  cell.channel = channel;
  cell.start = start;
  cell.end = end;
  cell.responseAdded = true;
  if (doc_.CalculateResponse(column, row)) {
    const DocumentSettings& s = doc_.Settings();
    cell.text = FormatNumber(cell.response, s.sigFigs, s.scientific);
  }
  doc_.SetModified();
  doc_.UpdateAllViews();
  return true;
}

}  // namespace Tessel
