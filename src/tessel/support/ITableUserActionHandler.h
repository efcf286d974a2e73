#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tessel {

// A rectangle of grid cells, inclusive, in grid rows and columns.
struct GridRange {
  std::uint32_t top = 0;
  std::uint32_t left = 0;
  std::uint32_t bottom = 0;
  std::uint32_t right = 0;
};

// How a cell looks: the grid draws each look its own way.
enum class GridCellLook { kPlain, kHeader, kPrompt, kMarked, kMeasured };

// What the grid control tells the view that owns it, and asks it about editing. The grid keeps
// no rule of the table: which cells may be edited, what a list cell offers and what an edit or a
// context item does are the owner's.
class ITableUserActionHandler {
 public:
  virtual ~ITableUserActionHandler() = default;

  // The selection changed: one range of one cell for a single cell, none when nothing is
  // selected.
  virtual void OnSelectionChanged(const std::vector<GridRange>& ranges) = 0;
  // The user finished editing a cell with this text (for a list cell, the chosen index).
  virtual void OnCellCommitted(std::uint32_t row, std::uint32_t column,
                               const std::string& text) = 0;
  virtual void OnDeleteKey() = 0;
  // A context item of a header cell was chosen, by its index in the list provider's items.
  virtual void OnContextItem(std::uint32_t row, std::uint32_t column, std::uint32_t index) = 0;

  virtual bool CanEdit(std::uint32_t row, std::uint32_t column) = 0;
  // A list cell's choices, in the order of their stored indexes, and the text of a stored index
  // (also of one that is not among the choices).
  virtual std::vector<std::string> ListChoices(std::uint32_t row, std::uint32_t column) = 0;
  virtual std::string ListText(std::int32_t value) = 0;
  virtual GridCellLook Look(std::uint32_t row, std::uint32_t column) = 0;
};

}  // namespace Tessel
