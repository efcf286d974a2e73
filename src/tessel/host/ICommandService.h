#pragma once

#include <functional>
#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// Named commands and extension menu items.
class ICommandService : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "ICommandService";

  virtual Status AddCommand(const std::string& category, const std::string& name,
                            const std::string& description, std::function<void()> handler) = 0;
  // path such as "Tessel|Settings"; "Tessel|-" is a separator.
  virtual Status AddMenuItem(const std::string& key, const std::string& path,
                             const std::string& text, std::function<void()> handler) = 0;
};

}  // namespace Tessel
