#include "strata/import/RecordingImporter.h"

#include <fstream>

#include "strata/import/DelimitedTextReader.h"
#include "strata/import/EdfReader.h"
#include "strata/storage/StrataFile.h"

namespace Strata {

ImportResult ImportRecording(const std::string& path, const ImportOptions& options) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    return ImportResult::Failure(path, "the file cannot be opened");
  }
  std::string head(256, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<std::size_t>(in.gcount()));
  in.close();
  if (head.empty()) {
    return ImportResult::Failure(path, "the file is empty");
  }
  if (head.rfind(std::string("SQLite format 3\0", 16), 0) == 0) {
    StrataFileContents contents;
    if (std::string fault = StrataFile::Read(path, &contents); !fault.empty()) {
      // Said as every import refusal is: "<file>: <fault>".
      const std::string prefix = StrataFile::OpenError(path, "");
      const std::string lead = prefix.substr(0, prefix.size() - 1);
      if (fault.rfind(lead, 0) == 0 && fault.back() == '.') {
        fault = fault.substr(lead.size(), fault.size() - lead.size() - 1);
      }
      return ImportResult::Failure(path, fault);
    }
    ImportResult opened;
    opened.ok = true;
    opened.format = "Strata document";
    opened.recording = std::move(contents.recording);
    return opened;
  }
  const EdfReader edf;
  if (edf.Recognises(head)) {
    return edf.Read(path, options);
  }
  const DelimitedTextReader text;
  if (text.Recognises(head)) {
    return text.Read(path, options);
  }
  return ImportResult::Failure(
      path, "the format is not recognised: it is neither EDF, BDF nor delimited text");
}

}  // namespace Strata
