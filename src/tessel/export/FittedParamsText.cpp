#include "tessel/export/FittedParamsText.h"

#include "tessel/fit/FittedParamsData.h"

namespace Tessel {

std::string FittedParamsText(const FittedParamsData& table, std::uint32_t columns) {
  std::string text;
  for (std::uint32_t r = 0; r < table.RowCount(); ++r) {
    for (std::uint32_t c = 0; c < columns; ++c) {
      text += table.CellText(r, c);
      text += c + 1 == columns ? "\r\n" : "\t";
    }
  }
  return text;
}

std::string FittedParamsText(const std::vector<RunFit>& fits, const DocumentSettings& settings) {
  auto table = MakeRef<FittedParamsData>(settings);
  std::string text;
  for (size_t first = 0; first < fits.size() || first == 0;
       first += FittedParamsData::kValueColumns) {
    FillFittedParams(*table, fits, first);
    text += FittedParamsText(*table, table->ColumnCount());
  }
  return text;
}

}  // namespace Tessel
