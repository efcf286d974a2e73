#include "tessel/views/qt/SaveFileDialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QStandardPaths>

namespace Tessel {
namespace {

// A type list entry as the file dialog reads it: the display text, which names its pattern in
// parentheses; the pattern is added when the text does not.
QString NameFilter(const FileFilter& filter) {
  const QString text = QString::fromStdString(filter.text);
  const QString pattern = QString::fromStdString(filter.pattern);
  return text.contains(QLatin1Char('(') + pattern + QLatin1Char(')'))
             ? text
             : text + QStringLiteral(" (") + pattern + QLatin1Char(')');
}

}  // namespace

std::optional<std::string> SaveFileDialog::ChooseSaveFile(const SaveFileRequest& request) {
  QFileDialog dialog(QApplication::activeWindow(), QString::fromStdString(request.title),
                     QString::fromStdString(request.initialFolder));
  dialog.setObjectName(QStringLiteral("SaveFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // The same dialog on every desktop, which also lets a test type into it.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
  QStringList filters;
  for (const FileFilter& filter : request.filters) {
    filters << NameFilter(filter);
  }
  dialog.setNameFilters(filters);
  if (request.filterIndex >= 1 && request.filterIndex <= filters.size()) {
    dialog.selectNameFilter(filters[request.filterIndex - 1]);
  }
  dialog.setDefaultSuffix(QString::fromStdString(request.defaultExtension));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return std::nullopt;
  }
  return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> UserDocumentsFolder() {
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) {
    return std::nullopt;
  }
  return QDir::toNativeSeparators(folder).toStdString();
}

}  // namespace Tessel
