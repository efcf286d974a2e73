#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tessel/document/DocumentSettings.h"
#include "tessel/host/IPersistStream.h"
#include "tessel/host/RefCounted.h"
#include "tessel/host/TickPosition.h"
#include "tessel/support/BinaryReader.h"
#include "tessel/support/BinaryWriter.h"

namespace Tessel {

class Document;

// Option flags kept beside the settings record, numbered from 1.
inline constexpr int kOptionMonitorOnly = 1;  // the host samples without recording
inline constexpr int kOptionNotifyHost = 2;   // settings changes go to the host as messages
inline constexpr int kOptionReserved3 = 3;
inline constexpr int kOptionSaved = 4;  // set before a save, cleared once written

// The first word of every stream written: bytes AA AA 14 55, the third byte the format level.
inline constexpr std::uint32_t kStreamHeader = 0x5514AAAAu;
inline constexpr int kStreamFormatLevel = 0x14;
// The settings section is always written in this version; every version up to it is read.
inline constexpr std::int32_t kSettingsVersion = 8;

// The settings record of a Document and the object that writes and reads the Document's stream:
// the settings section, then the Document's own section.
class PersistStreamSettings : public RefCounted<IPersistStream> {
 public:
  explicit PersistStreamSettings(Document* document) : document_(document) {}

  DocumentSettings& Settings() { return settings_; }
  const DocumentSettings& Settings() const { return settings_; }

  bool Option(int n) const { return options_[n - 1]; }
  void SetOption(int n, bool on) { options_[n - 1] = on; }

  bool Dirty() const { return dirty_; }
  void SetDirty(bool dirty) { dirty_ = dirty; }
  bool Loading() const { return loading_; }

  // Sets the Table View's current cell; a new pair marks the settings dirty.
  void SetCurrentCell(std::int32_t row, std::int32_t column);

  void Detach() { document_ = nullptr; }

  // IPersistStream
  Status IsDirty() override { return dirty_ ? kOk : kFalse; }
  // A truncated stream succeeds with the fields it did not reach unchanged. An unreadable version
  // or a malformed string fails and changes nothing; LastError() then tells which.
  Status Load(IByteStream* stream) override;
  // Fails when the stream came up short; option flag 4 is cleared either way.
  Status Save(IByteStream* stream, bool clearDirty) override;

  // What the last load found, for the command line's inspection of a stream.
  std::uint32_t LastError() const { return lastError_; }
  std::string LoadFault() override { return FrameworkError::Describe(lastError_); }
  int LoadedFormatLevel() const { return loadedLevel_; }
  std::int32_t LoadedVersion() const { return loadedVersion_; }
  std::int32_t LoadedMatrixVersion() const { return loadedMatrixVersion_; }
  // Where the last load's stream ended early, when it did: the fields after it kept defaults.
  struct StreamEnd {
    bool early = false;
    std::uint64_t after = 0;  // the bytes the stream held
    std::string field;        // the field it ended in
  };
  const StreamEnd& LoadedEnd() const { return loadedEnd_; }

 private:
  // The settings section as read, applied only once the whole stream has been read.
  struct Staged {
    std::array<bool, 4> options;
    DocumentSettings settings;
    TickPosition restoreStart;
    TickPosition restoreEnd;
  };
  void LoadSections(IByteStream* stream);
  static void ReadRecord(Kor::BinaryReader& in, std::int32_t version, DocumentSettings& s);
  static void ReadResultsOptions(Kor::BinaryReader& in, std::int32_t version, DocumentSettings& s);
  void WriteRecord(Kor::BinaryWriter& out) const;

  Document* document_;
  bool loading_ = false;
  bool dirty_ = false;
  DocumentSettings settings_;
  std::array<bool, 4> options_{};
  std::uint32_t lastError_ = 0;
  int loadedLevel_ = 0;
  std::int32_t loadedVersion_ = -1;
  std::int32_t loadedMatrixVersion_ = -1;
  StreamEnd loadedEnd_;
};

}  // namespace Tessel
