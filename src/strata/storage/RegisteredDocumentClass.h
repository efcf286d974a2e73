#pragma once

#include "strata/storage/ChildDocumentClass.h"
#include "tessel/host/IRegistrar.h"

namespace Strata {

// An extension's registered document class as the .strata file sees it: stored under the class's
// display name, its documents created through the class and told apart by the class that made
// them.
ChildDocumentClass RegisteredDocumentClass(Tessel::Ref<Tessel::IClassObject> cls);

}  // namespace Strata
