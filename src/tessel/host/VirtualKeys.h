#pragma once

#include <cstdint>
#include <string>

namespace Tessel {

// Keys as the host's toolkit names them (its key and modifier numbers), turned into the Windows
// virtual-key codes and accelerator flags that shortcut-key codes are made of. This is the one
// place where the two numberings meet.
inline constexpr std::uint32_t kToolkitShift = 0x02000000;
inline constexpr std::uint32_t kToolkitControl = 0x04000000;
inline constexpr std::uint32_t kToolkitAlt = 0x08000000;

// The virtual-key code of a toolkit key; 0 for a key that has none.
std::uint32_t VirtualKeyOf(int toolkitKey);

// A virtual key's name as the user reads it ("F2", "A", "Del"); empty for a key without one.
std::string VirtualKeyName(std::uint32_t virtualKey);

// The shortcut-key code of a toolkit key with toolkit modifiers: the virtual key in the high
// 16 bits, the accelerator flags (virtual key, Shift, Ctrl, Alt) in the low. 0 when the key has
// no virtual key.
std::uint32_t ShortcutKeyCodeOf(int toolkitKey, std::uint32_t toolkitModifiers);

// The key data word of a keyboard event: bit 30 set when the key was already down (an
// auto-repeat), bit 31 set when it is being released.
std::uint32_t KeyDataOf(bool autoRepeat, bool release);

}  // namespace Tessel
