#pragma once

#include <vector>

#include "strata/recording/Registrar.h"
#include "strata/storage/ChildDocumentClass.h"

namespace Cli {

// The Tessel module as the tessel command has it: linked in, and registered once through its
// entry point like any host registers it, so documents are made by its registered classes.
Strata::Registrar& LinkedModule();

// The document classes a .strata file of this host may hold.
const std::vector<Strata::ChildDocumentClass>& DocumentClasses();

}  // namespace Cli
