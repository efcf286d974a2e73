#pragma once

#include <cstdint>
#include <functional>

#include "tessel/host/ITesselDoc.h"
#include "tessel/host/Ref.h"

namespace Tessel {

struct KeyModifiers {
  bool shift = false;
  bool control = false;
  bool alt = false;
};

// The process's one keyboard hook: F2 and F3 (or whatever keys the user assigned) reach the
// current Tessel document wherever the focus is. The host's event filter feeds it every key.
class KeyboardHook {
 public:
  static bool Installed();
  // Installs the hook unless one is; true when this call installed it.
  static bool Install();
  static void Remove();
  // What puts the hook into the host's event stream and takes it out again (true: install). The
  // module's entry point sets it; without one the hook only answers HandleKey.
  static void SetInstaller(std::function<void(bool install)> installer);

  // The Tessel document that keys act on; the host announces it as documents come and go.
  static void SetCurrentDocument(Ref<ITesselDoc> document);
  static ITesselDoc* CurrentDocument();

  // One keyboard event. code < 0 and repeats or releases (bits 30, 31 of keyData) pass through.
  // True when a command ran. The event always goes on to the next hook.
  static bool HandleKey(int code, std::uint32_t virtualKey, std::uint32_t keyData,
                        KeyModifiers modifiers);

  // Whether a pressed key with these modifiers is the assigned key code.
  static bool Matches(std::uint32_t keyCode, std::uint32_t virtualKey, KeyModifiers modifiers);
};

}  // namespace Tessel
