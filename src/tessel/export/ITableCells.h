#pragma once

#include <cstdint>
#include <string>

namespace Tessel {

// Grid query mode for the text a cell stores (as opposed to a summary shown in its place).
inline constexpr std::int32_t kStoredTextMode = 8;

// What every export reads of the table: the grid's size, a cell's stored text and its flags.
// The Table View's grid adapter implements it, so exports write exactly what the view shows.
class ITableCells {
 public:
  virtual ~ITableCells() = default;

  virtual std::uint32_t RowCount() const = 0;
  virtual std::uint32_t ColumnCount() const = 0;
  virtual std::string GetCellText(std::uint32_t row, std::uint32_t column,
                                  std::int32_t mode) const = 0;
  virtual std::int32_t GetCellInfo(std::uint32_t row, std::uint32_t column,
                                   std::int32_t mode) const = 0;
  // The text a cell carries out of the module: channel titles for channel cells, nothing for
  // prompts.
  virtual std::string OutputText(std::uint32_t row, std::uint32_t column) const = 0;
};

}  // namespace Tessel
