#pragma once

#include <string>

#include "strata/import/ImportResult.h"

namespace Strata {

// Opens any recording file the host can import: looks at its first bytes, hands it to the reader
// of its format family, and returns what that reader made of it.
ImportResult ImportRecording(const std::string& path, const ImportOptions& options = {});

}  // namespace Strata
