#include "tessel/views/SettingsCommand.h"

#include "tessel/document/Document.h"

namespace Tessel {

bool RunSettingsCommand(Document& doc, const SettingsDialogRunner& runDialog) {
  if (!runDialog) {
    return false;
  }
  Ref<IHelpService> help = QueryService<IHelpService>(doc.Parent());
  return doc.EditSettings([&](DocumentSettings& copy) {
    TableViewSettingsDlgModel model(copy, help);
    // Only OK's own write-back counts: a dialog closed any other way leaves the copy as it was.
    return runDialog(model) && model.Accepted();
  });
}

}  // namespace Tessel
