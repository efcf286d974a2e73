#pragma once

#include <string>

#include "strata/import/EdfHeader.h"
#include "strata/import/ImportResult.h"

namespace Strata {

// Strata's own reader of EDF-family data records, for the files EDFlib refuses: discontinuous
// EDF+D and BDF+D files, and files whose header bends the layout rules (numbers with leading
// spaces, say) that the header check accepts. Reads the data records in order; in EDF+ and BDF+
// the time-keeping annotation of each record says when it starts (in EDF and BDF records follow
// one another), and every run of records without a gap becomes one block starting at its first
// record's time.
class EdfRecordReader {
 public:
  explicit EdfRecordReader(EdfHeader header) : header_(std::move(header)) {}
  // The header must already have been checked against the file (ReadEdfHeader).
  ImportResult Read(const std::string& path, const ImportOptions& options) const;

 private:
  EdfHeader header_;
};

}  // namespace Strata
