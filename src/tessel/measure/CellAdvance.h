#pragma once

#include <cstdint>

#include "tessel/document/TableViewMatrix.h"

namespace Tessel {

struct CellIndex {
  std::uint32_t row = 0;
  std::uint32_t column = 0;

  bool operator==(const CellIndex&) const = default;
};

// The run channel stored in row 3 of a column; -1 when none or unreadable.
std::int32_t RunChannel(const TableViewMatrix& matrix, std::uint32_t column);

// Where the Table View's current cell goes after a mark or an add.
//
// Down walks the doses of one run and then starts the next run at its first dose. Across walks
// the runs of one "group" (one run per channel, a repeated channel starting the next group) and
// then returns to the group's first run on the next dose, which is the order in which doses are
// given when several channels are recorded at once.
CellIndex AdvanceCell(const TableViewMatrix& matrix, CellIndex current, bool down);

}  // namespace Tessel
