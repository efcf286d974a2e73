#include "tessel/host/KeyboardHook.h"

#include "tessel/host/IShortcutKeyManager.h"

namespace Tessel {
namespace {

bool installed = false;

std::function<void(bool)>& Installer() {
  static std::function<void(bool)> installer;
  return installer;
}

Ref<ITesselDoc>& Current() {
  static Ref<ITesselDoc> current;
  return current;
}

}  // namespace

bool KeyboardHook::Installed() {
  return installed;
}

bool KeyboardHook::Install() {
  if (installed) {
    return false;
  }
  installed = true;
  if (Installer()) {
    Installer()(true);
  }
  return true;
}

void KeyboardHook::Remove() {
  if (installed && Installer()) {
    Installer()(false);
  }
  installed = false;
}

void KeyboardHook::SetInstaller(std::function<void(bool)> installer) {
  Installer() = std::move(installer);
}

void KeyboardHook::SetCurrentDocument(Ref<ITesselDoc> document) {
  Current() = std::move(document);
}

ITesselDoc* KeyboardHook::CurrentDocument() {
  return Current().get();
}

bool KeyboardHook::Matches(std::uint32_t keyCode, std::uint32_t virtualKey,
                           KeyModifiers modifiers) {
  if (keyCode == 0 || (keyCode >> 16) != virtualKey) {
    return false;
  }
  const int down = int(modifiers.shift) + int(modifiers.control) + int(modifiers.alt);
  // With one modifier held the code must name it; with none, or a chord of several, any code
  // of that key matches.
  if (down != 1) {
    return true;
  }
  if (modifiers.shift) {
    return (keyCode & kAccelShift) != 0;
  }
  if (modifiers.control) {
    return (keyCode & kAccelControl) != 0;
  }
  return (keyCode & kAccelAlt) != 0;
}

bool KeyboardHook::HandleKey(int code, std::uint32_t virtualKey, std::uint32_t keyData,
                             KeyModifiers modifiers) {
  if (!installed || code < 0 || (keyData & 0xC0000000u) != 0) {
    return false;
  }
  Ref<ITesselDoc> doc = Current();
  if (!doc) {
    return false;
  }
  bool ran = false;
  if (Matches(doc->MarkDoseKey(), virtualKey, modifiers)) {
    doc->MarkDose();
    ran = true;
  }
  if (Matches(doc->AddResponseKey(), virtualKey, modifiers)) {
    doc->AddResponse();
    ran = true;
  }
  return ran;
}

}  // namespace Tessel
