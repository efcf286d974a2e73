#include "tessel/host/DocumentClass.h"

#include "tessel/host/ITesselDoc.h"
#include "tessel/host/KeyboardHook.h"

namespace Tessel {

Status DocumentClass::DocumentCreated(IUnknown* document) {
  const Status status = plain_->DocumentCreated(document);
  // The previous current document is released here; a document that is not a Tessel document
  // leaves none current.
  KeyboardHook::SetCurrentDocument(QueryInterface<ITesselDoc>(document));
  return status;
}

Status DocumentClass::DocumentClosing(IUnknown* document) {
  Ref<ITesselDoc> closing = QueryInterface<ITesselDoc>(document);
  if (closing && closing.get() == KeyboardHook::CurrentDocument()) {
    KeyboardHook::SetCurrentDocument(nullptr);
  }
  return plain_->DocumentClosing(document);
}

}  // namespace Tessel
