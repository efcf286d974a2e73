#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

class IClassObject;

// One item of an extension menu as the module hands it to the host.
struct MenuItemInfo {
  std::string key;   // the key the items are filed under ("TESSEL")
  std::string path;  // "Tessel|Settings"; "Tessel|-" is a separator, "Tessel^EXTENSION|" the root
  std::string text;  // the menu text, with its '&' mnemonic
  std::string shortTitle;  // the two short titles a host may show in place of the menu text
  std::string shortTitle2;
  std::uint32_t id = 0;  // the item's numeric identity; 0 for items known by their texts only
  // For a view item, the class its views are created through: the host opens a view of its
  // active document with it, and the handler is not used.
  IClassObject* viewClass = nullptr;
};

// One named command as the module hands it to the host.
struct CommandInfo {
  std::string category;
  std::string name;
  std::string description;
  std::string parameter;  // how the host describes the command's parameter; empty for none
};

// Named commands and extension menu items. A handler that is empty is a command whose window
// the module does not offer yet: the host lists it and shows it disabled.
class ICommandService : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "ICommandService";

  virtual Status AddCommand(const CommandInfo& command, std::function<void()> handler) = 0;
  virtual Status AddMenuItem(const MenuItemInfo& item, std::function<void()> handler) = 0;
};

}  // namespace Tessel
