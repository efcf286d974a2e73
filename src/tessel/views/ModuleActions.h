#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "tessel/host/ModuleAction.h"
#include "tessel/views/AutoAnalyzeDialogModel.h"
#include "tessel/views/ConvertCommentsDialogModel.h"
#include "tessel/views/ExportCommands.h"
#include "tessel/views/SettingsCommand.h"

namespace Tessel {

// The windows the module's commands open, supplied by the layer that draws them: the Settings
// dialog, the save-file dialog, the lookup of the user's documents folder (none when it cannot
// be found), and the Auto-Analyze Selection and Convert Comments dialogs, shown modally over a
// model that has opened (there is a selection).
struct ModuleDialogs {
  SettingsDialogRunner settings;
  std::function<void(AutoAnalyzeDialogModel&)> autoAnalyze;
  std::function<void(ConvertCommentsDialogModel&)> convertComments;
  std::shared_ptr<ISaveFileChooser> saveFile;
  std::function<std::optional<std::string>()> documentsFolder;
};

// Installed before the module registers its menu and commands; a command whose window is
// missing then gets no handler.
void InstallModuleDialogs(ModuleDialogs dialogs);

// What a menu item or named command does, on the current Tessel document (nothing while there
// is none). Empty for the actions whose windows the module does not offer yet.
std::function<void()> ModuleActionHandler(ModuleAction action);

}  // namespace Tessel
