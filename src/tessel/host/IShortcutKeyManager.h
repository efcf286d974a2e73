#pragma once

#include <cstdint>
#include <string_view>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// Key codes: high 16 bits the virtual-key code, low 16 bits the accelerator flags.
inline constexpr std::uint32_t kAccelVirtKey = 0x0001;
inline constexpr std::uint32_t kAccelShift = 0x0004;
inline constexpr std::uint32_t kAccelControl = 0x0008;
inline constexpr std::uint32_t kAccelAlt = 0x0010;

// The host's table of named commands and the keys assigned to them.
class IShortcutKeyManager : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IShortcutKeyManager";

  // kFail when the command is unknown.
  virtual Status QueryKey(std::string_view category, std::string_view command,
                          std::uint32_t* key) = 0;
  virtual Status RegisterCommand(std::string_view category, std::string_view command,
                                 std::string_view description, std::uint32_t key) = 0;
  // kOk when key may be given to the command (no other command holds it).
  virtual Status CheckKey(std::uint32_t key, std::string_view category,
                          std::string_view command) = 0;
  // Opens the host's Shortcut Key Manager at a category of commands; an older host has none.
  virtual Status ShowManager(std::string_view /*category*/) { return kNotImplemented; }
};

}  // namespace Tessel
