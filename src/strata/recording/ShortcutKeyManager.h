#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>

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

  Tessel::Status QueryKey(std::string_view category, std::string_view command,
                          std::uint32_t* key) override;
  Tessel::Status RegisterCommand(std::string_view category, std::string_view command,
                                 std::string_view description, std::uint32_t key) override;
  Tessel::Status CheckKey(std::uint32_t key, std::string_view category,
                          std::string_view command) override;

  // What the user's Shortcut Key Manager dialog does: assign (or with 0 clear) a key.
  void Assign(std::string_view category, std::string_view command, std::uint32_t key);
  const Entry* Find(std::string_view category, std::string_view command) const;

 private:
  using Key = std::pair<std::string, std::string>;
  std::map<Key, Entry> entries_;
};

}  // namespace Strata
