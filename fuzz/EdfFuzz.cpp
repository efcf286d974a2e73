// Feeds arbitrary bytes to the EDF-family import. EDFlib reads only from a path, so each input
// goes through a temporary file. A file is either refused with a message or gives a recording
// that keeps its own invariants; it never crashes, leaks or reads outside its buffers.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "strata/import/RecordingImporter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  char path[] = "/tmp/tessel-edf-fuzz-XXXXXX";
  const int fd = mkstemp(path);
  if (fd < 0) {
    return 0;
  }
  std::size_t written = 0;
  while (written < size) {
    const ssize_t n = write(fd, data + written, size - written);
    if (n <= 0) {
      break;
    }
    written += static_cast<std::size_t>(n);
  }
  close(fd);
  const Strata::ImportResult r = Strata::ImportRecording(path);
  std::remove(path);
  if (r.ok && !r.recording.Validate().empty()) {
    std::abort();  // an accepted file must give a sound recording
  }
  if (!r.ok && (r.error.rfind(path, 0) != 0 || r.recording.ChannelCount() != 0)) {
    std::abort();  // a refusal names the file and loads nothing
  }
  return 0;
}
