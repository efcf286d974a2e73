#include "tessel/measure/DoseCommentEntry.h"

#include "tessel/document/Document.h"
#include "tessel/measure/CellAdvance.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/measure/DoseMarker.h"
#include "tessel/support/Strings.h"

namespace Tessel {

std::vector<CommentInfo> SelectionComments(IChartDocument* parent, TickPosition start,
                                           TickPosition end, std::int32_t channel) {
  std::vector<CommentInfo> found;
  Ref<IChartComment> comments = QueryInterface<IChartComment>(parent);
  if (!comments) {
    return found;
  }
  for (std::uint32_t block = start.Block(); block <= end.Block(); ++block) {
    const TickPosition from = block == start.Block() ? start : TickPosition(block, 0);
    const TickPosition to = block == end.Block() ? end : TickPosition(block, 0xFFFFFFFFu);
    std::vector<CommentInfo> inBlock;
    comments->EnumComments(from, to, channel, &inBlock);
    found.insert(found.end(), inBlock.begin(), inBlock.end());
  }
  return found;
}

bool SplitDoseComment(const std::string& text, std::string* doseText, std::string* label) {
  const size_t open1 = text.find('<');
  const size_t close1 = open1 == std::string::npos ? open1 : text.find('>', open1 + 1);
  const size_t open2 = close1 == std::string::npos ? close1 : text.find('<', close1 + 1);
  const size_t close2 = open2 == std::string::npos ? open2 : text.find('>', open2 + 1);
  if (close2 == std::string::npos) {
    return false;
  }
  *doseText = text.substr(open1 + 1, close1 - open1 - 1);
  *label = text.substr(open2 + 1, close2 - open2 - 1);
  return !doseText->empty() && !label->empty();
}

std::optional<CellAddress> DoseCommentEntry::FindCell(const CommentInfo& comment) const {
  const TableViewMatrix& m = doc_.Matrix();
  const std::int32_t channel = RunChannelOf(comment);
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
      const TableViewElem& cell = m.Cell(r, c);
      if (cell.doseMarked && cell.dosePosition == comment.position && cell.channel == channel &&
          FormatDoseComment(m.Cell(r, kDoseColumn).commentText, m.Cell(kRowLabel, c).commentText) ==
              comment.text) {
        return CellAddress{r, c};
      }
    }
  }
  return std::nullopt;
}

std::uint32_t DoseCommentEntry::RowForDose(const std::string& doseText) {
  TableViewMatrix& m = doc_.Matrix();
  const std::string wanted = Kor::Trim(doseText);
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    const TableViewElem& dose = m.Cell(r, kDoseColumn);
    if ((dose.flags & kCellPrompt) == 0 && Kor::Trim(dose.text) == wanted) {
      // A dose typed by hand has never been written into a comment until now.
      if (m.Cell(r, kDoseColumn).commentText.empty()) {
        m.Cell(r, kDoseColumn).commentText = dose.text;
      }
      return r;
    }
  }
  // New doses go into the trailing "<Enter Dose>" row, which then moves down one.
  std::uint32_t row = m.RowCount() - 1;
  if ((m.Cell(row, kDoseColumn).flags & kCellPrompt) == 0) {
    m.AppendRow();
    row = m.RowCount() - 1;
  }
  m.AppendRow();
  TableViewElem& dose = m.Cell(row, kDoseColumn);
  dose.text = doseText;
  dose.commentText = doseText;
  dose.flags &= ~kCellPrompt;
  const std::optional<double> value = ReadCommentNumber(doseText);
  dose.value = value ? *value : 0.0;
  return row;
}

std::uint32_t DoseCommentEntry::ColumnFor(const std::string& label, std::int32_t channel,
                                          std::uint32_t row) {
  TableViewMatrix& m = doc_.Matrix();
  const std::string wanted = Kor::ToLower(label);
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    const TableViewElem& l = m.Cell(kRowLabel, c);
    if ((l.flags & kCellPrompt) == 0 && Kor::ToLower(l.text) == wanted &&
        RunChannel(m, c) == channel && !m.Cell(row, c).doseMarked) {
      return c;
    }
  }
  // An untouched placeholder run is taken before a new column is added.
  std::uint32_t column = m.ColumnCount();
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    const TableViewElem& l = m.Cell(kRowLabel, c);
    if ((l.flags & kCellPrompt) != 0 && (m.Cell(kRowChannel, c).flags & kCellPrompt) != 0) {
      column = c;
      break;
    }
  }
  if (column == m.ColumnCount()) {
    m.InsertColumn(column, m.NewRunColumn(column));
  }
  TableViewElem& l = m.Cell(kRowLabel, column);
  l.text = label;
  l.commentText = label;
  l.flags &= ~kCellPrompt;
  TableViewElem& ch = m.Cell(kRowChannel, column);
  ch.text = std::to_string(channel);
  ch.flags = kFlagsRunChannelSet;
  doc_.UpdateRepeatLabels();
  return column;
}

std::optional<CellAddress> DoseCommentEntry::FindOrEnter(const CommentInfo& comment) {
  if (auto found = FindCell(comment)) {
    return found;
  }
  std::string doseText;
  std::string label;
  if (!SplitDoseComment(comment.text, &doseText, &label)) {
    return std::nullopt;
  }
  const std::uint32_t row = RowForDose(doseText);
  const std::int32_t channel = RunChannelOf(comment);
  const std::uint32_t column = ColumnFor(label, channel, row);
  TableViewMatrix& m = doc_.Matrix();
  TableViewElem& cell = m.Cell(row, column);
  cell.text = kMarkedText;
  cell.dosePosition = comment.position;
  cell.channel = channel;
  cell.doseMarked = true;
  doc_.SetModified();
  // The comment may spell the dose or label differently from the table (case, spacing); the
  // cell just marked is its cell all the same.
  return CellAddress{row, column};
}

}  // namespace Tessel
