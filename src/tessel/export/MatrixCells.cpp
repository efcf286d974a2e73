#include "tessel/export/MatrixCells.h"

#include "tessel/document/NumberText.h"

namespace Tessel {

std::string MatrixCells::OutputText(std::uint32_t row, std::uint32_t column) const {
  return CellOutputText(matrix_.Cell(row, column), titles_);
}

}  // namespace Tessel
