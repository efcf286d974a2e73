#pragma once

namespace Strata {

// The name the Tessel extension's documents are stored under in .strata files.
inline constexpr const char* kTesselDocumentClassName = "Tessel Document";

}  // namespace Strata
