#include "tessel/document/Document.h"
#include "tessel/host/ModuleExport.h"
#include "tessel/host/ModuleRegistration.h"
#include "tessel/host/qt/KeyEventFilter.h"
#include "tessel/views/ModuleActions.h"
#include "tessel/views/qt/PlaceholderView.h"

namespace {

Tessel::ClassObject::Factory Placeholder(const char* title) {
  return [title](Tessel::IChartDocument*) -> Tessel::Ref<Tessel::IUnknown> {
    return Tessel::Ref<Tessel::IUnknown>(Tessel::MakeRef<Tessel::PlaceholderView>(title).get());
  };
}

}  // namespace

// The only symbol the module's shared library exports (its version script hides the rest).
extern "C" __attribute__((visibility("default"))) Tessel::Status DllRegisterClassObjects(
    Tessel::IRegistrar* registrar) {
  using namespace Tessel;
  KeyEventFilter::Connect();
  ModuleParts parts;
  parts.createDocument = [](IChartDocument* parent) -> Ref<IUnknown> {
    Ref<IChildDocument> doc = Document::Create(parent);
    return Ref<IUnknown>(doc.get());
  };
  parts.createView = {Placeholder(kViewClassNames[0]), Placeholder(kViewClassNames[1]),
                      Placeholder(kViewClassNames[2])};
  parts.handler = ModuleActionHandler;
  return RegisterModule(registrar, parts);
}
