#include "tessel/document/PersistStreamSettings.h"

namespace Tessel {

void PersistStreamSettings::SetCurrentCell(std::int32_t row, std::int32_t column) {
  if (settings_.currentRow != row || settings_.currentColumn != column) {
    settings_.currentRow = row;
    settings_.currentColumn = column;
    dirty_ = true;
  }
}

Status PersistStreamSettings::Load(IByteStream* /*stream*/) {
  return kNotImplemented;
}

Status PersistStreamSettings::Save(IByteStream* /*stream*/, bool /*clearDirty*/) {
  return kNotImplemented;
}

}  // namespace Tessel
