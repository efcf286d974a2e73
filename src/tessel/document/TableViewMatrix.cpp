#include "tessel/document/TableViewMatrix.h"

#include <unordered_set>

#include "tessel/document/Document.h"
#include "tessel/host/IChartDocument.h"
#include "tessel/host/ITypeRegistry.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

TableViewElem MakeCell(std::string text, std::int32_t flags) {
  TableViewElem e = TableViewElem::Cleared();
  e.text = std::move(text);
  e.flags = flags;
  return e;
}

TableViewElem SpareCell() {
  TableViewElem e = TableViewElem::Cleared();
  e.text = kSpareCellText;
  return e;
}

}  // namespace

TableViewMatrix::TableViewMatrix(Document* document) : document_(document), spare_(SpareCell()) {
  const std::uint32_t rows = kFirstDoseRow + 1;
  TableViewVector numbers(rows);
  TableViewVector doses(rows);
  for (std::uint32_t r = 0; r < kFirstDoseRow; ++r) {
    numbers[r] = MakeCell("", kFlagsHeaderRow);
  }
  numbers[kFirstDoseRow] = MakeCell("1", kFlagsRowNumber);
  doses[kRowLetter] = MakeCell(ColumnLetter(kDoseColumn), kFlagsHeaderRow);
  doses[kRowLabel] = MakeCell("", kFlagsDoseColumnRow1);
  doses[kRowRepeat] = MakeCell("", kFlagsHeaderRow);
  doses[kRowChannel] = MakeCell("Dose", kFlagsDoseTitle);
  doses[kFirstDoseRow] = MakeCell(kEnterDoseText, kFlagsEnterDose);
  columns_.push_back(std::move(numbers));
  columns_.push_back(std::move(doses));
  columns_.push_back(NewRunColumn(kFirstRunColumn));
}

TableViewVector TableViewMatrix::NewRunColumn(std::uint32_t at) const {
  const std::uint32_t rows = columns_.empty() ? kFirstDoseRow + 1 : RowCount();
  TableViewVector run(rows);
  const TableViewElem headers[] = {MakeCell(ColumnLetter(at), kFlagsHeaderRow),
                                   MakeCell(PlaceholderLabel(at), kFlagsRunLabelPlaceholder),
                                   MakeCell("", kFlagsHeaderRow),
                                   MakeCell(kNoChannelText, kFlagsRunChannelUnset)};
  for (std::uint32_t r = 0; r < kFirstDoseRow && r < rows; ++r) {
    run[r] = headers[r];
  }
  return run;
}

TableViewElem& TableViewMatrix::Cell(std::uint32_t row, std::uint32_t column) {
  if (!Contains(row, column)) {
    spare_ = SpareCell();
    return spare_;
  }
  return columns_[column][row];
}

const TableViewElem& TableViewMatrix::Cell(std::uint32_t row, std::uint32_t column) const {
  if (!Contains(row, column)) {
    spare_ = SpareCell();
    return spare_;
  }
  return columns_[column][row];
}

TableViewVector* TableViewMatrix::Column(std::uint32_t index) {
  return index < ColumnCount() ? &columns_[index] : nullptr;
}

const TableViewVector* TableViewMatrix::Column(std::uint32_t index) const {
  return index < ColumnCount() ? &columns_[index] : nullptr;
}

TableViewElem TableViewMatrix::NewRowCell(std::uint32_t row, std::uint32_t column) const {
  if (column == kRowNumberColumn) {
    return MakeCell(std::to_string(row - 3), kFlagsRowNumber);
  }
  if (column == kDoseColumn) {
    return MakeCell(kEnterDoseText, kFlagsEnterDose);
  }
  return TableViewElem::Cleared();
}

void TableViewMatrix::AppendRow() {
  const std::uint32_t row = RowCount();
  for (std::uint32_t c = 0; c < ColumnCount(); ++c) {
    columns_[c].Append(NewRowCell(row, c));
  }
}

void TableViewMatrix::InsertRow(std::uint32_t at) {
  if (at > RowCount()) {
    return;
  }
  for (std::uint32_t c = 0; c < ColumnCount(); ++c) {
    columns_[c].Insert(at, NewRowCell(at, c));
  }
  RenumberRows(at + 1);
}

void TableViewMatrix::DeleteRow(std::uint32_t at) {
  if (at >= RowCount()) {
    return;
  }
  for (auto& column : columns_) {
    column.Erase(at);
  }
  RenumberRows(at);
}

