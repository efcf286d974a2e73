#pragma once

#include "strata/import/EdfHeader.h"
#include "strata/import/RecordingReader.h"

namespace Strata {

// EDF, EDF+, BDF and BDF+ files. The header is checked here first, so that a fault is named
// precisely. Continuous files are then checked by EDFlib, which also reads their annotations, and
// their data records are decoded here in bulk; discontinuous EDF+D and BDF+D files (which EDFlib
// refuses) go to EdfRecordReader.
class EdfReader : public RecordingReader {
 public:
  bool Recognises(std::string_view head) const override { return HasEdfSignature(head); }
  ImportResult Read(const std::string& path, const ImportOptions& options) const override;

 private:
  // formatRefused: EDFlib found the file breaking the EDF layout rules.
  static ImportResult ReadContinuous(const std::string& path, const EdfHeader& header,
                                     const ImportOptions& options, bool* formatRefused);
};

// Reads the header of an EDF-family file and checks it against the file's size; the fault, or
// empty.
std::string ReadEdfHeader(const std::string& path, EdfHeader* header);

}  // namespace Strata
