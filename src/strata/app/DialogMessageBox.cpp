#include "strata/app/DialogMessageBox.h"

#include <QMessageBox>

namespace Strata {

Tessel::MessageAnswer DialogMessageBox::Show(const std::string& text, const std::string& caption,
                                             Tessel::MessageIcon icon,
                                             Tessel::MessageButtons buttons) {
  using Tessel::MessageAnswer;
  using Tessel::MessageButtons;
  using Tessel::MessageIcon;
  QMessageBox box(parent_);
  box.setWindowTitle(QString::fromStdString(caption));
  box.setText(QString::fromStdString(text));
  switch (icon) {
    case MessageIcon::kInformation:
      box.setIcon(QMessageBox::Information);
      break;
    case MessageIcon::kWarning:
      box.setIcon(QMessageBox::Warning);
      break;
    case MessageIcon::kError:
      box.setIcon(QMessageBox::Critical);
      break;
    case MessageIcon::kQuestion:
      box.setIcon(QMessageBox::Question);
      break;
    case MessageIcon::kNone:
      break;
  }
  switch (buttons) {
    case MessageButtons::kOkOnly:
      box.setStandardButtons(QMessageBox::Ok);
      break;
    case MessageButtons::kYesNo:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
      break;
    case MessageButtons::kOkCancel:
      box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
      break;
    case MessageButtons::kYesNoCancel:
      box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
      break;
  }
  switch (box.exec()) {
    case QMessageBox::Yes:
      return MessageAnswer::kYes;
    case QMessageBox::No:
      return MessageAnswer::kNo;
    case QMessageBox::Ok:
      return MessageAnswer::kOkPressed;
    default:
      return MessageAnswer::kCancel;
  }
}

}  // namespace Strata
