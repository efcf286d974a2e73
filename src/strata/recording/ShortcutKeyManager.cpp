#include "strata/recording/ShortcutKeyManager.h"

namespace Strata {

using Tessel::kFail;
using Tessel::kOk;
using Tessel::Status;

const ShortcutKeyManager::Entry* ShortcutKeyManager::Find(std::string_view category,
                                                          std::string_view command) const {
  auto it = entries_.find(Key(category, command));
  return it == entries_.end() ? nullptr : &it->second;
}

Status ShortcutKeyManager::QueryKey(std::string_view category, std::string_view command,
                                    std::uint32_t* key) {
  const Entry* e = Find(category, command);
  if (e == nullptr || key == nullptr) {
    return kFail;
  }
  *key = e->key;
  return kOk;
}

Status ShortcutKeyManager::RegisterCommand(std::string_view category, std::string_view command,
                                           std::string_view description, std::uint32_t key) {
  if (key != 0 && CheckKey(key, category, command) != kOk) {
    return kFail;
  }
  entries_[Key(category, command)] = Entry{std::string(description), key};
  return kOk;
}

Status ShortcutKeyManager::CheckKey(std::uint32_t key, std::string_view category,
                                    std::string_view command) {
  for (const auto& [k, e] : entries_) {
    if (e.key == key && key != 0 && !(k.first == category && k.second == command)) {
      return kFail;
    }
  }
  return kOk;
}

void ShortcutKeyManager::Assign(std::string_view category, std::string_view command,
                                std::uint32_t key) {
  entries_[Key(category, command)].key = key;
}

std::vector<ShortcutKeyManager::Listed> ShortcutKeyManager::Entries() const {
  std::vector<Listed> all;
  for (const auto& [k, e] : entries_) {
    all.push_back(Listed{k.first, k.second, e});
  }
  return all;
}

Status ShortcutKeyManager::ShowManager(std::string_view category) {
  if (!onShow_) {
    return Tessel::kNotImplemented;
  }
  onShow_(std::string(category));
  return kOk;
}

}  // namespace Strata
