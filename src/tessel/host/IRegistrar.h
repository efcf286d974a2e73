#pragma once

#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

class IChartDocument;

// What a registered class creates: documents kept with a chart document, or views of them.
enum class ClassKind { kDocument, kView };

// A class the module registers: the host creates documents and views through it.
class IClassObject : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IClassObject";

  virtual std::string DisplayName() = 0;
  virtual ClassKind Kind() = 0;
  // Creates the object for a chart document (a Tessel Document, or a view of one).
  virtual Status CreateInstance(IChartDocument* parent, IUnknown** out) = 0;
  // The host announces a document created through this class, and its going away.
  virtual Status DocumentCreated(IUnknown* document) = 0;
  virtual Status DocumentClosing(IUnknown* document) = 0;
};

// Handed to the module's single export; the module adds its classes to it.
class IRegistrar : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IRegistrar";

  virtual Status AddClass(IClassObject* classObject) = 0;
};

}  // namespace Tessel
