#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include <vector>

#include "tessel/host/IChartComment.h"
#include "tessel/host/IChartDocument.h"

namespace Tessel {

class Document;

struct CellAddress {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
  bool operator==(const CellAddress&) const = default;
};

// Ties dose comments found in the recording to the cells of the table: finds the cell a comment
// was written for, or enters the comment into the table as a marked dose.
class DoseCommentEntry {
 public:
  explicit DoseCommentEntry(Document& doc) : doc_(doc) {}

  // The marked cell whose comment this is: same place, same channel, same text.
  std::optional<CellAddress> FindCell(const CommentInfo& comment) const;

  // The cell of the comment, entering it first when the table does not have it: the dose's row
  // and a run column of that label and channel where the dose is not yet marked are found or
  // added at the end, and the cell is marked "(marked)" at the comment's place. Nothing when
  // the comment does not carry a dose and a label between angle brackets.
  std::optional<CellAddress> FindOrEnter(const CommentInfo& comment);

  // A comment on every channel (-1) belongs to a run measured on all channels (-2).
  static std::int32_t RunChannelOf(const CommentInfo& comment) {
    return comment.channel == kAllChannelsComment ? -2 : comment.channel;
  }

 private:
  std::uint32_t RowForDose(const std::string& doseText);
  std::uint32_t ColumnFor(const std::string& label, std::int32_t channel, std::uint32_t row);

  Document& doc_;
};

// The comments from start to end on a channel (-2: every comment), block by block in the host's
// order.
std::vector<CommentInfo> SelectionComments(IChartDocument* parent, TickPosition start,
                                           TickPosition end, std::int32_t channel);

// The texts between the first '<' and the next '>', and between the second '<' and the next '>':
// the dose and the run label as they were written.
bool SplitDoseComment(const std::string& text, std::string* doseText, std::string* label);

}  // namespace Tessel
