#include "tessel/document/PersistStreamSettings.h"

#include "tessel/document/Document.h"

namespace Tessel {

void PersistStreamSettings::SetCurrentCell(std::int32_t row, std::int32_t column) {
  if (settings_.currentRow != row || settings_.currentColumn != column) {
    settings_.currentRow = row;
    settings_.currentColumn = column;
    dirty_ = true;
  }
}

Status PersistStreamSettings::Load(IByteStream* stream) {
  loading_ = true;
  dirty_ = false;
  lastError_ = 0;
  loadedLevel_ = 0;
  loadedVersion_ = -1;
  loadedMatrixVersion_ = -1;
  loadedEnd_ = {};
  Status status = kOk;
  try {
    LoadSections(stream);
  } catch (const FrameworkError& e) {
    lastError_ = e.Code();
    status = kFail;
  }
  loading_ = false;
  return status;
}

void PersistStreamSettings::LoadSections(IByteStream* stream) {
  Kor::BinaryReader in(stream);
  const int level = in.ReadHeader();
  std::int32_t version = 0;
  in.ReadInt32(version, "settingsVersion");
  if (version > kSettingsVersion || version < 0) {
    throw FrameworkError(kErrStreamVersion);
  }
  Staged staged{options_, settings_, {}, {}};
  if (document_ != nullptr) {
    const auto restore = document_->SelectionToRestore();
    staged.restoreStart = restore[0];
    staged.restoreEnd = restore[1];
  }
  for (bool& option : staged.options) {
    in.ReadFlag(option, "flags");
  }
  ReadRecord(in, version, staged.settings);
  if (version >= 6) {
    in.ReadTickPosition(staged.restoreStart, "restoreSelection");
    in.ReadTickPosition(staged.restoreEnd, "restoreSelection");
  }
  if (version >= 8) {
    in.ReadFlag(staged.settings.advanceDown, "advanceDown");
  }
  std::int32_t matrixVersion = -1;
  if (document_ != nullptr) {
    // Throws before it changes the Document when the section cannot be read.
    matrixVersion = document_->ReadStreamSection(in);
  }
  // Everything was readable: apply it.
  options_ = staged.options;
  settings_ = std::move(staged.settings);
  if (document_ != nullptr) {
    document_->SetSettingsRead();
    document_->SetSelectionToRestore(staged.restoreStart, staged.restoreEnd);
  }
  loadedLevel_ = level;
  loadedVersion_ = version;
  loadedMatrixVersion_ = matrixVersion;
  loadedEnd_ = {in.Failed(), in.EndedAfter(), in.EndedIn()};
}

void PersistStreamSettings::ReadRecord(Kor::BinaryReader& in, std::int32_t version,
                                       DocumentSettings& s) {
  in.ReadInt32(s.autoChannel, "autoChannel");
  in.ReadInt32(s.b, "b");
  in.ReadString(s.c, "c");
  in.ReadDouble(s.startOffset, "startOffset");
  in.ReadDouble(s.stopOffset, "stopOffset");
  in.ReadInt32(s.calcType, "calcType");
  in.ReadString(s.calcName, "calcName");
  if (version >= 2) {
    in.ReadFlag(s.f1, "f1");
    in.ReadFlag(s.scientific, "scientific");
  }
  in.ReadFlag(s.perDoseBaseline, "perDoseBaseline");
  in.ReadInt32(s.sigFigs, "sigFigs");
  if (version >= 3) {
    in.ReadInt32(s.g, "g");
  }
  if (version >= 4) {
    ReadResultsOptions(in, version, s);
  }
  if (version >= 5) {
    in.ReadInt32(s.currentRow, "currentRow");
    in.ReadInt32(s.currentColumn, "currentColumn");
  }
}

void PersistStreamSettings::ReadResultsOptions(Kor::BinaryReader& in, std::int32_t version,
                                               DocumentSettings& s) {
  in.ReadInt32(s.h, "h");
  if (version >= 7) {
    in.ReadBitSet(s.graphSet, "graphSet");
  } else {
    in.ReadOldBitSet(s.graphSet, "graphSet");
  }
  in.ReadFlag(s.bottomToZero, "bottomToZero");
  in.ReadFlag(s.normalize, "normalize");
  in.ReadFlag(s.fixHill, "fixHill");
  in.ReadFlag(s.showLegend, "showLegend");
}

Status PersistStreamSettings::Save(IByteStream* stream, bool clearDirty) {
  Kor::BinaryWriter out(stream);
  out.WriteInt32(static_cast<std::int32_t>(kStreamHeader));
  out.WriteInt32(kSettingsVersion);
  for (bool option : options_) {
    out.WriteFlag(option);
  }
  // The flag tells Initialise that the stream came from a save; it never outlives the write.
  SetOption(kOptionSaved, false);
  WriteRecord(out);
  out.WriteTickPosition(document_ != nullptr ? document_->SelectionStart() : TickPosition{});
  out.WriteTickPosition(document_ != nullptr ? document_->SelectionEnd() : TickPosition{});
  out.WriteFlag(settings_.advanceDown);
  if (document_ != nullptr) {
    document_->WriteStreamSection(out);
  }
  if (out.Failed()) {
    return kFail;
  }
  if (clearDirty) {
    dirty_ = false;
  }
  return kOk;
}

void PersistStreamSettings::WriteRecord(Kor::BinaryWriter& out) const {
  const DocumentSettings& s = settings_;
  out.WriteInt32(s.autoChannel);
  out.WriteInt32(s.b);
  out.WriteString(s.c);
  out.WriteDouble(s.startOffset);
  out.WriteDouble(s.stopOffset);
  out.WriteInt32(s.calcType);
  out.WriteString(s.calcName);
  out.WriteFlag(s.f1);
  out.WriteFlag(s.scientific);
  out.WriteFlag(s.perDoseBaseline);
  out.WriteInt32(s.sigFigs);
  out.WriteInt32(s.g);
  out.WriteInt32(s.h);
  out.WriteBitSet(s.graphSet);
  out.WriteFlag(s.bottomToZero);
  out.WriteFlag(s.normalize);
  out.WriteFlag(s.fixHill);
  out.WriteFlag(s.showLegend);
  out.WriteInt32(s.currentRow);
  out.WriteInt32(s.currentColumn);
}

}  // namespace Tessel
