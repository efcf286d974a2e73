#include "tessel/measure/DoseCommentEntry.h"

#include <algorithm>
#include <string_view>

#include "tessel/document/Document.h"
#include "tessel/measure/CellAdvance.h"
#include "tessel/measure/CommentKeeper.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/measure/DoseMarker.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

// Whether text ends with '<', then inner, then '>'.
bool EndsWithBracketed(std::string_view text, std::string_view inner) {
  if (text.size() < inner.size() + 2 || text.back() != '>') {
    return false;
  }
  const size_t at = text.size() - inner.size() - 1;
  return text[at - 1] == '<' && text.substr(at, inner.size()) == inner;
}

}  // namespace

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
  // A comment written for a cell of a run ends with "<label>" of that run, so only the runs
  // whose label ends the text can hold its cell. Looking at the labels first keeps the search
  // from touching every cell of a table that grows with the recording's comments.
  std::vector<std::uint32_t> runs;
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    if (EndsWithBracketed(comment.text, m.Cell(kRowLabel, c).commentText)) {
      runs.push_back(c);
    }
  }
  // Row by row, as the table is read, so that the first of several matching cells is found.
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    for (std::uint32_t c : runs) {
      if (CommentMatchesCell(m, comment, comment.text, r, c)) {
        return CellAddress{r, c};
      }
    }
  }
  return std::nullopt;
}

std::uint32_t DoseCommentEntry::RowForDose(const std::string& doseText) {
  TableViewMatrix& m = doc_.Matrix();
  const std::string trimmed = Kor::Trim(doseText);
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    TableViewElem& dose = m.Cell(r, kDoseColumn);
    if ((dose.flags & kCellPrompt) != 0) {
      continue;
    }
    // The row's comments are found by the dose text they were written with, so a row that has
    // written comments is this dose's row only when it wrote them with exactly this text.
    if (dose.commentText == doseText) {
      return r;
    }
    // A dose typed by hand has never been written into a comment until now.
    if (dose.commentText.empty() && Kor::Trim(dose.text) == trimmed) {
      dose.commentText = doseText;
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
  // "TSL: < 1 > <A>" is a dose of 1: the table shows and fits the dose without the blanks, while
  // the comment text keeps them so that the comment is still found.
  dose.text = trimmed;
  dose.commentText = doseText;
  dose.flags &= ~kCellPrompt;
  dose.value = DoseValue(dose.text);
  return row;
}

std::uint32_t DoseCommentEntry::ColumnFor(const std::string& label, std::int32_t channel,
                                          std::uint32_t row) {
  TableViewMatrix& m = doc_.Matrix();
  // As with doses, a run's comments are found by the label they were written with, letter for
  // letter: "<r>" is not a comment of the run "R".
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    TableViewElem& l = m.Cell(kRowLabel, c);
    if ((l.flags & kCellPrompt) != 0 || RunChannel(m, c) != channel || m.Cell(row, c).doseMarked) {
      continue;
    }
    if (l.commentText == label) {
      return c;
    }
    if (l.commentText.empty() && l.text == label) {
      l.commentText = label;
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
  // The row and the column were chosen so that the comment's texts give back the comment, so
  // the search finds the cell just marked; searching again keeps that promise checked.
  return FindCell(comment);
}

}  // namespace Tessel
