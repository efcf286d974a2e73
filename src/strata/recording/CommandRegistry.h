#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tessel/host/ICommandService.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// Named commands and extension menu items, in the order they were added. The host builds its
// menus and its command list from these; it names no command of an extension itself.
class CommandRegistry : public Tessel::RefCounted<Tessel::ICommandService> {
 public:
  struct Command {
    Tessel::CommandInfo info;
    std::function<void()> handler;
  };
  struct MenuItem {
    Tessel::MenuItemInfo info;
    std::function<void()> handler;
  };

  Tessel::Status AddCommand(const Tessel::CommandInfo& command,
                            std::function<void()> handler) override {
    commands_.push_back(Command{command, std::move(handler)});
    return Tessel::kOk;
  }
  Tessel::Status AddMenuItem(const Tessel::MenuItemInfo& item,
                             std::function<void()> handler) override {
    menu_.push_back(MenuItem{item, std::move(handler)});
    return Tessel::kOk;
  }

  // Runs a named command; false when none has that name or it has nothing to run yet.
  bool Run(const std::string& name) const {
    for (const auto& c : commands_) {
      if (c.info.name == name && c.handler) {
        c.handler();
        return true;
      }
    }
    return false;
  }

  const std::vector<Command>& Commands() const { return commands_; }
  // The commands whose name, description or category contains every word of the search, in any
  // case, in the order they were added: what the command list shows as the user types.
  std::vector<const Command*> Matching(const std::string& search) const;
  const std::vector<MenuItem>& Menu() const { return menu_; }

 private:
  std::vector<Command> commands_;
  std::vector<MenuItem> menu_;
};

}  // namespace Strata
