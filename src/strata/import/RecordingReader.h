#pragma once

#include <string>
#include <string_view>

#include "strata/import/ImportResult.h"

namespace Strata {

// One family of recording file formats. A reader is a pure parser: it reads the file, builds a
// Recording and its report, and touches nothing else.
class RecordingReader {
 public:
  virtual ~RecordingReader() = default;

  // True when the first bytes of a file (up to 256) show it belongs to this family.
  virtual bool Recognises(std::string_view head) const = 0;
  // Reads the whole file; a file that cannot be read gives !ok and no recording.
  virtual ImportResult Read(const std::string& path, const ImportOptions& options) const = 0;
};

}  // namespace Strata
