#include "strata/recording/Host.h"

namespace Strata {

using namespace Tessel;

Host::Host(Ref<IMessageBox> messageBox)
    : types_(MakeRef<TypeRegistry>()),
      shortcuts_(MakeRef<ShortcutKeyManager>()),
      commands_(MakeRef<CommandRegistry>()),
      dataPad_(MakeRef<DataPad>()),
      progress_(MakeRef<ProgressIndicator>()),
      help_(MakeRef<HelpService>()),
      messageBox_(std::move(messageBox)) {}

Status Host::QueryService(InterfaceId iid, void** out) {
  IUnknown* candidates[] = {types_.get(),    shortcuts_.get(), commands_.get(),  dataPad_.get(),
                            progress_.get(), help_.get(),      messageBox_.get()};
  for (IUnknown* c : candidates) {
    if (c != nullptr && c->Query(iid, out) == kOk) {
      return kOk;
    }
  }
  return kFail;
}

}  // namespace Strata
