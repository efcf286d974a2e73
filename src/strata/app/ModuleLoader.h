#pragma once

#include <QString>

#include "strata/recording/Registrar.h"

namespace Strata {

// Loads the Tessel module from the plug-in folder beside the program and calls its one entry
// point with the registrar. "" when registered, else what went wrong, for one message at start.
QString LoadModule(const QString& pluginFolder, Registrar& registrar);

// The plug-in folder beside the running program.
QString DefaultPluginFolder();

}  // namespace Strata
