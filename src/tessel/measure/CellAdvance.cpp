#include "tessel/measure/CellAdvance.h"

#include <algorithm>
#include <charconv>
#include <vector>

#include "tessel/host/IChartDocument.h"

namespace Tessel {
namespace {

CellIndex NextDown(const TableViewMatrix& m, CellIndex at) {
  // The last dose row sits above the trailing "<Enter Dose>" row.
  if (at.row + 2 == m.RowCount()) {
    if (at.column + 1 < m.ColumnCount()) {
      return CellIndex{kFirstDoseRow, at.column + 1};
    }
    return at;
  }
  if (at.row + 1 < m.RowCount()) {
    ++at.row;
  }
  return at;
}

CellIndex NextAcross(const TableViewMatrix& m, CellIndex at) {
  std::uint32_t groupFirst = kFirstRunColumn;
  std::uint32_t groupLast = kFirstRunColumn;
  std::vector<std::int32_t> channels;
  for (std::uint32_t c = kFirstRunColumn; c < m.ColumnCount(); ++c) {
    const std::int32_t channel = RunChannel(m, c);
    if (std::find(channels.begin(), channels.end(), channel) != channels.end()) {
      if (c > at.column) {
        break;
      }
      channels.clear();
      groupFirst = c;
    }
    channels.push_back(channel);
    groupLast = c;
  }
  if (at.column >= groupLast) {
    if (at.row + 1 < m.RowCount()) {
      return CellIndex{at.row + 1, groupFirst};
    }
    return at;
  }
  return CellIndex{at.row, at.column + 1};
}

}  // namespace

std::int32_t RunChannel(const TableViewMatrix& matrix, std::uint32_t column) {
  const std::string& text = matrix.Cell(kRowChannel, column).text;
  std::int32_t channel = kNoChannel;
  const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), channel);
  return ec == std::errc{} && ptr == text.data() + text.size() ? channel : kNoChannel;
}

CellIndex AdvanceCell(const TableViewMatrix& matrix, CellIndex current, bool down) {
  if (!matrix.Contains(current.row, current.column)) {
    return current;
  }
  return down ? NextDown(matrix, current) : NextAcross(matrix, current);
}

}  // namespace Tessel
