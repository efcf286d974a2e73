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

void ReadBaseline(Kor::BinaryReader& in, Baseline& b) {
  in.ReadFlag(b.present);
  in.ReadDouble(b.intercept);
  in.ReadDouble(b.slope);
}

TableViewElem ReadCell(Kor::BinaryReader& in, std::int32_t version) {
  TableViewElem cell = TableViewElem::Cleared();
  in.ReadString(cell.text);
  in.ReadDouble(cell.value);
  in.ReadInt32(cell.channel);
  in.ReadTickPosition(cell.start);
  in.ReadTickPosition(cell.end);
  in.ReadTickPosition(cell.dosePosition);
  in.ReadString(cell.commentText);
  in.ReadDouble(cell.response);
  in.ReadInt32(cell.flags);
  in.ReadFlag(cell.doseMarked);
  in.ReadFlag(cell.responseAdded);
  if (version == 2) {
    // A baseline of a form that no longer exists: read past it, keep the reset baselines.
    double dropped = 0.0;
    std::int32_t more = 0;
    in.ReadDouble(dropped);
    if (in.ReadInt32(more) && more != 0) {
      in.ReadDouble(dropped);
    }
  } else if (version >= 3) {
    ReadBaseline(in, cell.autoBaseline);
    ReadBaseline(in, cell.userBaseline);
  }
  return cell;
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
  std::int32_t version = -1;
  if (!in.ReadInt32(version)) {
    return contents;
  }
  if (version > kMatrixStreamVersion || version < 0) {
    throw FrameworkError(kErrStreamVersion);
  }
  contents.version = version;
  std::int32_t columns = 0;
  std::int32_t rows = 0;
  if (!in.ReadInt32(columns) || !in.ReadInt32(rows)) {
    return contents;
  }
  if (columns < 0 || rows < 0 || columns > kMaxStreamColumns || rows > kMaxStreamRows) {
    throw FrameworkError(kErrStreamVersion);
  }
  // Cells are added as they are read, never reserved from the counts: a damaged count in a short
  // stream ends at the stream's end instead of in a huge allocation.
  for (std::int32_t c = 0; c < columns; ++c) {
    TableViewVector column;
    for (std::int32_t r = 0; r < rows; ++r) {
      column.Append(ReadCell(in, version));
      if (in.Failed()) {
        return contents;
      }
    }
    contents.columns.push_back(std::move(column));
  }
  FixUpAfterRead(contents.columns, recordingHasData);
  contents.complete = !in.Failed();
  return contents;
}

}  // namespace Tessel
