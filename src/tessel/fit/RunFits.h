#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessel/fit/FitResult.h"
#include "tessel/fit/GatherRunPoints.h"

namespace Tessel {

class TableViewMatrix;
class FittedParamsData;

// One run of the table and its fit: the run's first column, its label and channel cell texts,
// the points that went into the fit and the fit's record.
struct RunFit {
  std::uint32_t column = 0;
  std::string label;
  std::string channel;
  RunPoints points;
  FitResult result;
};

// The runs of the table in column order: every named run column that is not a repeat of another
// (its repeats are fitted with it).
std::vector<std::uint32_t> RunKeyColumns(const TableViewMatrix& matrix);

// Fits every run of the table.
std::vector<RunFit> FitAllRuns(const TableViewMatrix& matrix, bool fixHill);

// Fills a fitted-parameters table with up to eight runs from first on, one per value column.
void FillFittedParams(FittedParamsData& table, const std::vector<RunFit>& fits, size_t first);

}  // namespace Tessel
