#pragma once

#include <cstdint>
#include <vector>

namespace Tessel {

class Document;

// A rectangle of grid cells, both corners included.
struct CellRange {
  std::uint32_t top = 0;
  std::uint32_t left = 0;
  std::uint32_t bottom = 0;
  std::uint32_t right = 0;

  bool Contains(std::uint32_t row, std::uint32_t column) const {
    return row >= top && row <= bottom && column >= left && column <= right;
  }
  bool operator==(const CellRange&) const = default;
};

// Deleting from the table: cells, selections, whole dose rows and run columns, always with the
// dose comments that belong to them. Nothing is deleted without the question that says so.
class TableDeletion {
 public:
  // confirm: ask the per-cell questions (off inside a multi-range delete, which asks once).
  TableDeletion(Document& doc, bool confirm) : doc_(doc), confirm_(confirm) {}

  // The Delete button on one current cell.
  void DeleteCell(std::uint32_t row, std::uint32_t column);
  // The Delete button on a selection: one question for all of it.
  // False when the user kept the cells.
  bool DeleteRanges(const std::vector<CellRange>& ranges);
  // The header context items.
  void DeleteRow(std::uint32_t row);
  void DeleteColumn(std::uint32_t column);

  // A run cell, a dose, or a run channel with dose comments behind it inside the ranges.
  bool LinkedToComments(const std::vector<CellRange>& ranges) const;
  bool RowHasComments(std::uint32_t row) const;
  bool ColumnHasComments(std::uint32_t column) const;

  // Resets every dose cell of a run column, deleting the dose comments.
  void ClearColumnDoses(std::uint32_t column);

 private:
  bool Ask(const char* text) const;
  void ClearCell(std::uint32_t row, std::uint32_t column);
  void ClearRunCell(std::uint32_t row, std::uint32_t column);
  void ClearDose(std::uint32_t row);
  void ClearLabel(std::uint32_t column);
  void ClearChannel(std::uint32_t column);
  void RemoveRow(std::uint32_t row);
  void RemoveColumn(std::uint32_t column);
  bool WholeRow(const CellRange& range, std::uint32_t row) const;
  bool WholeColumn(const CellRange& range, std::uint32_t column) const;
  void Changed();

  Document& doc_;
  bool confirm_;
};

}  // namespace Tessel
