#include "tessel/measure/CommentConverter.h"

#include "tessel/document/Document.h"
#include "tessel/host/IProgressIndicator.h"
#include "tessel/host/ProgressReporter.h"
#include "tessel/measure/CommentKeeper.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/measure/DoseCommentEntry.h"

namespace Tessel {

std::vector<ConversionPair> CommentConverter::Collect(const ChartSelection& selection,
                                                      std::int32_t searchChannel) const {
  std::vector<ConversionPair> pairs;
  const std::int32_t channel = searchChannel < 0 ? kAllChannels : searchChannel;
  for (const CommentInfo& c :
       SelectionComments(doc_.Parent(), selection.start, selection.end, channel)) {
    // Only a comment carrying the dose-comment mark is one; "ACh 1 uM" is still free text.
    const ParsedDoseComment parsed = ParseDoseComment(c.text);
    const bool isDose = HasDoseCommentMark(c.text) && parsed.ok;
    pairs.push_back(ConversionPair{
        c, isDose ? FormatDoseComment(parsed.doseText, parsed.runLabel) : kNotConverted});
  }
  return pairs;
}

bool CommentConverter::Write(const ConversionPair& pair, std::int32_t outputChannel) {
  Ref<IChartComment> comments = QueryInterface<IChartComment>(doc_.Parent());
  BusyScope busy(doc_);
  if (pair.source.channel == outputChannel) {
    // Found again by place, channel and text: the host's handle may have changed meanwhile.
    std::vector<CommentInfo> here;
    comments->EnumComments(pair.source.position, pair.source.position, outputChannel, &here);
    for (const CommentInfo& c : here) {
      if (c.channel == outputChannel && c.text == pair.source.text) {
        return comments->ChangeComment(c.id, pair.newText) == kOk;
      }
    }
    return false;
  }
  return comments->AddComment(outputChannel, pair.source.position, pair.newText, nullptr) == kOk;
}

ConversionReport CommentConverter::Convert(const std::vector<ConversionPair>& pairs,
                                           std::int32_t outputChannel) {
  ConversionReport report;
  if (!QueryInterface<IChartComment>(doc_.Parent())) {
    doc_.ShowMessage(kMsgCannotAnalyze, MessageIcon::kError, MessageButtons::kOkOnly);
    return report;
  }
  report.done = true;
  {
    ProgressReporter progress(QueryService<IProgressIndicator>(doc_.Parent()).get(),
                              kProgressConverting);
    for (size_t i = 0; i < pairs.size(); ++i) {
      const ConversionPair& pair = pairs[i];
      if (pair.newText != kNotConverted && Write(pair, outputChannel)) {
        DoseCommentEntry(doc_).FindOrEnter(
            CommentInfo{0, outputChannel, pair.source.position, pair.newText});
        ++report.converted;
      }
      if (progress.Step(i + 1, pairs.size())) {
        report.stopped = true;
        break;
      }
    }
  }
  doc_.UpdateAllViews();
  return report;
}

}  // namespace Tessel
