#pragma once

#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// The host's file chooser.
class IFileChooser : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IFileChooser";

  // Asks where to save. filter is like "Text files (*.txt)"; suggestedName is the name offered
  // first. kOk with the chosen path, kFalse with an empty path when the user cancelled.
  virtual Status ChooseSavePath(const std::string& title, const std::string& filter,
                                const std::string& suggestedName, std::string* path) = 0;
};

}  // namespace Tessel
