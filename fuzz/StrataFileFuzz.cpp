// Opens arbitrary bytes as a .strata document: the opener must refuse what it cannot read with a
// message, and a file it opens must hold a consistent recording.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "cli/LinkedModule.h"
#include "strata/recording/Host.h"
#include "strata/recording/ScriptedMessageBox.h"
#include "strata/storage/StrataFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace Strata;
  static const std::string path = "/tmp/strata-fuzz-" + std::to_string(::getpid()) + ".strata";
  static Tessel::Ref<Host> host = Tessel::MakeRef<Host>(Tessel::MakeRef<ScriptedMessageBox>());
  FILE* f = std::fopen(path.c_str(), "wb");
  if (f == nullptr) {
    return 0;
  }
  std::fwrite(data, 1, size, f);
  std::fclose(f);
  StrataFile::Opened opened = StrataFile::Open(path, host, Cli::DocumentClasses());
  if (opened.chart) {
    if (!opened.error.empty() || !opened.chart->Data().Validate().empty()) {
      __builtin_trap();
    }
    opened.chart->Close();
  } else if (opened.error.rfind("Cannot open \"" + path + "\": ", 0) != 0) {
    __builtin_trap();
  }
  std::remove(path.c_str());
  return 0;
}
