#pragma once

#include <string>
#include <vector>

#include "tessel/document/TableViewMatrix.h"
#include "tessel/export/ITableCells.h"

namespace Tessel {

// The matrix's stored texts as the exports read them, with the recording's channel titles for
// the channel cells. For hosts without a Table View (the command line) and for the tests.
class MatrixCells : public ITableCells {
 public:
  MatrixCells(const TableViewMatrix& matrix, std::vector<std::string> channelTitles)
      : matrix_(matrix), titles_(std::move(channelTitles)) {}

  std::uint32_t RowCount() const override { return matrix_.RowCount(); }
  std::uint32_t ColumnCount() const override { return matrix_.ColumnCount(); }
  std::string GetCellText(std::uint32_t row, std::uint32_t column, std::int32_t) const override {
    return matrix_.Cell(row, column).text;
  }
  std::int32_t GetCellInfo(std::uint32_t row, std::uint32_t column, std::int32_t) const override {
    return matrix_.Cell(row, column).flags;
  }
  std::string OutputText(std::uint32_t row, std::uint32_t column) const override;

 private:
  const TableViewMatrix& matrix_;
  std::vector<std::string> titles_;
};

}  // namespace Tessel
