#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tessel/host/ICommandService.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// Named commands and extension menu items, in the order they were added.
class CommandRegistry : public Tessel::RefCounted<Tessel::ICommandService> {
 public:
  struct Command {
    std::string category;
    std::string name;
    std::string description;
    std::function<void()> handler;
  };
  struct MenuItem {
    std::string key;
    std::string path;
    std::string text;
    std::function<void()> handler;
  };

  Tessel::Status AddCommand(const std::string& category, const std::string& name,
                            const std::string& description,
                            std::function<void()> handler) override {
    commands_.push_back(Command{category, name, description, std::move(handler)});
    return Tessel::kOk;
  }
  Tessel::Status AddMenuItem(const std::string& key, const std::string& path,
                             const std::string& text, std::function<void()> handler) override {
    menu_.push_back(MenuItem{key, path, text, std::move(handler)});
    return Tessel::kOk;
  }

  // Runs a named command; false when none has that name.
  bool Run(const std::string& name) const {
    for (const auto& c : commands_) {
      if (c.name == name && c.handler) {
        c.handler();
        return true;
      }
    }
    return false;
  }

  const std::vector<Command>& Commands() const { return commands_; }
  const std::vector<MenuItem>& Menu() const { return menu_; }

 private:
  std::vector<Command> commands_;
  std::vector<MenuItem> menu_;
};

}  // namespace Strata
