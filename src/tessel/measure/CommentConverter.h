#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessel/host/IChartComment.h"
#include "tessel/host/IChartDocument.h"

namespace Tessel {

class Document;

inline constexpr const char* kNotConverted = "<Not converted>";
inline constexpr const char* kProgressConverting = "Converting Comments";
inline constexpr const char* kMsgCannotAnalyze = "The data cannot be analyzed.";

// One comment of the selection and the dose comment it is to become ("<Not converted>": none).
struct ConversionPair {
  CommentInfo source;
  std::string newText;
};

struct ConversionReport {
  bool done = false;  // false when the recording's comments could not be reached at all
  std::int32_t converted = 0;
  bool stopped = false;
};

// Turns free-text comments typed during an experiment into dose comments and enters them into
// the table, so that they are measured like comments written by Mark Dose.
class CommentConverter {
 public:
  explicit CommentConverter(Document& doc) : doc_(doc) {}

  // The comments of a selection on a channel (-1: every channel), block by block, each paired
  // with its dose comment text when it already is one, else with "<Not converted>".
  std::vector<ConversionPair> Collect(const ChartSelection& selection,
                                      std::int32_t searchChannel) const;

  // Writes every pair that is converted: in place when the source lies on the output channel,
  // as a new comment there otherwise; enters each into the table. Stop keeps what was done.
  ConversionReport Convert(const std::vector<ConversionPair>& pairs, std::int32_t outputChannel);

 private:
  bool Write(const ConversionPair& pair, std::int32_t outputChannel);

  Document& doc_;
};

}  // namespace Tessel
