#include "tessel/fit/FittedParamsData.h"

#include <cmath>

#include "tessel/document/NumberText.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

constexpr const char* kRowLabels[FittedParamsData::kRowCount] = {
    "",
    "Best-fit values",
    "BOTTOM",
    "TOP",
    "LOGEC50",
    "EC50",
    "Hill Slope",
    "Std. Error",
    "BOTTOM",
    "TOP",
    "LOGEC50",
    "Hill Slope",
    "95% Confidence Intervals",
    "BOTTOM",
    "TOP",
    "LOGEC50",
    "EC50",
    "Hill Slope",
    "Goodness of Fit",
    "Degrees of Freedom",
    "R Squared",
    "Absolute Sum of Squares",
    "Sy.x",
    "Data",
    "Analyzed",
};

const std::string kEmpty;

}  // namespace

FittedParamsData::FittedParamsData(const DocumentSettings& settings) : settings_(settings) {
  ResetTable();
}

bool FittedParamsData::IsHeadingRow(std::uint32_t row) {
  return row == 1 || row == 7 || row == 12 || row == 18 || row == 23;
}

void FittedParamsData::ResetTable() {
  rows_.clear();
  for (const char* label : kRowLabels) {
    Row row;
    row[0] = label;
    rows_.push_back(std::move(row));
  }
}

std::string FittedParamsData::Number(double value) const {
  return FormatNumber(value, settings_.sigFigs, settings_.scientific);
}

std::string FittedParamsData::Interval(double lower, double upper) const {
  return Kor::FormatMessage("%1 to %2", {Number(lower), Number(upper)});
}

void FittedParamsData::Write(std::uint32_t row, std::uint32_t cell, std::string text) {
  rows_[row][cell] = std::move(text);
}

void FittedParamsData::SetRunColumn(std::uint32_t column, const std::string& title,
                                    const FitResult& result) {
  if (column >= kValueColumns || rows_.size() != kRowCount) {
    return;
  }
  const std::uint32_t cell = column + 1;
  const bool ok = result.converged && result.statisticsValid;
  Write(0, cell, ok ? title : title + " " + kFitFailed);
  Write(1, cell, "");
  // Every value row, in table order; all of them are blank for a failed fit.
  const std::pair<std::uint32_t, std::string> values[] = {
      {2, Number(result.bottom.value)},
      {3, Number(result.top.value)},
      {4, Number(result.logEC50.value)},
      {5, Number(std::pow(10.0, result.logEC50.value))},
      {6, Number(result.hillSlope.value)},
      {8, Number(result.bottom.standardError)},
      {9, Number(result.top.standardError)},
      {10, Number(result.logEC50.standardError)},
      {11, Number(result.hillSlope.standardError)},
      {13, Interval(result.bottom.lower, result.bottom.upper)},
      {14, Interval(result.top.lower, result.top.upper)},
      {15, Interval(result.logEC50.lower, result.logEC50.upper)},
      {16, Interval(std::pow(10.0, result.logEC50.lower), std::pow(10.0, result.logEC50.upper))},
      {17, Interval(result.hillSlope.lower, result.hillSlope.upper)},
      {19, std::to_string(result.degreesOfFreedom)},
      {20, Number(result.rSquared)},
      {21, Number(result.absoluteSumOfSquares)},
      {22, Number(result.syx)},
  };
  for (const auto& [row, text] : values) {
    Write(row, cell, ok ? text : std::string());
  }
  Write(24, cell, std::to_string(result.pointsAnalysed));
}

const std::string& FittedParamsData::CellText(std::uint32_t row, std::uint32_t column) const {
  if (row >= rows_.size() || column >= kColumnCount) {
    return kEmpty;
  }
  return rows_[row][column];
}

std::int32_t FittedParamsData::CellStyle(std::uint32_t row, std::uint32_t column) const {
  if (column == 0) {
    return IsHeadingRow(row) ? kStyleHeading : kStyleLabel;
  }
  return row <= 1 ? kStyleTitleValue : kStyleValue;
}

std::uint32_t FittedParamsData::ColumnCount() const {
  std::uint32_t count = 1;
  if (rows_.empty()) {
    return count;
  }
  for (std::uint32_t c = 1; c < kColumnCount; ++c) {
    if (!rows_[0][c].empty()) {
      ++count;
    }
  }
  return count;
}

Status FittedParamsData::GetListCount(std::uint32_t* count) const {
  if (count != nullptr) {
    *count = 1;
  }
  return kFail;
}

}  // namespace Tessel
