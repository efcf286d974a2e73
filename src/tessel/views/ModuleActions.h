#pragma once

#include <functional>

#include "tessel/host/ModuleAction.h"

namespace Tessel {

// What a menu item or named command does, on the current Tessel document (nothing while there
// is none). Empty for the actions whose windows the module does not offer yet.
std::function<void()> ModuleActionHandler(ModuleAction action);

}  // namespace Tessel
