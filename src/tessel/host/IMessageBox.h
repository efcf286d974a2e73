#pragma once

#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

enum class MessageIcon { kNone, kInformation, kWarning, kError, kQuestion };
enum class MessageButtons { kOkOnly, kYesNo, kOkCancel, kYesNoCancel };
enum class MessageAnswer { kOkPressed, kCancel, kYes, kNo };

inline constexpr const char* kTesselCaption = "Tessel";

// Modal message boxes. The desktop shows a dialog, the command line writes to standard error,
// tests answer from a script.
class IMessageBox : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IMessageBox";

  virtual MessageAnswer Show(const std::string& text, const std::string& caption, MessageIcon icon,
                             MessageButtons buttons) = 0;
};

}  // namespace Tessel
