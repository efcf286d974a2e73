#include "tessel/host/VirtualKeys.h"

#include "tessel/host/IShortcutKeyManager.h"

namespace Tessel {
namespace {

struct KeyPair {
  int toolkit;
  std::uint32_t virtualKey;
  const char* name;  // as the Shortcut Key Manager shows it
};

// Keys outside the ranges that map one to one.
constexpr KeyPair kKeys[] = {
    {0x01000000, 0x1B, "Esc"},    {0x01000001, 0x09, "Tab"},   {0x01000003, 0x08, "Backspace"},
    {0x01000004, 0x0D, "Enter"},  {0x01000005, 0x0D, "Enter"}, {0x01000006, 0x2D, "Ins"},
    {0x01000007, 0x2E, "Del"},    {0x01000008, 0x13, "Pause"}, {0x01000010, 0x24, "Home"},
    {0x01000011, 0x23, "End"},    {0x01000012, 0x25, "Left"},  {0x01000013, 0x26, "Up"},
    {0x01000014, 0x27, "Right"},  {0x01000015, 0x28, "Down"},  {0x01000016, 0x21, "PgUp"},
    {0x01000017, 0x22, "PgDown"}, {0x20, 0x20, "Space"},
};

constexpr int kToolkitF1 = 0x01000030;
constexpr std::uint32_t kVirtualF1 = 0x70;

}  // namespace

std::uint32_t VirtualKeyOf(int toolkitKey) {
  // Letters and digits have the same numbers in both.
  if ((toolkitKey >= 'A' && toolkitKey <= 'Z') || (toolkitKey >= '0' && toolkitKey <= '9')) {
    return static_cast<std::uint32_t>(toolkitKey);
  }
  if (toolkitKey >= kToolkitF1 && toolkitKey < kToolkitF1 + 24) {
    return kVirtualF1 + static_cast<std::uint32_t>(toolkitKey - kToolkitF1);
  }
  for (const KeyPair& k : kKeys) {
    if (k.toolkit == toolkitKey) {
      return k.virtualKey;
    }
  }
  return 0;
}

std::string VirtualKeyName(std::uint32_t virtualKey) {
  if ((virtualKey >= 'A' && virtualKey <= 'Z') || (virtualKey >= '0' && virtualKey <= '9')) {
    return std::string(1, static_cast<char>(virtualKey));
  }
  if (virtualKey >= kVirtualF1 && virtualKey < kVirtualF1 + 24) {
    return "F" + std::to_string(virtualKey - kVirtualF1 + 1);
  }
  for (const KeyPair& k : kKeys) {
    if (k.virtualKey == virtualKey) {
      return k.name;
    }
  }
  return {};
}

std::uint32_t ShortcutKeyCodeOf(int toolkitKey, std::uint32_t toolkitModifiers) {
  const std::uint32_t vk = VirtualKeyOf(toolkitKey);
  if (vk == 0) {
    return 0;
  }
  std::uint32_t flags = kAccelVirtKey;
  if ((toolkitModifiers & kToolkitShift) != 0) {
    flags |= kAccelShift;
  }
  if ((toolkitModifiers & kToolkitControl) != 0) {
    flags |= kAccelControl;
  }
  if ((toolkitModifiers & kToolkitAlt) != 0) {
    flags |= kAccelAlt;
  }
  return (vk << 16) | flags;
}

std::uint32_t KeyDataOf(bool autoRepeat, bool release) {
  return (autoRepeat ? 1u << 30 : 0u) | (release ? 1u << 31 : 0u);
}

}  // namespace Tessel
