#include "tessel/views/TableDeletion.h"

#include <set>

#include "tessel/document/Document.h"
#include "tessel/measure/CommentKeeper.h"
#include "tessel/views/TableMessages.h"

namespace Tessel {

bool TableDeletion::Ask(const char* text) const {
  return doc_.ShowMessage(text, MessageIcon::kWarning, MessageButtons::kYesNo) ==
         MessageAnswer::kYes;
}

void TableDeletion::Changed() {
  doc_.SetModified();
  doc_.UpdateAllViews();
}

bool TableDeletion::RowHasComments(std::uint32_t row) const {
  const TableViewMatrix& m = doc_.Matrix();
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    if (m.Cell(row, c).doseMarked) {
      return true;
    }
  }
  return false;
}

bool TableDeletion::ColumnHasComments(std::uint32_t column) const {
  const TableViewMatrix& m = doc_.Matrix();
  for (std::uint32_t r = kFirstDoseRow; r < m.RowCount(); ++r) {
    if (m.Cell(r, column).doseMarked) {
      return true;
    }
  }
  return false;
}

bool TableDeletion::LinkedToComments(const std::vector<CellRange>& ranges) const {
  const TableViewMatrix& m = doc_.Matrix();
  for (const CellRange& range : ranges) {
    for (std::uint32_t c = range.left; c <= range.right && c < m.ColumnCount(); ++c) {
      for (std::uint32_t r = range.top; r <= range.bottom && r < m.RowCount(); ++r) {
        const bool linked =
            (r >= kFirstDoseRow && c >= kFirstRunColumn && m.Cell(r, c).doseMarked) ||
            (r >= kFirstDoseRow && c <= kDoseColumn && RowHasComments(r)) ||
            (r == kRowChannel && c >= kFirstRunColumn && ColumnHasComments(c));
        if (linked) {
          return true;
        }
      }
    }
  }
  return false;
}

void TableDeletion::ClearRunCell(std::uint32_t row, std::uint32_t column) {
  TableViewElem& cell = doc_.Matrix().Cell(row, column);
  if (cell.doseMarked) {
    CommentKeeper(doc_).DeleteCellComment(row, column);
  }
  cell = TableViewElem::Cleared();
}

void TableDeletion::ClearColumnDoses(std::uint32_t column) {
  for (std::uint32_t r = kFirstDoseRow; r < doc_.Matrix().RowCount(); ++r) {
    ClearRunCell(r, column);
  }
}

void TableDeletion::ClearDose(std::uint32_t row) {
  TableViewMatrix& m = doc_.Matrix();
  // A dose whose runs still point at it would leave comments no cell can find.
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    if (m.Cell(row, c).doseMarked) {
      ClearRunCell(row, c);
    }
  }
  TableViewElem& dose = m.Cell(row, kDoseColumn);
  dose = TableViewElem::Cleared();
  dose.text = kEnterDoseText;
  dose.flags = kFlagsEnterDose;
}

void TableDeletion::ClearLabel(std::uint32_t column) {
  TableViewMatrix& m = doc_.Matrix();
  // The label is part of every dose comment of the run; it stays while any exists.
  if (ColumnHasComments(column)) {
    return;
  }
  TableViewElem& label = m.Cell(kRowLabel, column);
  label.text = TableViewMatrix::PlaceholderLabel(column);
  label.commentText.clear();
  label.flags = kFlagsRunLabelPlaceholder;
  doc_.UpdateRepeatLabels();
}

void TableDeletion::ClearChannel(std::uint32_t column) {
  ClearColumnDoses(column);
  TableViewElem& channel = doc_.Matrix().Cell(kRowChannel, column);
  channel.text = kNoChannelText;
  channel.flags = kFlagsRunChannelUnset;
}

void TableDeletion::ClearCell(std::uint32_t row, std::uint32_t column) {
  const TableViewMatrix& m = doc_.Matrix();
  if (!m.Contains(row, column)) {
    return;
  }
  if (row >= kFirstDoseRow && column >= kFirstRunColumn) {
    ClearRunCell(row, column);
  } else if (row >= kFirstDoseRow && column == kDoseColumn && row + 1 < m.RowCount()) {
    ClearDose(row);
  } else if (row == kRowLabel && column >= kFirstRunColumn) {
    ClearLabel(column);
  } else if (row == kRowChannel && column >= kFirstRunColumn) {
    ClearChannel(column);
  }
}

