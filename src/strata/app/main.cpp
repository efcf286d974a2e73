// strata: the chart recorder's desktop program. strata [FILE...] opens recordings and documents.
#include <QApplication>
#include <QStandardPaths>
#include <cstdio>

#include "strata/app/DialogMessageBox.h"
#include "strata/app/MainWindow.h"
#include "strata/app/ModuleLoader.h"

int main(int argc, char** argv) {
  // Without a display Qt would stop with a message about its platform plug-in; say it plainly.
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
      qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    std::fprintf(stderr, "strata: there is no display to show the program on.\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Strata"));
  QApplication::setOrganizationName(QStringLiteral("Strata"));
  auto messages = Tessel::MakeRef<Strata::DialogMessageBox>(nullptr);
  // The window's arrangement and the recent files, kept between runs.
  const QString settings =
      QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + "/strata.ini";
  Strata::MainWindow window(messages, Strata::DefaultPluginFolder(), settings);
  window.show();
  for (const QString& path : QApplication::arguments().mid(1)) {
    window.Open(path);
  }
  return QApplication::exec();
}
