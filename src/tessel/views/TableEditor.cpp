#include "tessel/views/TableEditor.h"

#include <charconv>
#include <cmath>
#include <locale>
#include <sstream>

#include "tessel/document/Document.h"
#include "tessel/measure/CommentKeeper.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/views/TableDeletion.h"
#include "tessel/views/TableMessages.h"

namespace Tessel {
namespace {

double ReadReal(const std::string& text) {
  std::istringstream in(text);
  in.imbue(std::locale::classic());
  double value = 0.0;
  if (!(in >> value)) {
    return 0.0;
  }
  return value;
}

}  // namespace

std::string TableEditor::NormaliseDose(const std::string& text, double* value) {
  *value = ReadReal(text);
  return DoseNumberText(*value);
}

bool TableEditor::IsReservedWord(const std::string& text) {
  for (const char* word : kReservedWords) {
    if (text == word) {
      return true;
    }
  }
  return false;
}

bool TableEditor::Ask(const char* text) const {
  return doc_.ShowMessage(text, MessageIcon::kWarning, MessageButtons::kYesNo) ==
         MessageAnswer::kYes;
}

void TableEditor::Changed() {
  doc_.SetModified();
  doc_.UpdateAllViews();
}

void TableEditor::Commit(std::uint32_t row, std::uint32_t column, const std::string& text) {
  const TableViewMatrix& m = doc_.Matrix();
  if (!m.Contains(row, column) || m.Cell(row, column).text == text) {
    return;
  }
  const std::int32_t flags = m.Cell(row, column).flags;
  if (column == kDoseColumn && row >= kFirstDoseRow) {
    CommitDose(row, text);
  } else if (column >= kFirstRunColumn && row == kRowLabel) {
    CommitLabel(column, text);
  } else if (column >= kFirstRunColumn && (row == kRowChannel || (flags & kCellList) != 0)) {
    CommitChannel(column, text);
  } else if (column >= kFirstRunColumn && row >= kFirstDoseRow) {
    CommitResponse(row, column, text);
  }
}

void TableEditor::CommitDose(std::uint32_t row, const std::string& text) {
  TableViewMatrix& m = doc_.Matrix();
  double value = 0.0;
  const std::string dose = NormaliseDose(text, &value);
  const bool hadDose = (m.Cell(row, kDoseColumn).flags & kCellPrompt) == 0;
  // 0.10 typed over 0.1 changes nothing, so there is nothing to ask about.
  if (hadDose && dose == m.Cell(row, kDoseColumn).text) {
    return;
  }
  if (hadDose && confirm_ && TableDeletion(doc_, confirm_).RowHasComments(row) &&
      !Ask(kMsgUpdateRowComments)) {
    return;
  }
  if (!(value > 0.0) || !std::isfinite(value)) {
    doc_.ShowMessage(kMsgNotPositiveDose, MessageIcon::kInformation, MessageButtons::kOkOnly);
  }
  TableViewElem& cell = m.Cell(row, kDoseColumn);
  cell.text = dose;
  cell.value = DoseValue(dose);
  cell.flags &= ~kCellPrompt;
  // There is always one empty row at the bottom to type the next dose into.
  if (row + 1 == m.RowCount()) {
    m.AppendRow();
  }
  doc_.UpdateRowComments(row, dose);
  Changed();
}

void TableEditor::CommitLabel(std::uint32_t column, const std::string& text) {
  TableViewMatrix& m = doc_.Matrix();
  const bool hasComments = TableDeletion(doc_, confirm_).ColumnHasComments(column);
  TableViewElem& label = m.Cell(kRowLabel, column);
  if (text.empty()) {
    // An unnamed run shows its placeholder again; one with comments keeps the name they carry.
    if (!hasComments) {
      label.text = TableViewMatrix::PlaceholderLabel(column);
      label.commentText.clear();
      label.flags = kFlagsRunLabelPlaceholder;
      doc_.UpdateRepeatLabels();
      Changed();
    }
    return;
  }
  if (hasComments && (label.flags & kCellPrompt) == 0 && confirm_ &&
      !Ask(kMsgUpdateColumnComments)) {
    return;
  }
  label.text = text;
  label.flags &= ~kCellPrompt;
  CommentKeeper(doc_).UpdateColumnComments(column, text);
  doc_.UpdateRepeatLabels();
  Changed();
}

void TableEditor::CommitChannel(std::uint32_t column, const std::string& text) {
  std::int32_t channel = kNoChannel;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), channel);
  if (ec != std::errc{} || ptr != text.data() + text.size() || channel < kAllChannels) {
    return;
  }
  TableDeletion deletion(doc_, confirm_);
  if (deletion.ColumnHasComments(column)) {
    if (confirm_ && !Ask(kMsgClearColumn)) {
      return;
    }
    deletion.ClearColumnDoses(column);
  }
  TableViewElem& cell = doc_.Matrix().Cell(kRowChannel, column);
  cell.text = std::to_string(channel);
  cell.flags = channel == kNoChannel ? kFlagsRunChannelUnset : kFlagsRunChannelSet;
  Changed();
}

void TableEditor::CommitResponse(std::uint32_t row, std::uint32_t column, const std::string& text) {
  if (IsReservedWord(text)) {
    doc_.ShowMessage(kMsgReservedWord, MessageIcon::kWarning, MessageButtons::kOkOnly);
    return;
  }
  TableViewElem& cell = doc_.Matrix().Cell(row, column);
  if (text.empty()) {
    if (cell.doseMarked) {
      if (confirm_ && !Ask(kMsgDeleteDoseComment)) {
        return;
      }
      CommentKeeper(doc_).DeleteCellComment(row, column);
    }
    cell = TableViewElem::Cleared();
    Changed();
    return;
  }
  cell.text = text;
  cell.response = ReadReal(text);
  Changed();
}

}  // namespace Tessel
