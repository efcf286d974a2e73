#pragma once

#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// Printing through the host's print dialog.
class IPrintService : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IPrintService";

  // Prints text in a fixed-width font, headed by title unless it is empty. kOk when printed,
  // kFalse when the user cancelled, kFail when the printer failed.
  virtual Status PrintText(const std::string& title, const std::string& text) = 0;
};

}  // namespace Tessel
