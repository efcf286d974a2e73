#include "strata/recording/Registrar.h"

namespace Strata {

Tessel::Status Registrar::Query(Tessel::InterfaceId iid, void** out) {
  // The command service is the host's registry, handed out as an interface of the registrar.
  if (iid == Tessel::ICommandService::kIid) {
    return commands_->Query(iid, out);
  }
  return RefCounted::Query(iid, out);
}

Tessel::Status Registrar::AddClass(Tessel::IClassObject* classObject) {
  if (classObject == nullptr) {
    return Tessel::kFail;
  }
  classes_.emplace_back(classObject);
  return Tessel::kOk;
}

Tessel::IClassObject* Registrar::DocumentClass() const {
  for (const auto& c : classes_) {
    if (c->Kind() == Tessel::ClassKind::kDocument) {
      return c.get();
    }
  }
  return nullptr;
}

Tessel::IClassObject* Registrar::ViewClass(const std::string& displayName) const {
  for (const auto& c : classes_) {
    if (c->Kind() == Tessel::ClassKind::kView && c->DisplayName() == displayName) {
      return c.get();
    }
  }
  return nullptr;
}

}  // namespace Strata
