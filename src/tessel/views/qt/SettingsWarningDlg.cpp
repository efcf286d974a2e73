#include "tessel/views/qt/SettingsWarningDlg.h"

#include <QLabel>
#include <QPushButton>

#include "tessel/views/TableViewSettingsDlgModel.h"
#include "tessel/views/qt/DialogTemplateWidgets.h"

namespace Tessel {

SettingsWarningDlg::SettingsWarningDlg(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("SettingsWarningDlg"));
  const std::vector<QWidget*> widgets = BuildDialog(*this, kSettingsWarningDialog);
  // The marker says which fields it is about: it is seen, not hidden as beside a valid field.
  for (size_t i = 0; i < widgets.size(); ++i) {
    const ControlTemplate& c = kSettingsWarningControls[i];
    if (c.kind == ControlKind::kErrorMarker) {
      widgets[i]->show();
    }
    if (c.kind == ControlKind::kDefaultButton) {
      connect(qobject_cast<QPushButton*>(widgets[i]), &QPushButton::clicked, this,
              &QDialog::accept);
    }
  }
}

}  // namespace Tessel
