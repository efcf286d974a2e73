#pragma once

#include <cstdint>
#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// Text modes of the grid's cell queries: the stored text, or anything else for the summary line.
inline constexpr std::int32_t kGridStoredText = 8;

// What the grid reads its cells through: the grid control's side of the table, which the module's
// grid adapter implements.
class ITableDataManager : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "ITableDataManager";

  virtual std::string GetCellText(std::int32_t mode, std::uint32_t row, std::uint32_t column) = 0;
  virtual std::int32_t GetCellInfo(std::int32_t mode, std::uint32_t row, std::uint32_t column) = 0;
  // kFalse when there are no columns.
  virtual Status GetColumnCount(std::uint32_t* count) = 0;
  virtual std::string Name() = 0;
  virtual std::string Title() = 0;
  // The number of stored rows, the header rows included.
  virtual Status GetRowCount(std::uint32_t* count) = 0;
};

// The items of a cell's context menu.
class IListGenerator : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IListGenerator";

  // kFail for a cell that offers nothing at all.
  virtual Status GetItemCount(std::uint32_t row, std::uint32_t column, std::uint32_t* count) = 0;
  virtual Status GetItemText(std::uint32_t row, std::uint32_t column, std::uint32_t index,
                             std::string* text) = 0;
};

}  // namespace Tessel
