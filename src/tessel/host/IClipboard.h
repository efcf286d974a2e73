#pragma once

#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// The system clipboard, as the host offers it.
class IClipboard : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IClipboard";

  // kFail when the clipboard cannot take the text now (another program holds it).
  virtual Status SetText(const std::string& text) = 0;
};

}  // namespace Tessel
