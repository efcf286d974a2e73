#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "strata/recording/ChartDocument.h"
#include "strata/recording/Host.h"
#include "strata/recording/Recording.h"
#include "strata/storage/ChildDocumentClass.h"

namespace Strata {

// The format version of .strata files this program writes; it reads every version up to it.
// Version 2 keeps a checksum beside every record and the number of records of every table;
// version 1 files have neither and open without the check.
inline constexpr std::int64_t kStrataFormatVersion = 2;
inline constexpr std::int64_t kFirstCheckedFormat = 2;
// SQLite's application id of a .strata file: "STRA".
inline constexpr std::int64_t kStrataApplicationId = 0x53545241;

// One stream an extension document keeps in the file.
struct StoredStream {
  std::int32_t index = 0;
  std::int32_t kind = 0;
  std::vector<std::uint8_t> bytes;
};

struct StoredChild {
  std::string className;
  std::vector<StoredStream> streams;
};

// Everything a .strata file holds, before any extension has read its streams.
struct StrataFileContents {
  Recording recording;
  std::vector<StoredChild> children;
};

// .strata documents: the recording, its comments and the extensions' streams in one SQLite file.
class StrataFile {
 public:
  // Saves atomically: a new file is written beside the old one, flushed to disk and renamed over
  // it, so a crash or a full disk leaves either the old file or the new one. Returns "" when
  // saved, else a message naming the file and what went wrong; the document stays as it was.
  static std::string Save(const std::string& path, ChartDocument& chart,
                          const std::vector<ChildDocumentClass>& classes,
                          std::int32_t saveMode = Tessel::kSaveNormal);

  // Reads the file without creating any extension document. "" or the message.
  static std::string Read(const std::string& path, StrataFileContents* contents);

  struct Opened {
    Ref<ChartDocument> chart;  // none when the file was refused
    std::string error;
  };
  // Opens the file as a chart document: the recording, then each extension document created by
  // its class, loaded from its streams and initialised.
  static Opened Open(const std::string& path, Ref<Host> host,
                     const std::vector<ChildDocumentClass>& classes);

  // "Cannot open "path": reason." and "Cannot save "path": reason."
  static std::string OpenError(const std::string& path, const std::string& reason);
  static std::string SaveError(const std::string& path, const std::string& reason);
};

}  // namespace Strata
