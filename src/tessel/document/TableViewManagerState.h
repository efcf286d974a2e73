#pragma once

#include <cstdint>
#include <vector>

#include "tessel/support/BinaryReader.h"
#include "tessel/support/BinaryWriter.h"

namespace Tessel {

// What the Table View's grid manager keeps with the document: the current cell and the widths
// the user gave the columns. Its block in the stream carries its own version so that the grid can
// grow without touching the matrix's layout.
class TableViewManagerState {
 public:
  static constexpr std::int32_t kVersion = 1;

  std::int32_t currentRow = -1;
  std::int32_t currentColumn = -1;
  std::vector<std::int32_t> columnWidths;  // pixels, column 0 first

  bool operator==(const TableViewManagerState&) const = default;

  // int32 version; int32 current row; int32 current column; int32 count W; int32 -W; W widths.
  void Write(Kor::BinaryWriter& out) const;
  // Fields a truncated stream does not reach keep their values. A version above kVersion is the
  // stream-format error, a count without its check word the string-format error (both thrown).
  void Read(Kor::BinaryReader& in);
};

}  // namespace Tessel
