#include "tessel/host/ShortcutKeys.h"

namespace Tessel {
namespace {

void RegisterDefault(IShortcutKeyManager* manager, std::string_view command, std::uint32_t key) {
  std::uint32_t current = 0;
  if (manager->QueryKey(kShortcutCategory, command, &current) != kFail) {
    return;
  }
  manager->RegisterCommand(kShortcutCategory, command, command, 0);
  if (manager->CheckKey(key, kShortcutCategory, command) == kOk) {
    manager->RegisterCommand(kShortcutCategory, command, command, key);
  }
}

}  // namespace

void RegisterDefaultShortcutKeys(IShortcutKeyManager* manager) {
  if (manager == nullptr) {
    return;
  }
  RegisterDefault(manager, kMarkDoseCommand, kDefaultMarkDoseKey);
  RegisterDefault(manager, kAddResponseCommand, kDefaultAddResponseKey);
}

std::uint32_t AssignedShortcutKey(IShortcutKeyManager* manager, std::string_view command) {
  std::uint32_t key = 0;
  if (manager == nullptr || manager->QueryKey(kShortcutCategory, command, &key) != kOk) {
    return 0;
  }
  return key;
}

}  // namespace Tessel
