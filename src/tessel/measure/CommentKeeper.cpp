#include "tessel/measure/CommentKeeper.h"

#include "tessel/document/Document.h"
#include "tessel/measure/CellAdvance.h"
#include "tessel/measure/DoseComment.h"

namespace Tessel {
namespace {

Ref<IChartComment> CommentsOf(Document& doc) {
  return QueryInterface<IChartComment>(doc.Parent());
}

}  // namespace

BusyScope::BusyScope(Document& doc) : doc_(doc), was_(doc.Busy()) {
  doc_.SetBusy(true);
}

BusyScope::~BusyScope() {
  doc_.SetBusy(was_);
}

std::string ExpectedCommentText(const TableViewMatrix& m, std::uint32_t row, std::uint32_t column) {
  return FormatDoseComment(m.Cell(row, kDoseColumn).commentText,
                           m.Cell(kRowLabel, column).commentText);
}

std::int32_t ExpectedCommentChannel(const TableViewMatrix& m, std::uint32_t row,
                                    std::uint32_t column) {
  if (RunChannel(m, column) == kAllChannels) {
    return kAllChannelsComment;
  }
  return m.Cell(row, column).channel;
}

std::optional<CommentInfo> CommentKeeper::FindCellComment(std::uint32_t row,
                                                          std::uint32_t column) const {
  Ref<IChartComment> comments = CommentsOf(doc_);
  const TableViewElem& cell = doc_.Matrix().Cell(row, column);
  if (!comments || !cell.doseMarked) {
    return std::nullopt;
  }
  const TableViewMatrix& m = doc_.Matrix();
  const std::int32_t channel = ExpectedCommentChannel(m, row, column);
  const std::string text = ExpectedCommentText(m, row, column);
  std::vector<CommentInfo> found;
  comments->EnumComments(cell.dosePosition, cell.dosePosition,
                         channel == kAllChannelsComment ? kAllChannels : channel, &found);
  for (const CommentInfo& c : found) {
    if (c.channel == channel && c.text == text) {
      return c;
    }
  }
  return std::nullopt;
}

void CommentKeeper::ChangeCellComment(std::uint32_t row, std::uint32_t column,
                                      const std::string& newText) {
  Ref<IChartComment> comments = CommentsOf(doc_);
  const std::optional<CommentInfo> comment = FindCellComment(row, column);
  if (comments && comment) {
    BusyScope busy(doc_);
    comments->ChangeComment(comment->id, newText);
  }
}

void CommentKeeper::UpdateRowComments(std::uint32_t row, const std::string& newDoseText) {
  TableViewMatrix& m = doc_.Matrix();
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    if (m.Cell(row, c).doseMarked) {
      ChangeCellComment(row, c, FormatDoseComment(newDoseText, m.Cell(kRowLabel, c).commentText));
    }
  }
  m.Cell(row, kDoseColumn).commentText = newDoseText;
  doc_.SetModified();
}

void CommentKeeper::UpdateColumnComments(std::uint32_t column, const std::string& newLabel) {
  TableViewMatrix& m = doc_.Matrix();
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    if (m.Cell(r, column).doseMarked) {
      ChangeCellComment(r, column, FormatDoseComment(m.Cell(r, kDoseColumn).commentText, newLabel));
    }
  }
  m.Cell(kRowLabel, column).commentText = newLabel;
  doc_.SetModified();
}

void CommentKeeper::DeleteCellComment(std::uint32_t row, std::uint32_t column) {
  Ref<IChartComment> comments = CommentsOf(doc_);
  const std::optional<CommentInfo> comment = FindCellComment(row, column);
  if (comments && comment) {
    BusyScope busy(doc_);
    comments->DeleteComment(comment->id);
  }
}

bool CommentMatchesCell(const TableViewMatrix& m, const CommentInfo& comment,
                        const std::string& text, std::uint32_t row, std::uint32_t column) {
  const TableViewElem& cell = m.Cell(row, column);
  return cell.doseMarked && cell.dosePosition == comment.position &&
         ExpectedCommentChannel(m, row, column) == comment.channel &&
         ExpectedCommentText(m, row, column) == text;
}

bool CommentKeeper::ClearCellOf(const CommentInfo& comment) {
  const TableViewMatrix& m = doc_.Matrix();
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
      if (CommentMatchesCell(m, comment, comment.text, r, c)) {
        doc_.ClearDoseMark(r, c);
        doc_.SetResponseAdded(r, c, false);
        return true;
      }
    }
  }
  return false;
}

void CommentKeeper::OnCommentsRemoved(const std::vector<CommentInfo>& comments) {
  if (doc_.Busy()) {
    return;
  }
  bool cleared = false;
  for (const CommentInfo& comment : comments) {
    cleared = ClearCellOf(comment) || cleared;
  }
  // Mark Dose's own search may make the host report comments; only the user's deletions count.
  if (cleared && !doc_.CommentSearchRunning()) {
    doc_.ShowMessage(kMsgDoseCommentChanged, MessageIcon::kInformation, MessageButtons::kOkOnly);
  }
}

void CommentKeeper::OnCommentChanged(const CommentInfo& old, const std::string& newText) {
  if (doc_.Busy()) {
    return;
  }
  if (HasDoseCommentMark(newText)) {
    const TableViewMatrix& m = doc_.Matrix();
    for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
      for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
        if (CommentMatchesCell(m, old, newText, r, c)) {
          return;
        }
      }
    }
  }
  if (ClearCellOf(old)) {
    doc_.ShowMessage(kMsgDoseCommentChanged, MessageIcon::kInformation, MessageButtons::kOkOnly);
  }
}

}  // namespace Tessel
