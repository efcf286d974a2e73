#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>

#include "strata/recording/Host.h"
#include "strata/recording/ShortcutKeyTable.h"

namespace Strata {

// The Shortcut Key Manager: every registered command under its category with its key. The user
// selects a command and presses the key it should have, or clears it; a key another command
// holds is refused with a message naming that command.
class ShortcutKeyDialog : public QDialog {
  Q_OBJECT

 public:
  ShortcutKeyDialog(Host& host, QWidget* parent);

  // Selects the first command of a category.
  void OpenAt(const std::string& category);
  QTreeWidget* List() const { return list_; }
  QLineEdit* KeyField() const { return keyField_; }
  QPushButton* ClearButton() const { return clear_; }

 private:
  void Fill();
  // Gives the selected command the key (0 clears it), or says why not.
  void AssignSelected(std::uint32_t key);
  void ShowSelectedKey();

  Host& host_;
  ShortcutKeyTable table_;
  std::vector<ShortcutKeyTable::Row> rows_;
  QTreeWidget* list_;
  QLineEdit* keyField_;
  QPushButton* clear_;
};

}  // namespace Strata
