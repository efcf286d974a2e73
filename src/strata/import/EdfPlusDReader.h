#pragma once

#include <string>

#include "strata/import/EdfHeader.h"
#include "strata/import/ImportResult.h"

namespace Strata {

// Discontinuous EDF+D and BDF+D files, which EDFlib refuses. Reads the data records in order;
// the time-keeping annotation of each record says when it starts, and every run of records that
// follow one another without a gap becomes one block starting at its first record's time.
class EdfPlusDReader {
 public:
  explicit EdfPlusDReader(EdfHeader header) : header_(std::move(header)) {}
  // The header must already have been checked against the file (ReadEdfHeader).
  ImportResult Read(const std::string& path, const ImportOptions& options) const;

 private:
  EdfHeader header_;
};

}  // namespace Strata
