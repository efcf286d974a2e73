#include "tessel/views/ModuleActions.h"

#include "tessel/document/Document.h"
#include "tessel/host/KeyboardHook.h"
#include "tessel/host/ShortcutKeys.h"

namespace Tessel {
namespace {

// The current document as the module's own class, for what the host interface does not offer:
// every Tessel document is one.
Document* CurrentDocument() {
  return dynamic_cast<Document*>(KeyboardHook::CurrentDocument());
}

}  // namespace

std::function<void()> ModuleActionHandler(ModuleAction action) {
  switch (action) {
    case ModuleAction::kMarkDose:
      return [] {
        if (ITesselDoc* doc = KeyboardHook::CurrentDocument()) {
          doc->MarkDose();
        }
      };
    case ModuleAction::kAddResponse:
      return [] {
        if (ITesselDoc* doc = KeyboardHook::CurrentDocument()) {
          doc->AddResponse();
        }
      };
    case ModuleAction::kShortcutKeys:
      // The host's shortcut-key manager, open at the module's commands.
      return [] {
        if (Document* doc = CurrentDocument(); doc != nullptr && doc->ShortcutKeys() != nullptr) {
          doc->ShortcutKeys()->ShowManager(kShortcutCategory);
        }
      };
    case ModuleAction::kRecalculate:
      return [] {
        if (Document* doc = CurrentDocument()) {
          doc->RecalculateAllResponses();
        }
      };
    default:
      return {};
  }
}

}  // namespace Tessel
