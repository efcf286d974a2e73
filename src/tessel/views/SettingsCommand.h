#pragma once

#include <functional>

#include "tessel/views/TableViewSettingsDlgModel.h"

namespace Tessel {

class Document;

// Shows the "Tessel Settings" dialog over the model, modally; true when it closed with OK (the
// model's PressOk accepted). The Qt dialog answers it for the user, a test answers it directly.
using SettingsDialogRunner = std::function<bool(TableViewSettingsDlgModel&)>;

// The Settings command (menu "Tessel|Settings", the Table View's "Settings..." button): the
// dialog on a copy of the document's settings, applied by the document when OK changed anything.
// True when the settings changed.
bool RunSettingsCommand(Document& doc, const SettingsDialogRunner& runDialog);

}  // namespace Tessel
