#pragma once

#include "tessel/host/IClipboard.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The system clipboard.
class DesktopClipboard : public Tessel::RefCounted<Tessel::IClipboard> {
 public:
  Tessel::Status SetText(const std::string& text) override;
};

}  // namespace Strata
