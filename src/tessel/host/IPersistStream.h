#pragma once

#include <cstdint>
#include <string>

#include "tessel/host/IByteStream.h"
#include "tessel/host/IUnknown.h"

namespace Tessel {

// An extension's state that the host saves inside its own document file.
class IPersistStream : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IPersistStream";

  // kOk when changed since the last save, kFalse when not.
  virtual Status IsDirty() = 0;
  virtual Status Load(IByteStream* stream) = 0;
  virtual Status Save(IByteStream* stream, bool clearDirty) = 0;
  // Why the last load failed, in words a user can act on; empty when it did not or nobody can
  // say.
  virtual std::string LoadFault() { return {}; }
};

}  // namespace Tessel
