#include "tessel/views/ModuleActions.h"

#include "tessel/document/Document.h"
#include "tessel/host/KeyboardHook.h"

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
