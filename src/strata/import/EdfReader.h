#pragma once

#include "strata/import/EdfHeader.h"
#include "strata/import/RecordingReader.h"

namespace Strata {

// EDF, EDF+, BDF and BDF+ files. The header is checked here first, so that a fault is named
// precisely; continuous files are then read through EDFlib, discontinuous EDF+D and BDF+D files
// (which EDFlib refuses) by EdfRecordReader.
class EdfReader : public RecordingReader {
 public:
  bool Recognises(std::string_view head) const override { return HasEdfSignature(head); }
  ImportResult Read(const std::string& path, const ImportOptions& options) const override;

 private:
  static ImportResult ReadContinuous(const std::string& path, const EdfHeader& header,
                                     const ImportOptions& options);
};

// Reads the header of an EDF-family file and checks it against the file's size; the fault, or
// empty.
std::string ReadEdfHeader(const std::string& path, EdfHeader* header);

}  // namespace Strata
