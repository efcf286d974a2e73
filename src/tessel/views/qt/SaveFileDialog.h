#pragma once

#include <optional>
#include <string>

#include "tessel/views/ExportCommands.h"

namespace Tessel {

// The exports' save dialog: a file dialog over the active window, with the request's title, type
// list, start folder and default extension, asking before it replaces a file.
class SaveFileDialog : public ISaveFileChooser {
 public:
  std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) override;
};

// The user's documents folder; none when the system names none or it does not exist.
std::optional<std::string> UserDocumentsFolder();

}  // namespace Tessel
