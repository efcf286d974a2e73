#pragma once

#include <string>
#include <vector>

#include "tessel/export/ITableCells.h"
#include "tessel/views/TableViewData.h"

namespace Tessel {

// The Table View's grid adapter as the exports read it, so that files, copies and Data Pad rows
// carry exactly what the Table View shows.
class TableViewCells : public ITableCells {
 public:
  explicit TableViewCells(TableViewData& data) : data_(data), titles_(data.ChannelTitles()) {}

  std::uint32_t RowCount() const override;
  std::uint32_t ColumnCount() const override;
  std::string GetCellText(std::uint32_t row, std::uint32_t column,
                          std::int32_t mode) const override {
    return data_.GetCellText(mode, row, column);
  }
  std::int32_t GetCellInfo(std::uint32_t row, std::uint32_t column,
                           std::int32_t mode) const override {
    return data_.GetCellInfo(mode, row, column);
  }
  std::string OutputText(std::uint32_t row, std::uint32_t column) const override;

 private:
  TableViewData& data_;
  std::vector<std::string> titles_;
};

}  // namespace Tessel
