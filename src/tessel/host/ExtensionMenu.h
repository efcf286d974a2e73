#pragma once

#include <cstdint>
#include <span>

#include "tessel/host/ModuleAction.h"

namespace Tessel {

// The key under which the module's menu items are filed with the host.
inline constexpr const char* kExtensionMenuKey = "TESSEL";

// How an item reaches the host. The Settings item and the view items carry a numeric identity of
// their own; the others carry only their texts.
enum class MenuEntryKind { kRoot, kIdentified, kText, kSeparator };

struct ExtensionMenuItem {
  const char* path;
  MenuEntryKind kind;
  std::uint32_t id;  // for kIdentified items; 0 otherwise
  const char* text;  // the menu text; for the root its caption
  const char* shortTitle;
  const char* shortTitle2;
  ModuleAction action;
};

// The "Tessel" menu, in the order the host shows it.
std::span<const ExtensionMenuItem> ExtensionMenuItems();

}  // namespace Tessel
