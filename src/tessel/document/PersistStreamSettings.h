#pragma once

#include <array>
#include <cstdint>

#include "tessel/document/DocumentSettings.h"
#include "tessel/host/IPersistStream.h"
#include "tessel/host/RefCounted.h"

namespace Tessel {

class Document;

// Option flags kept beside the settings record, numbered from 1.
inline constexpr int kOptionSamplingFresh = 1;  // sampling began in a new block
inline constexpr int kOptionNotifyHost = 2;     // settings changes go to the host as messages
inline constexpr int kOptionReserved3 = 3;
inline constexpr int kOptionSaved = 4;  // set before a save, cleared once written

// The settings record of a Document and the object that writes and reads the Document's stream.
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
  Status Load(IByteStream* stream) override;
  Status Save(IByteStream* stream, bool clearDirty) override;

 private:
  Document* document_;
  bool loading_ = false;
  bool dirty_ = false;
  DocumentSettings settings_;
  std::array<bool, 4> options_{};
};

}  // namespace Tessel
