#pragma once

#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// The host's progress window with its Stop button.
class IProgressIndicator : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IProgressIndicator";

  virtual Status Begin(const std::string& title) = 0;
  // fraction in 0..1; text such as "42%".
  virtual Status Update(double fraction, const std::string& text) = 0;
  // kOk when the user pressed Stop, kFalse when not.
  virtual Status StopPressed() = 0;
  virtual Status End() = 0;
};

}  // namespace Tessel
