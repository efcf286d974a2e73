#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tessel/document/TableViewVector.h"
#include "tessel/host/IChartDataChildData.h"
#include "tessel/host/RefCounted.h"

namespace Tessel {

class Document;

// Fixed rows and columns of the matrix.
inline constexpr std::uint32_t kRowLetter = 0;
inline constexpr std::uint32_t kRowLabel = 1;
inline constexpr std::uint32_t kRowRepeat = 2;
inline constexpr std::uint32_t kRowChannel = 3;
inline constexpr std::uint32_t kFirstDoseRow = 4;
inline constexpr std::uint32_t kRowNumberColumn = 0;
inline constexpr std::uint32_t kDoseColumn = 1;
inline constexpr std::uint32_t kFirstRunColumn = 2;

inline constexpr const char* kSpareCellText = "BADF00D";
inline constexpr const char* kEnterDoseText = "<Enter Dose>";
inline constexpr const char* kRunLabelPattern = "<Run %1 %2>";
inline constexpr const char* kRepeatPattern = "Repeat %1";
inline constexpr const char* kNoChannelText = "-1";

// The class identifier under which the host numbers the matrix's child data type.
inline constexpr const char* kMatrixClassId = "Tessel.TableViewMatrix";

// The doses × runs table of a Document: columns of cells, column 0 the row numbers, column 1 the
// doses, columns 2 and up one run each; rows 0 to 3 headers, rows 4 and up one dose each.
class TableViewMatrix : public RefCounted<IChartDataChildData> {
 public:
  // The default matrix: row numbers, doses "A" and one run "B", five rows.
  explicit TableViewMatrix(Document* document);

  std::uint32_t ColumnCount() const { return static_cast<std::uint32_t>(columns_.size()); }
  std::uint32_t RowCount() const { return columns_.empty() ? 0 : columns_[0].Size(); }

  // The cell, or the spare "BADF00D" cell when outside the matrix; writing to the spare cell
  // changes nothing real.
  TableViewElem& Cell(std::uint32_t row, std::uint32_t column);
  const TableViewElem& Cell(std::uint32_t row, std::uint32_t column) const;
  bool Contains(std::uint32_t row, std::uint32_t column) const {
    return column < ColumnCount() && row < columns_[column].Size();
  }

  TableViewVector* Column(std::uint32_t index);
  const TableViewVector* Column(std::uint32_t index) const;

  void AppendRow();
  void InsertRow(std::uint32_t at);
  void DeleteRow(std::uint32_t at);
  void InsertColumn(std::uint32_t at, const TableViewVector& column);
  void DeleteColumn(std::uint32_t at);
  // A new run column in the default state for position at (its letter and placeholder label).
  TableViewVector NewRunColumn(std::uint32_t at) const;

  // Used by the stream reader: replaces everything with the given columns.
  void Assign(std::vector<TableViewVector> columns);
  void Clear() { columns_.clear(); }

  Ref<TableViewMatrix> Clone() const;

  Document* Owner() const { return document_; }
  void SetOwner(Document* document) { document_ = document; }

  // Rows 2 of the run columns: "Repeat n" where a label repeats an earlier run's label.
  void UpdateRepeatLabels();

  // The grid framework's stored-row query.
  Status StoredRowInfo(std::uint32_t flags, std::uint32_t* rows) const;

  // IChartDataChildData
  Status GetChildDataType(std::uint32_t* type) override;
  Status Clone(IChartDataChildData** out) override;
  Status Prepare() override { return kOk; }
  Status Export() override { return kNotImplemented; }
  Status Notify(std::uint32_t event) override;

  // The child-data type for the registry's number: number in the upper 16 bits.
  static std::uint32_t ChildDataType(std::uint16_t number) {
    return static_cast<std::uint32_t>(number) << 16;
  }

  // "A", "B", ... "Z", "AA", "BB", ... for columns 1, 2, ...
  static std::string ColumnLetter(std::uint32_t column);
  static std::string PlaceholderLabel(std::uint32_t column);

  bool operator==(const TableViewMatrix& other) const { return columns_ == other.columns_; }

 private:
  TableViewMatrix(Document* document, std::vector<TableViewVector> columns)
      : columns_(std::move(columns)), document_(document) {}

  void RenumberRows(std::uint32_t from);
  void RenameColumns(std::uint32_t from);
  TableViewElem NewRowCell(std::uint32_t row, std::uint32_t column) const;

  std::vector<TableViewVector> columns_;
  Document* document_;
  mutable TableViewElem spare_;
};

}  // namespace Tessel
