#pragma once

#include <functional>
#include <string>

#include "tessel/host/IRegistrar.h"
#include "tessel/host/Ref.h"
#include "tessel/host/RefCounted.h"

namespace Tessel {

// Creates one kind of the module's objects for a chart document: the plain document class and
// the view classes. The host's announcements need nothing from it.
class ClassObject : public RefCounted<IClassObject> {
 public:
  using Factory = std::function<Ref<IUnknown>(IChartDocument* parent)>;

  ClassObject(std::string displayName, ClassKind kind, Factory factory)
      : displayName_(std::move(displayName)), kind_(kind), factory_(std::move(factory)) {}

  std::string DisplayName() override { return displayName_; }
  ClassKind Kind() override { return kind_; }
  Status CreateInstance(IChartDocument* parent, IUnknown** out) override;
  Status DocumentCreated(IUnknown*) override { return kOk; }
  Status DocumentClosing(IUnknown*) override { return kOk; }

 private:
  std::string displayName_;
  ClassKind kind_;
  Factory factory_;
};

}  // namespace Tessel
