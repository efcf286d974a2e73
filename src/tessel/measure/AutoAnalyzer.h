#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessel/host/IChartComment.h"
#include "tessel/host/IChartDocument.h"

namespace Tessel {

class Document;

inline constexpr const char* kProgressAutoAnalyze = "Auto-Analyzing Selection";
inline constexpr const char* kMsgNeedSelection =
    "To use this feature you must select some data in the Chart View.";
inline constexpr const char* kMsgSelectionsLimited =
    "Some auto-selections have been limited to fit within the original selection.";
inline constexpr const char* kMsgTooFewSamples =
    "Some auto-selections were not analyzed because\nthey did not contain at least %1 samples.";

// Channel choice meaning any channel (comments on all channels count for every one).
inline constexpr std::int32_t kAnyChannel = -2;

// What one auto-analysis run did.
struct AutoAnalysisReport {
  std::int32_t found = 0;             // dose comments in the selection
  std::int32_t measured = 0;          // responses measured
  bool limited = false;               // some window was cut to the selection
  bool tooFewSamples = false;         // some window held fewer than two samples and was skipped
  bool stopped = false;               // the user pressed Stop
  std::vector<std::string> messages;  // what was reported to the user, in order
};

// Measures the response after every dose comment of a selection in one go: each comment's cell
// (entered into the table when missing) gets the window start..stop seconds after the comment.
class AutoAnalyzer {
 public:
  explicit AutoAnalyzer(Document& doc) : doc_(doc) {}

  // The dose comments between start and end on a channel (kAnyChannel for any), block by block
  // in the host's order.
  std::vector<CommentInfo> FindDoseComments(TickPosition start, TickPosition end,
                                            std::int32_t channel) const;

  // The run that the comments belong to by their labels: its column letter, "Many" or "None".
  std::string ColumnText(const std::vector<CommentInfo>& comments) const;

  // The whole run over a selection with the Document's offsets and channel. Shows its closing
  // messages and returns what it did.
  AutoAnalysisReport Run(const ChartSelection& selection);

 private:
  bool MeasureAfter(const CommentInfo& comment, const ChartSelection& selection,
                    AutoAnalysisReport& report);

  Document& doc_;
};

}  // namespace Tessel
