#include "strata/recording/Host.h"

#include "strata/recording/RecordedPrinter.h"
#include "strata/recording/ScriptedFileChooser.h"
#include "strata/recording/TextClipboard.h"

namespace Strata {

using namespace Tessel;

Host::Host(Ref<IMessageBox> messageBox)
    : types_(MakeRef<TypeRegistry>()),
      shortcuts_(MakeRef<ShortcutKeyManager>()),
      commands_(MakeRef<CommandRegistry>()),
      dataPad_(MakeRef<DataPad>()),
      progress_(MakeRef<ProgressIndicator>()),
      help_(MakeRef<HelpService>()),
      messageBox_(std::move(messageBox)),
      clipboard_(MakeRef<TextClipboard>()),
      chooser_(MakeRef<ScriptedFileChooser>()),
      printer_(MakeRef<RecordedPrinter>()) {}

Status Host::QueryService(InterfaceId iid, void** out) {
  IUnknown* candidates[] = {types_.get(),    shortcuts_.get(), commands_.get(),   dataPad_.get(),
                            progress_.get(), help_.get(),      messageBox_.get(), clipboard_.get(),
                            chooser_.get(),  printer_.get()};
  for (IUnknown* c : candidates) {
    if (c != nullptr && c->Query(iid, out) == kOk) {
      return kOk;
    }
  }
  return kFail;
}

}  // namespace Strata
