#include "tessel/document/TableViewMatrixStream.h"

#include "tessel/host/Status.h"
#include "tessel/measure/DoseComment.h"
#include "tessel/support/Strings.h"

namespace Tessel {
namespace {

void WriteBaseline(Kor::BinaryWriter& out, const Baseline& b) {
  out.WriteFlag(b.present);
  out.WriteDouble(b.intercept);
  out.WriteDouble(b.slope);
}

void WriteCell(Kor::BinaryWriter& out, const TableViewElem& cell) {
  out.WriteString(cell.text);
  out.WriteDouble(cell.value);
  out.WriteInt32(cell.channel);
  out.WriteTickPosition(cell.start);
  out.WriteTickPosition(cell.end);
  out.WriteTickPosition(cell.dosePosition);
  out.WriteString(cell.commentText);
  out.WriteDouble(cell.response);
  out.WriteInt32(cell.flags);
  out.WriteFlag(cell.doseMarked);
  out.WriteFlag(cell.responseAdded);
  WriteBaseline(out, cell.autoBaseline);
  WriteBaseline(out, cell.userBaseline);
}

void ReadBaseline(Kor::BinaryReader& in, Baseline& b, const char* present, const char* intercept,
                  const char* slope) {
  in.ReadFlag(b.present, present);
  in.ReadDouble(b.intercept, intercept);
  in.ReadDouble(b.slope, slope);
}

TableViewElem ReadCell(Kor::BinaryReader& in, std::int32_t version) {
  TableViewElem cell = TableViewElem::Cleared();
  in.ReadString(cell.text, "text");
  in.ReadDouble(cell.value, "value");
  in.ReadInt32(cell.channel, "channel");
  in.ReadTickPosition(cell.start, "start");
  in.ReadTickPosition(cell.end, "end");
  in.ReadTickPosition(cell.dosePosition, "dosePosition");
  in.ReadString(cell.commentText, "commentText");
  in.ReadDouble(cell.response, "response");
  in.ReadInt32(cell.flags, "flags");
  in.ReadFlag(cell.doseMarked, "doseMarked");
  in.ReadFlag(cell.responseAdded, "responseAdded");
  if (version == 2) {
    // A baseline of a form that no longer exists: read past it, keep the reset baselines.
    double dropped = 0.0;
    std::int32_t more = 0;
    in.ReadDouble(dropped, "old baseline");
    if (in.ReadInt32(more, "old baseline") && more != 0) {
      in.ReadDouble(dropped, "old baseline");
    }
  } else if (version >= 3) {
    ReadBaseline(in, cell.autoBaseline, "autoBaseline.present", "autoBaseline.intercept",
                 "autoBaseline.slope");
    ReadBaseline(in, cell.userBaseline, "userBaseline.present", "userBaseline.intercept",
                 "userBaseline.slope");
  }
  return cell;
}

// What a matrix cut inside its cells keeps: every cell read, the cell the stream ended in with
// the fields it reached, and reset cells for the rest of the shape the stream gave. A damaged
// count in a short stream must not make that rest huge: beyond kMaxCutCells only the columns
// read in full are kept.
inline constexpr std::int64_t kMaxCutCells = 1 << 16;

void CompleteCutMatrix(std::vector<TableViewVector>& columns, TableViewVector partial,
                       std::int32_t columnCount, std::int32_t rowCount) {
  if (static_cast<std::int64_t>(columnCount) * rowCount > kMaxCutCells) {
    return;
  }
  const auto rows = static_cast<std::uint32_t>(rowCount);
  while (partial.Size() < rows) {
    partial.Append(TableViewElem::Cleared());
  }
  columns.push_back(std::move(partial));
  while (columns.size() < static_cast<size_t>(columnCount)) {
    TableViewVector column;
    for (std::uint32_t r = 0; r < rows; ++r) {
      column.Append(TableViewElem::Cleared());
    }
    columns.push_back(std::move(column));
  }
}

void FixUpAfterRead(std::vector<TableViewVector>& columns, bool recordingHasData) {
  for (std::uint32_t c = kDoseColumn; c < columns.size(); ++c) {
    TableViewVector& column = columns[c];
    for (std::uint32_t r = kFirstDoseRow; r < column.Size(); ++r) {
      TableViewElem& cell = column[r];
      if (c == kDoseColumn && (cell.flags & kCellPrompt) == 0) {
        cell.value = DoseValue(cell.text);
      } else if (c >= kFirstRunColumn && !recordingHasData) {
        cell.Reset();
      }
    }
  }
}

}  // namespace

void WriteMatrixStream(Kor::BinaryWriter& out, const TableViewMatrix& matrix, bool restricted) {
  out.WriteInt32(kMatrixStreamVersion);
  out.WriteInt32(static_cast<std::int32_t>(matrix.ColumnCount()));
  out.WriteInt32(static_cast<std::int32_t>(matrix.RowCount()));
  const TableViewElem reset = TableViewElem::Cleared();
  for (std::uint32_t c = 0; c < matrix.ColumnCount(); ++c) {
    const TableViewVector& column = *matrix.Column(c);
    for (std::uint32_t r = 0; r < matrix.RowCount(); ++r) {
      const bool response = c >= kFirstRunColumn && r >= kFirstDoseRow;
      WriteCell(out, restricted && response ? reset : column[r]);
    }
  }
}

MatrixStreamContents ReadMatrixStream(Kor::BinaryReader& in, bool recordingHasData) {
  MatrixStreamContents contents;
  in.SetContext("");
  std::int32_t version = -1;
  if (!in.ReadInt32(version, "matrixVersion")) {
    return contents;
  }
  if (version > kMatrixStreamVersion || version < 0) {
    throw FrameworkError(kErrStreamVersion);
  }
  contents.version = version;
  std::int32_t columns = 0;
  std::int32_t rows = 0;
  if (!in.ReadInt32(columns, "columns") || !in.ReadInt32(rows, "rows")) {
    return contents;
  }
  if (columns < 0 || rows < 0 || columns > kMaxStreamColumns || rows > kMaxStreamRows) {
    throw FrameworkError(kErrStreamVersion);
  }
  // Cells are added as they are read, never reserved from the counts: a damaged count in a short
  // stream ends at the stream's end instead of in a huge allocation.
  for (std::int32_t c = 0; c < columns && !in.Failed(); ++c) {
    TableViewVector column;
    for (std::int32_t r = 0; r < rows && !in.Failed(); ++r) {
      // Counted from 1, as every reader of a cell's place is shown it.
      in.SetContext("cell " + std::to_string(r + 1) + "," + std::to_string(c + 1));
      column.Append(ReadCell(in, version));
    }
    if (in.Failed()) {
      CompleteCutMatrix(contents.columns, std::move(column), columns, rows);
    } else {
      contents.columns.push_back(std::move(column));
    }
  }
  in.SetContext("");
  FixUpAfterRead(contents.columns, recordingHasData);
  contents.complete = !in.Failed();
  return contents;
}

}  // namespace Tessel
