#pragma once

#include <array>
#include <functional>

#include "tessel/host/ClassObject.h"
#include "tessel/host/IRegistrar.h"
#include "tessel/host/ModuleAction.h"

namespace Tessel {

// The display names of the classes the module registers, in their order.
inline constexpr const char* kDocumentClassName = "Tessel Document";
inline constexpr std::array<const char*, 3> kViewClassNames = {
    "Tessel Table View", "Tessel Results View", "Tessel Analysis View"};

// What the module registers, as the module's top level puts it together: how its documents and
// its Table, Results and Analysis views are made, and what each menu item and command does (an
// empty handler for one whose window the module does not offer yet).
struct ModuleParts {
  ClassObject::Factory createDocument;
  std::array<ClassObject::Factory, 3> createView;
  std::function<std::function<void()>(ModuleAction)> handler;
};

// Adds the document class and the three view classes to the registrar's class list, in that
// order, and, when the registrar offers the command service, the "Tessel" menu and the named
// commands. 0 on success.
Status RegisterModule(IRegistrar* registrar, const ModuleParts& parts);

}  // namespace Tessel
