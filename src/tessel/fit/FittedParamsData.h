#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tessel/document/DocumentSettings.h"
#include "tessel/fit/FitResult.h"
#include "tessel/host/RefCounted.h"

namespace Tessel {

// The fitted-parameters table: 25 fixed rows of best-fit values, standard errors, confidence
// intervals, goodness of fit and data count, with a label column and one column per run slot.
// Numbers are formatted with the significant figures and notation of the settings it reads,
// at the moment a column is written.
class FittedParamsData : public RefCounted<IUnknown> {
 public:
  static constexpr std::uint32_t kRowCount = 25;
  static constexpr std::uint32_t kValueColumns = 8;
  static constexpr std::uint32_t kColumnCount = kValueColumns + 1;

  // Grid style words of the cells.
  static constexpr std::int32_t kStyleLabel = 0x21;
  static constexpr std::int32_t kStyleHeading = 0x1020;
  static constexpr std::int32_t kStyleTitleValue = 0x1010;
  static constexpr std::int32_t kStyleValue = 0x1001;

  static constexpr const char* kTitle = "Tessel Results View";
  static constexpr const char* kListName = "Copy Fitted Parameters";
  static constexpr const char* kFitFailed = "(FIT FAILED)";

  // settings must outlive the table (the Document owns both).
  explicit FittedParamsData(const DocumentSettings& settings);

  // All 25 rows with their labels and empty value cells.
  void ResetTable();
  // Writes value column `column` (0 to 7) from a fit record; a failed fit or one without valid
  // statistics shows its title with "(FIT FAILED)" and only the number of points.
  void SetRunColumn(std::uint32_t column, const std::string& title, const FitResult& result);

  // Data manager: text and style of a cell; columns = labels + value columns with a title.
  const std::string& CellText(std::uint32_t row, std::uint32_t column) const;
  std::int32_t CellStyle(std::uint32_t row, std::uint32_t column) const;
  std::uint32_t ColumnCount() const;
  std::string Title() const { return kTitle; }
  std::string DefaultText() const { return {}; }
  // Stored-row information.
  std::uint32_t RowCount() const { return static_cast<std::uint32_t>(rows_.size()); }
  // List generator: the table offers no list.
  Status GetListCount(std::uint32_t* count) const;
  std::string ListName() const { return kListName; }

  static bool IsHeadingRow(std::uint32_t row);

 private:
  using Row = std::array<std::string, kColumnCount>;

  void Write(std::uint32_t row, std::uint32_t cell, std::string text);
  std::string Number(double value) const;
  std::string Interval(double lower, double upper) const;

  const DocumentSettings& settings_;
  std::vector<Row> rows_;
};

}  // namespace Tessel
