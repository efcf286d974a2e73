// Feeds arbitrary text to the delimited-text reader straight from memory. Every input is either
// refused with a message naming the file or gives a recording that keeps its own invariants.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "strata/import/DelimitedTextReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const Strata::ImportResult r = Strata::DelimitedTextReader().ReadText(text, "fuzz.csv", {});
  if (r.ok && !r.recording.Validate().empty()) {
    std::abort();
  }
  if (!r.ok && (r.error.rfind("fuzz.csv: ", 0) != 0 || r.recording.ChannelCount() != 0)) {
    std::abort();
  }
  return 0;
}
