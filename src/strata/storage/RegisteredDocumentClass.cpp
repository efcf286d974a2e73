#include "strata/storage/RegisteredDocumentClass.h"

#include <memory>
#include <set>

#include "strata/recording/ChartDocument.h"

namespace Strata {
namespace {

// An object's identity: its IUnknown, the same whichever interface it was reached through.
const void* IdentityOf(Tessel::IUnknown* object) {
  Tessel::Ref<Tessel::IUnknown> identity = Tessel::QueryInterface<Tessel::IUnknown>(object);
  return identity.get();
}

}  // namespace

ChildDocumentClass RegisteredDocumentClass(Tessel::Ref<Tessel::IClassObject> cls) {
  auto made = std::make_shared<std::set<const void*>>();
  ChildDocumentClass child;
  child.name = cls->DisplayName();
  child.create = [cls, made](ChartDocument& chart) -> Tessel::Ref<Tessel::IChildDocument> {
    Tessel::IUnknown* object = nullptr;
    if (cls->CreateInstance(&chart, &object) != Tessel::kOk || object == nullptr) {
      return {};
    }
    Tessel::Ref<Tessel::IUnknown> owned = Tessel::Adopt(object);
    made->insert(IdentityOf(object));
    return Tessel::QueryInterface<Tessel::IChildDocument>(owned);
  };
  child.isInstance = [made](Tessel::IChildDocument* document) {
    return made->count(IdentityOf(document)) != 0;
  };
  return child;
}

}  // namespace Strata
