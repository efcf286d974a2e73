#pragma once

#include <cstdint>
#include <vector>

#include "tessel/document/TableViewMatrix.h"
#include "tessel/support/BinaryReader.h"
#include "tessel/support/BinaryWriter.h"

namespace Tessel {

// The version the matrix is written in; every version from 0 up to it is read.
inline constexpr std::int32_t kMatrixStreamVersion = 4;

// Limits on the counts a matrix stream may claim: far beyond any table a person builds, small
// enough that a damaged count cannot make the reader allocate without bound.
inline constexpr std::int32_t kMaxStreamColumns = 1 << 16;
inline constexpr std::int32_t kMaxStreamRows = 1 << 24;

// Writes the matrix, version 4. In a restricted save the responses (run columns, dose rows) are
// written as reset cells; the headers, the row numbers and the doses are kept.
void WriteMatrixStream(Kor::BinaryWriter& out, const TableViewMatrix& matrix, bool restricted);

struct MatrixStreamContents {
  std::int32_t version = -1;  // -1 when the stream ended before the version
  // The columns; for a stream that ended inside the cells, the cells read and reset cells for
  // the rest (empty when it ended before the first cell).
  std::vector<TableViewVector> columns;
  bool complete = false;  // every cell was read before the stream ended
};

// Reads a matrix of any version up to 4. The dose values are taken from the dose texts; when the
// recording holds no data, the run cells of the dose rows are reset. A version above 4 or an
// impossible column or row count throws the stream-format error. A stream that ends inside the
// cells keeps the cells read, with the rest at their reset values.
MatrixStreamContents ReadMatrixStream(Kor::BinaryReader& in, bool recordingHasData);

}  // namespace Tessel
