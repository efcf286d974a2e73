#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tessel/host/IShortcutKeyManager.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The host's table of named commands and their keys. A key belongs to at most one command.
class ShortcutKeyManager : public Tessel::RefCounted<Tessel::IShortcutKeyManager> {
 public:
  struct Entry {
    std::string description;
    std::uint32_t key = 0;
  };
  struct Listed {
    std::string category;
    std::string command;
    Entry entry;
  };

  Tessel::Status QueryKey(std::string_view category, std::string_view command,
                          std::uint32_t* key) override;
  Tessel::Status RegisterCommand(std::string_view category, std::string_view command,
                                 std::string_view description, std::uint32_t key) override;
  Tessel::Status CheckKey(std::uint32_t key, std::string_view category,
                          std::string_view command) override;
  // Asks the desktop to open its Shortcut Key Manager at the category; kNotImplemented where
  // nothing answers (the command line).
  Tessel::Status ShowManager(std::string_view category) override;

  // What the user's Shortcut Key Manager dialog does: assign (or with 0 clear) a key.
  void Assign(std::string_view category, std::string_view command, std::uint32_t key);
  const Entry* Find(std::string_view category, std::string_view command) const;
  // Every command, by category and then by name.
  std::vector<Listed> Entries() const;
  // Answers ShowManager.
  void OnShowManager(std::function<void(const std::string&)> f) { onShow_ = std::move(f); }

 private:
  using Key = std::pair<std::string, std::string>;
  std::map<Key, Entry> entries_;
  std::function<void(const std::string&)> onShow_;
};

}  // namespace Strata
