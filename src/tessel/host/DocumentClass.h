#pragma once

#include "tessel/host/IRegistrar.h"
#include "tessel/host/Ref.h"
#include "tessel/host/RefCounted.h"

namespace Tessel {

// The class the host creates Tessel Documents through. It passes everything on to the plain
// document class and keeps track of the current Tessel document, the one the keyboard hook and
// the commands act on: the document the host announced last, until it goes away.
class DocumentClass : public RefCounted<IClassObject> {
 public:
  explicit DocumentClass(Ref<IClassObject> plain) : plain_(std::move(plain)) {}

  std::string DisplayName() override { return plain_->DisplayName(); }
  ClassKind Kind() override { return plain_->Kind(); }
  Status CreateInstance(IChartDocument* parent, IUnknown** out) override {
    return plain_->CreateInstance(parent, out);
  }
  Status DocumentCreated(IUnknown* document) override;
  Status DocumentClosing(IUnknown* document) override;

 private:
  Ref<IClassObject> plain_;
};

}  // namespace Tessel
