#include "strata/app/DialogFileChooser.h"

#include <QFileDialog>
#include <QRegularExpression>

namespace Strata {

Tessel::Status DialogFileChooser::ChooseSavePath(const std::string& title,
                                                 const std::string& filter,
                                                 const std::string& suggestedName,
                                                 std::string* path) {
  if (path == nullptr) {
    return Tessel::kFail;
  }
  path->clear();
  const QString filters = QString::fromStdString(filter);
  QFileDialog dialog(parent_, QString::fromStdString(title), QString(), filters);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.selectFile(QString::fromStdString(suggestedName));
  // A name typed without an extension gets the filter's, as the file's readers expect it.
  const QRegularExpressionMatch suffix =
      QRegularExpression(QStringLiteral("\\*\\.(\\w+)")).match(filters);
  if (suffix.hasMatch()) {
    dialog.setDefaultSuffix(suffix.captured(1));
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return Tessel::kFalse;
  }
  *path = dialog.selectedFiles().front().toStdString();
  return Tessel::kOk;
}

}  // namespace Strata
