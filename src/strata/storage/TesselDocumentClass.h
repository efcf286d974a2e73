#pragma once

#include "strata/storage/ChildDocumentClass.h"

namespace Strata {

inline constexpr const char* kTesselDocumentClassName = "Tessel Document";

// The Tessel Document's class, for saving and reopening charts that carry one.
ChildDocumentClass TesselDocumentClass();

}  // namespace Strata
