#include "tessel/document/TableViewManagerState.h"

#include "tessel/host/Status.h"

namespace Tessel {

void TableViewManagerState::Write(Kor::BinaryWriter& out) const {
  out.WriteInt32(kVersion);
  out.WriteInt32(currentRow);
  out.WriteInt32(currentColumn);
  const auto count = static_cast<std::int32_t>(columnWidths.size());
  out.WriteInt32(count);
  out.WriteInt32(-count);
  for (std::int32_t width : columnWidths) {
    out.WriteInt32(width);
  }
}

void TableViewManagerState::Read(Kor::BinaryReader& in) {
  in.SetContext("tableView");
  std::int32_t version = 0;
  if (!in.ReadInt32(version, "version")) {
    return;
  }
  if (version > kVersion || version < 1) {
    throw FrameworkError(kErrStreamVersion);
  }
  in.ReadInt32(currentRow, "currentRow");
  in.ReadInt32(currentColumn, "currentColumn");
  std::int32_t count = 0;
  std::int32_t check = 0;
  if (!in.ReadInt32(count, "columnWidths") || !in.ReadInt32(check)) {
    return;
  }
  if (count < 0 || static_cast<std::int64_t>(count) + check != 0) {
    throw FrameworkError(kErrStringFormat);
  }
  // Grown one width at a time: a large count in a short stream stops at the stream's end.
  std::vector<std::int32_t> widths;
  for (std::int32_t i = 0; i < count; ++i) {
    std::int32_t width = 0;
    if (!in.ReadInt32(width)) {
      return;
    }
    widths.push_back(width);
  }
  columnWidths = std::move(widths);
}

}  // namespace Tessel