void TableDeletion::DeleteCell(std::uint32_t row, std::uint32_t column) {
  const TableViewMatrix& m = doc_.Matrix();
  if (!m.Contains(row, column)) {
    return;
  }
  const bool runCell = row >= kFirstDoseRow && column >= kFirstRunColumn;
  if (confirm_) {
    if (runCell && m.Cell(row, column).doseMarked && !Ask(kMsgDeleteDoseComment)) {
      return;
    }
    if (row == kRowChannel && column >= kFirstRunColumn && ColumnHasComments(column) &&
        !Ask(kMsgClearColumn)) {
      return;
    }
    if (row >= kFirstDoseRow && column == kDoseColumn && RowHasComments(row) &&
        !Ask(kMsgDeleteSelectionAndComments)) {
      return;
    }
  }
  ClearCell(row, column);
  Changed();
}

bool TableDeletion::WholeRow(const CellRange& range, std::uint32_t row) const {
  const TableViewMatrix& m = doc_.Matrix();
  // The trailing "<Enter Dose>" row is where the next dose is typed; it is never removed.
  return row >= kFirstDoseRow && row + 1 < m.RowCount() && range.left <= kDoseColumn &&
         range.right + 1 >= m.ColumnCount();
}

bool TableDeletion::WholeColumn(const CellRange& range, std::uint32_t column) const {
  return column >= kFirstRunColumn && range.top == 0 &&
         range.bottom + 1 >= doc_.Matrix().RowCount();
}

bool TableDeletion::DeleteRanges(const std::vector<CellRange>& ranges) {
  if (ranges.empty()) {
    return false;
  }
  if (!Ask(LinkedToComments(ranges) ? kMsgDeleteSelectionAndComments : kMsgDeleteSelection)) {
    return false;
  }
  std::set<std::uint32_t> rows;
  std::set<std::uint32_t> columns;
  std::set<std::uint32_t> labels;
  for (const CellRange& range : ranges) {
    for (std::uint32_t r = range.top; r <= range.bottom && r < doc_.Matrix().RowCount(); ++r) {
      for (std::uint32_t c = range.left; c <= range.right && c < doc_.Matrix().ColumnCount(); ++c) {
        if (WholeRow(range, r)) {
          rows.insert(r);
        } else if (WholeColumn(range, c)) {
          columns.insert(c);
        } else if (r == kRowLabel) {
          labels.insert(c);
        } else {
          ClearCell(r, c);
        }
      }
    }
  }
  // Labels last: a label stays while its run has comments, and those may just have gone.
  for (std::uint32_t c : labels) {
    ClearCell(kRowLabel, c);
  }
  // From the bottom and the right, so the indexes still to go stay valid.
  for (auto r = rows.rbegin(); r != rows.rend(); ++r) {
    RemoveRow(*r);
  }
  for (auto c = columns.rbegin(); c != columns.rend(); ++c) {
    RemoveColumn(*c);
  }
  Changed();
  return true;
}

void TableDeletion::RemoveRow(std::uint32_t row) {
  TableViewMatrix& m = doc_.Matrix();
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    if (m.Cell(row, c).doseMarked) {
      CommentKeeper(doc_).DeleteCellComment(row, c);
    }
  }
  m.DeleteRow(row);
}

void TableDeletion::RemoveColumn(std::uint32_t column) {
  TableViewMatrix& m = doc_.Matrix();
  ClearColumnDoses(column);
  // A table always keeps one run: the last one is emptied instead of removed.
  if (m.ColumnCount() <= kFirstRunColumn + 1) {
    *m.Column(column) = m.NewRunColumn(column);
  } else {
    m.DeleteColumn(column);
  }
  doc_.UpdateRepeatLabels();
}

void TableDeletion::DeleteRow(std::uint32_t row) {
  const TableViewMatrix& m = doc_.Matrix();
  if (row < kFirstDoseRow || row + 1 >= m.RowCount()) {
    return;
  }
  if (RowHasComments(row) && !Ask(kMsgDeleteSelectionAndComments)) {
    return;
  }
  RemoveRow(row);
  Changed();
}

void TableDeletion::DeleteColumn(std::uint32_t column) {
  if (column < kFirstRunColumn || column >= doc_.Matrix().ColumnCount()) {
    return;
  }
  if (ColumnHasComments(column) && !Ask(kMsgDeleteSelectionAndComments)) {
    return;
  }
  RemoveColumn(column);
  Changed();
}

}  // namespace Tessel
