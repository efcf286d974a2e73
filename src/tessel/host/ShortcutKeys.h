#pragma once

#include <cstdint>
#include <string_view>

#include "tessel/host/IShortcutKeyManager.h"

namespace Tessel {

inline constexpr std::string_view kShortcutCategory = "Tessel";
inline constexpr std::string_view kMarkDoseCommand = "Mark Dose";
inline constexpr std::string_view kAddResponseCommand = "Add Response";
inline constexpr std::uint32_t kDefaultMarkDoseKey = 0x00710001;     // F2
inline constexpr std::uint32_t kDefaultAddResponseKey = 0x00720001;  // F3

// Gives "Mark Dose" and "Add Response" their default keys where the manager does not know them
// yet; a command the user has set up (even with no key) is left as it is.
void RegisterDefaultShortcutKeys(IShortcutKeyManager* manager);

// The key assigned to a command, 0 when none or when the manager does not know it.
std::uint32_t AssignedShortcutKey(IShortcutKeyManager* manager, std::string_view command);

}  // namespace Tessel