void TableViewMatrix::RenumberRows(std::uint32_t from) {
  if (columns_.empty()) {
    return;
  }
  for (std::uint32_t r = std::max(from, kFirstDoseRow); r < RowCount(); ++r) {
    columns_[kRowNumberColumn][r].text = std::to_string(r - 3);
  }
}

void TableViewMatrix::InsertColumn(std::uint32_t at, const TableViewVector& column) {
  // Every column has the same number of rows; a column of another height would break that.
  if (at > ColumnCount() || (!columns_.empty() && column.Size() != RowCount())) {
    return;
  }
  columns_.insert(columns_.begin() + at, column);
  RenameColumns(at + 1);
}

void TableViewMatrix::DeleteColumn(std::uint32_t at) {
  if (at >= ColumnCount()) {
    return;
  }
  columns_.erase(columns_.begin() + at);
  RenameColumns(at);
}

void TableViewMatrix::RenameColumns(std::uint32_t from) {
  for (std::uint32_t c = std::max<std::uint32_t>(from, kDoseColumn); c < ColumnCount(); ++c) {
    auto& column = columns_[c];
    if (column.Size() <= kRowLabel) {
      continue;
    }
    column[kRowLetter].text = ColumnLetter(c);
    if (c >= kFirstRunColumn && (column[kRowLabel].flags & kCellPrompt) != 0) {
      column[kRowLabel].text = PlaceholderLabel(c);
    }
  }
}

void TableViewMatrix::Assign(std::vector<TableViewVector> columns) {
  columns_ = std::move(columns);
}

Ref<TableViewMatrix> TableViewMatrix::Clone() const {
  // A copy lives on in the host's store; it must not reach back into a Document that may close.
  return Ref<TableViewMatrix>(new TableViewMatrix(nullptr, columns_));
}

void TableViewMatrix::UpdateRepeatLabels() {
  // Each run column counts the later columns with its label, and a later column's count writes
  // over an earlier one's; so the count a column is left with is always the one started by its
  // nearest earlier namesake, where it is the first: "Repeat 1" for every column whose label came
  // before, nothing for the others. One pass gives that, as runs are added one by one in batches.
  std::unordered_set<std::string> seen;
  for (std::uint32_t c = kFirstRunColumn; c < ColumnCount(); ++c) {
    const bool repeat = !seen.insert(Kor::ToLower(Cell(kRowLabel, c).commentText)).second;
    Cell(kRowRepeat, c).text = repeat ? Kor::FormatMessage(kRepeatPattern, {"1"}) : "";
  }
}

Status TableViewMatrix::StoredRowInfo(std::uint32_t flags, std::uint32_t* rows) const {
  if (rows == nullptr) {
    return kFail;
  }
  if (RowCount() == 0) {
    *rows = 0;
    return kFalse;
  }
  *rows = (flags & 0x8) != 0 ? RowCount() : 2;
  return kOk;
}

Status TableViewMatrix::GetChildDataType(std::uint32_t* type) {
  if (type == nullptr) {
    return kFail;
  }
  // The host's number for our class identifier never changes while it runs: ask once.
  static std::uint16_t number = 0;
  static bool known = false;
  if (!known && document_ != nullptr) {
    if (auto registry = QueryService<ITypeRegistry>(document_->Parent())) {
      known = registry->RegisterType(kMatrixClassId, &number) == kOk;
    }
  }
  *type = ChildDataType(number);
  return kOk;
}

Status TableViewMatrix::Clone(IChartDataChildData** out) {
  if (out == nullptr) {
    return kFail;
  }
  Ref<TableViewMatrix> copy = Clone();
  *out = copy.detach();
  return kOk;
}

Status TableViewMatrix::Notify(std::uint32_t event) {
  if (event == kChildDataRecordingChanged && document_ != nullptr) {
    document_->UpdateAllViews();
  }
  return kOk;
}

std::string TableViewMatrix::ColumnLetter(std::uint32_t column) {
  if (column == 0) {
    return "";
  }
  const std::uint32_t n = column - 1;
  return std::string(n / 26 + 1, static_cast<char>('A' + n % 26));
}

std::string TableViewMatrix::PlaceholderLabel(std::uint32_t column) {
  return Kor::FormatMessage(kRunLabelPattern, {ColumnLetter(column), "Label"});
}

}  // namespace Tessel
