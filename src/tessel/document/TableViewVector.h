#pragma once

#include <cstdint>
#include <vector>

#include "tessel/document/TableViewElem.h"

namespace Tessel {

// One column of the dose–response matrix.
class TableViewVector {
 public:
  TableViewVector() = default;
  explicit TableViewVector(std::uint32_t rows) : cells_(rows, TableViewElem::Cleared()) {}

  std::uint32_t Size() const { return static_cast<std::uint32_t>(cells_.size()); }
  TableViewElem& operator[](std::uint32_t row) { return cells_[row]; }
  const TableViewElem& operator[](std::uint32_t row) const { return cells_[row]; }

  void Insert(std::uint32_t at, const TableViewElem& cell) {
    cells_.insert(cells_.begin() + at, cell);
  }
  void Erase(std::uint32_t at) { cells_.erase(cells_.begin() + at); }
  void Append(const TableViewElem& cell) { cells_.push_back(cell); }

  auto begin() { return cells_.begin(); }
  auto end() { return cells_.end(); }
  auto begin() const { return cells_.begin(); }
  auto end() const { return cells_.end(); }

  bool operator==(const TableViewVector&) const = default;

 private:
  std::vector<TableViewElem> cells_;
};

}  // namespace Tessel
