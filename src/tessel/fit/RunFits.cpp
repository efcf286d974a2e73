#include "tessel/fit/RunFits.h"

#include "tessel/document/TableViewMatrix.h"
#include "tessel/fit/FitRun.h"
#include "tessel/fit/FittedParamsData.h"

namespace Tessel {

std::vector<std::uint32_t> RunKeyColumns(const TableViewMatrix& matrix) {
  std::vector<std::uint32_t> keys;
  for (std::uint32_t c = kFirstRunColumn; c < matrix.ColumnCount(); ++c) {
    if ((matrix.Cell(kRowLabel, c).flags & kCellPrompt) == 0 &&
        matrix.Cell(kRowRepeat, c).text.empty()) {
      keys.push_back(c);
    }
  }
  return keys;
}

std::vector<RunFit> FitAllRuns(const TableViewMatrix& matrix, bool fixHill) {
  std::vector<RunFit> fits;
  for (std::uint32_t c : RunKeyColumns(matrix)) {
    RunFit fit;
    fit.column = c;
    fit.label = matrix.Cell(kRowLabel, c).text;
    fit.channel = matrix.Cell(kRowChannel, c).text;
    fit.points = GatherRunPoints(matrix, c);
    FitRun(fit.points.doses, fit.points.responses, fixHill, fit.result);
    fits.push_back(std::move(fit));
  }
  return fits;
}

void FillFittedParams(FittedParamsData& table, const std::vector<RunFit>& fits, size_t first) {
  table.ResetTable();
  for (size_t i = first; i < fits.size() && i - first < FittedParamsData::kValueColumns; ++i) {
    table.SetRunColumn(static_cast<std::uint32_t>(i - first), fits[i].label, fits[i].result);
  }
}

}  // namespace Tessel
