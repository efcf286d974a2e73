#include "tessel/measure/AutoAnalyzer.h"
#include "tessel/host/HostQueries.h"

#include <set>

#include "tessel/document/Document.h"
#include "tessel/host/IProgressIndicator.h"
#include "tessel/host/ProgressReporter.h"
#include "tessel/measure/AutoAnalysisWindow.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/measure/DoseCommentEntry.h"
#include "tessel/measure/DoseMarker.h"
#include "tessel/support/Strings.h"

namespace Tessel {

std::vector<CommentInfo> AutoAnalyzer::FindDoseComments(TickPosition start, TickPosition end,
                                                        std::int32_t channel) const {
  std::vector<CommentInfo> found;
  for (const CommentInfo& c : SelectionComments(doc_.Parent(), start, end, channel)) {
    if (HasDoseCommentMark(c.text) && ParseDoseComment(c.text).ok) {
      found.push_back(c);
    }
  }
  return found;
}

std::string AutoAnalyzer::ColumnText(const std::vector<CommentInfo>& comments) const {
  const TableViewMatrix& m = doc_.Matrix();
  std::set<std::uint32_t> columns;
  for (const CommentInfo& c : comments) {
    const std::string label = Kor::ToLower(ParseDoseComment(c.text).runLabel);
    for (std::uint32_t col = kFirstRunColumn; col < m.ColumnCount(); ++col) {
      const TableViewElem& l = m.Cell(kRowLabel, col);
      if ((l.flags & kCellPrompt) == 0 && Kor::ToLower(l.text) == label) {
        columns.insert(col);
      }
    }
  }
  if (columns.empty()) {
    return "None";
  }
  return columns.size() > 1 ? "Many" : TableViewMatrix::ColumnLetter(*columns.begin());
}

bool AutoAnalyzer::MeasureAfter(const CommentInfo& comment, const ChartSelection& selection,
                                AutoAnalysisReport& report) {
  DoseCommentEntry entry(doc_);
  const auto cell = entry.FindOrEnter(comment);
  if (!cell) {
    return false;
  }
  double interval = 0.0;
  std::uint32_t length = 0;
  if (Ref<IChartDataSource> source = DataSourceOf(doc_.Parent())) {
    const auto block = static_cast<std::int32_t>(comment.position.Block());
    source->GetSampleInterval(block, &interval);
    source->GetBlockLength(block, &length);
  }
  const DocumentSettings& s = doc_.Settings();
  const AutoAnalysisWindow w =
      AutoAnalysisWindow::Compute(comment.position, s.startOffset, s.stopOffset, interval, length,
                                  selection.start, selection.end);
  report.limited = report.limited || w.limited;
  if (w.TooFewSamples()) {
    report.tooFewSamples = true;
    return false;
  }
  const std::uint32_t block = comment.position.Block();
  const TickPosition start(block, static_cast<std::uint32_t>(w.start));
  const TickPosition end(block, static_cast<std::uint32_t>(w.stop));
  doc_.SetSelection(start, end);
  // A run on every channel is measured on the channel the user selected.
  std::int32_t channel = DoseCommentEntry::RunChannelOf(comment);
  if (channel == kAllChannels) {
    channel = s.autoChannel >= 0 ? s.autoChannel : selection.channel;
  }
  return DoseMarker(doc_).Add(cell->row, cell->column, channel, start, end);
}

AutoAnalysisReport AutoAnalyzer::Run(const ChartSelection& selection) {
  AutoAnalysisReport report;
  {
    ProgressReporter progress(QueryService<IProgressIndicator>(doc_.Parent()).get(),
                              kProgressAutoAnalyze);
    const std::vector<CommentInfo> comments =
        FindDoseComments(selection.start, selection.end, doc_.Settings().autoChannel);
    report.found = static_cast<std::int32_t>(comments.size());
    for (size_t i = 0; i < comments.size(); ++i) {
      if (MeasureAfter(comments[i], selection, report)) {
        ++report.measured;
      }
      if (progress.Step(i + 1, comments.size())) {
        report.stopped = true;
        break;
      }
    }
    doc_.UpdateAllViews();
  }
  if (report.limited) {
    report.messages.push_back(kMsgSelectionsLimited);
  }
  if (report.tooFewSamples) {
    report.messages.push_back(
        Kor::FormatMessage(kMsgTooFewSamples, {std::to_string(kMinWindowSamples)}));
  }
  for (const std::string& text : report.messages) {
    doc_.ShowMessage(text, MessageIcon::kInformation, MessageButtons::kOkOnly);
  }
  return report;
}

}  // namespace Tessel
