#include "strata/app/ModuleLoader.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibrary>

#include "tessel/host/IRegistrar.h"

namespace Strata {

QString DefaultPluginFolder() {
  return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("plugins"));
}

QString LoadModule(const QString& pluginFolder, Registrar& registrar) {
  const QString path = QDir(pluginFolder).filePath(QStringLiteral("libtessel.so"));
  if (!QFileInfo::exists(path)) {
    return QStringLiteral(
               "The Tessel module was not found in \"%1\". Recordings can still be "
               "opened, without dose-response analysis.")
        .arg(pluginFolder);
  }
  // The library stays loaded for the life of the program: its classes and windows live on.
  QLibrary library(path);
  library.setLoadHints(QLibrary::ResolveAllSymbolsHint);
  using Entry = Tessel::Status (*)(Tessel::IRegistrar*);
  auto entry = reinterpret_cast<Entry>(library.resolve("DllRegisterClassObjects"));
  if (entry == nullptr) {
    return QStringLiteral(
               "The Tessel module \"%1\" cannot be loaded: %2. Recordings can still "
               "be opened, without dose-response analysis.")
        .arg(path, library.errorString());
  }
  if (entry(&registrar) != Tessel::kOk) {
    return QStringLiteral(
               "The Tessel module \"%1\" refused to register. Recordings can still "
               "be opened, without dose-response analysis.")
        .arg(path);
  }
  return {};
}

}  // namespace Strata
