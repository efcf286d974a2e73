#pragma once

#include <QDialog>

namespace Tessel {

// "One or more settings are invalid and need correcting.": shown while the Settings dialog
// refuses OK, with the marker the invalid field carries.
class SettingsWarningDlg : public QDialog {
 public:
  explicit SettingsWarningDlg(QWidget* parent);
};

}  // namespace Tessel
