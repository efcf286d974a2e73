#pragma once

#include <functional>
#include <string>

#include "tessel/host/IChildDocument.h"
#include "tessel/host/Ref.h"

namespace Strata {

class ChartDocument;

// A class of extension documents that a .strata file can hold: the name it is stored under, how
// a new one is made for a chart document (not yet initialised), and how to tell its instances.
struct ChildDocumentClass {
  std::string name;
  std::function<Tessel::Ref<Tessel::IChildDocument>(ChartDocument&)> create;
  std::function<bool(Tessel::IChildDocument*)> isInstance;
};

}  // namespace Strata
