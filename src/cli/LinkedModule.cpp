#include "cli/LinkedModule.h"

#include "strata/storage/RegisteredDocumentClass.h"
#include "tessel/host/ModuleExport.h"

namespace Cli {

Strata::Registrar& LinkedModule() {
  static const Tessel::Ref<Strata::Registrar> registrar = [] {
    auto r = Tessel::MakeRef<Strata::Registrar>(Tessel::MakeRef<Strata::CommandRegistry>());
    DllRegisterClassObjects(r.get());
    return r;
  }();
  return *registrar;
}

const std::vector<Strata::ChildDocumentClass>& DocumentClasses() {
  static const std::vector<Strata::ChildDocumentClass> classes = {Strata::RegisteredDocumentClass(
      Tessel::Ref<Tessel::IClassObject>(LinkedModule().DocumentClass()))};
  return classes;
}

}  // namespace Cli
