// Feeds arbitrary bytes to a Document's stream reader. Whatever the bytes, the load must end in
// success or a failure status, and a stream that loaded must write out a stream that reads back
// to the same state (written twice, byte for byte the same).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "strata/recording/ChartDocument.h"
#include "strata/recording/Host.h"
#include "strata/recording/ScriptedMessageBox.h"
#include "tessel/document/Document.h"
#include "tessel/support/MemoryStream.h"

namespace {

using namespace Tessel;

Strata::ChartDocument& Chart() {
  static Ref<Strata::ChartDocument> chart = [] {
    Strata::Recording recording;
    recording.AddChannel("P");
    recording.AddBlock(0.01, 100);
    auto host = MakeRef<Strata::Host>(MakeRef<Strata::ScriptedMessageBox>());
    return MakeRef<Strata::ChartDocument>(host, std::move(recording));
  }();
  return *chart;
}

// Loads bytes into a new Document; on success returns true and what it writes back.
bool LoadAndSave(const std::vector<std::uint8_t>& bytes, std::vector<std::uint8_t>* saved) {
  Ref<Document> doc = Document::Create(&Chart());
  auto in = MakeRef<Kor::MemoryStream>(bytes);
  const bool loaded = Succeeded(doc->SettingsObject().Load(in.get()));
  if (loaded) {
    auto out = MakeRef<Kor::MemoryStream>();
    if (doc->SettingsObject().Save(out.get(), true) != kOk) {
      __builtin_trap();
    }
    *saved = out->Bytes();
  }
  doc->Close();
  return loaded;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> first;
  if (!LoadAndSave(std::vector<std::uint8_t>(data, data + size), &first)) {
    return 0;
  }
  std::vector<std::uint8_t> second;
  if (!LoadAndSave(first, &second) || second != first) {
    __builtin_trap();
  }
  return 0;
}
