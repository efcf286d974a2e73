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

ModuleDialogs& Dialogs() {
  static ModuleDialogs dialogs;
  return dialogs;
}

std::optional<std::string> DocumentsFolder() {
  return Dialogs().documentsFolder ? Dialogs().documentsFolder() : std::nullopt;
}

}  // namespace

void InstallModuleDialogs(ModuleDialogs dialogs) {
  Dialogs() = std::move(dialogs);
}

std::function<void()> ModuleActionHandler(ModuleAction action) {
  switch (action) {
    case ModuleAction::kSettings:
      if (!Dialogs().settings) {
        return {};
      }
      return [] {
        if (Document* doc = CurrentDocument()) {
          RunSettingsCommand(*doc, Dialogs().settings);
        }
      };
    case ModuleAction::kAutoAnalyze:
      if (!Dialogs().autoAnalyze) {
        return {};
      }
      return [] {
        if (Document* doc = CurrentDocument()) {
          AutoAnalyzeDialogModel model(*doc);
          if (model.Open()) {
            Dialogs().autoAnalyze(model);
          }
        }
      };
    case ModuleAction::kConvertComments:
      if (!Dialogs().convertComments) {
        return {};
      }
      return [] {
        if (Document* doc = CurrentDocument()) {
          ConvertCommentsDialogModel model(*doc);
          if (model.Open()) {
            Dialogs().convertComments(model);
          }
        }
      };
    case ModuleAction::kExportXml:
    case ModuleAction::kExportText:
      if (!Dialogs().saveFile) {
        return {};
      }
      return [xml = action == ModuleAction::kExportXml] {
        Document* doc = CurrentDocument();
        const std::shared_ptr<ISaveFileChooser> chooser = Dialogs().saveFile;
        if (doc == nullptr || !chooser) {
          return;
        }
        if (xml) {
          ExportToXml(*doc, *chooser, DocumentsFolder());
        } else {
          ExportToText(*doc, *chooser, DocumentsFolder());
        }
      };
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
