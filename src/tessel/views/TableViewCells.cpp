#include "tessel/views/TableViewCells.h"

#include "tessel/document/NumberText.h"

namespace Tessel {

std::uint32_t TableViewCells::RowCount() const {
  return data_.RowCount();
}

std::uint32_t TableViewCells::ColumnCount() const {
  std::uint32_t count = 0;
  data_.GetColumnCount(&count);
  return count;
}

std::string TableViewCells::OutputText(std::uint32_t row, std::uint32_t column) const {
  TableViewElem cell = TableViewElem::Cleared();
  cell.text = GetCellText(row, column, kStoredTextMode);
  cell.flags = GetCellInfo(row, column, kStoredTextMode);
  return CellOutputText(cell, titles_);
}

}  // namespace Tessel
