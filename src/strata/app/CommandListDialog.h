#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QTableWidget>

#include "strata/recording/CommandRegistry.h"

namespace Strata {

// Every registered command with its description, searchable as the user types, run by name:
// the way to the commands that no menu shows.
class CommandListDialog : public QDialog {
  Q_OBJECT

 public:
  CommandListDialog(const CommandRegistry& commands, QWidget* parent = nullptr);

  QLineEdit* Search() const { return search_; }
  QTableWidget* List() const { return list_; }
  // Runs the selected command and closes; false when none is selected or it does nothing yet.
  bool RunSelected();

 private:
  void Fill();

  const CommandRegistry& commands_;
  QLineEdit* search_;
  QTableWidget* list_;
};

}  // namespace Strata
