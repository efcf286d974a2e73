#pragma once

#include <functional>
#include <string>

#include "tessel/host/IChildDocument.h"
#include "tessel/host/Ref.h"

namespace Strata {

class ChartDocument;

// A class of extension documents that a .strata file can hold: the name it is stored under, how
// a new one is made for a chart document (not yet initialised), how to tell its instances, and,
// when the class can say, what was wrong with a stream one of them could not load.
struct ChildDocumentClass {
  std::string name;
  std::function<Tessel::Ref<Tessel::IChildDocument>(ChartDocument&)> create;
  std::function<bool(Tessel::IChildDocument*)> isInstance;
  std::function<std::string(Tessel::IChildDocument*)> loadFault;
};

}  // namespace Strata
