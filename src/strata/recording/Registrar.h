#pragma once

#include <vector>

#include "strata/recording/CommandRegistry.h"
#include "tessel/host/IRegistrar.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// What an extension's entry point registers with: the class list, and the command service for
// its menus and named commands (the host's own registry).
class Registrar : public Tessel::RefCounted<Tessel::IRegistrar> {
 public:
  explicit Registrar(Tessel::Ref<CommandRegistry> commands) : commands_(std::move(commands)) {}

  Tessel::Status Query(Tessel::InterfaceId iid, void** out) override;
  Tessel::Status AddClass(Tessel::IClassObject* classObject) override;

  // The classes in the order they were added.
  const std::vector<Tessel::Ref<Tessel::IClassObject>>& Classes() const { return classes_; }
  // The first class of documents (a chart document holds one document of each class).
  Tessel::IClassObject* DocumentClass() const;
  // The view class with this display name; none when no extension registered it.
  Tessel::IClassObject* ViewClass(const std::string& displayName) const;
  CommandRegistry& Commands() { return *commands_; }

 private:
  std::vector<Tessel::Ref<Tessel::IClassObject>> classes_;
  Tessel::Ref<CommandRegistry> commands_;
};

}  // namespace Strata
