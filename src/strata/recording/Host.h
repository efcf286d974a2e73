#pragma once

#include "strata/recording/CommandRegistry.h"
#include "strata/recording/DataPad.h"
#include "strata/recording/HelpService.h"
#include "strata/recording/ProgressIndicator.h"
#include "strata/recording/ShortcutKeyManager.h"
#include "strata/recording/TypeRegistry.h"
#include "tessel/host/IClipboard.h"
#include "tessel/host/IFileChooser.h"
#include "tessel/host/IMessageBox.h"
#include "tessel/host/IPrintService.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

// The application-wide services every chart document shares: type numbers, shortcut keys,
// commands, the Data Pad, the progress window, help, message boxes, the clipboard, the file
// chooser and printing. Without a desktop the last three are the stand-ins that keep what they
// were given; the desktop puts its own in their place.
class Host : public Tessel::RefCounted<Tessel::IUnknown> {
 public:
  // A host whose message boxes go to the given service (a dialog, stderr, or a test's script).
  explicit Host(Tessel::Ref<Tessel::IMessageBox> messageBox);

  // Answers a service query by interface; kFail when the host has no such service.
  Tessel::Status QueryService(Tessel::InterfaceId iid, void** out);

  TypeRegistry& Types() { return *types_; }
  ShortcutKeyManager& Shortcuts() { return *shortcuts_; }
  CommandRegistry& Commands() { return *commands_; }
  DataPad& Pad() { return *dataPad_; }
  ProgressIndicator& Progress() { return *progress_; }
  HelpService& Help() { return *help_; }
  Tessel::IMessageBox* MessageBox() { return messageBox_.get(); }
  void SetMessageBox(Tessel::Ref<Tessel::IMessageBox> box) { messageBox_ = std::move(box); }
  Tessel::IClipboard* Clipboard() { return clipboard_.get(); }
  Tessel::IFileChooser* FileChooser() { return chooser_.get(); }
  Tessel::IPrintService* Printer() { return printer_.get(); }
  void SetClipboard(Tessel::Ref<Tessel::IClipboard> c) { clipboard_ = std::move(c); }
  void SetFileChooser(Tessel::Ref<Tessel::IFileChooser> c) { chooser_ = std::move(c); }
  void SetPrinter(Tessel::Ref<Tessel::IPrintService> p) { printer_ = std::move(p); }
  // A host without a Shortcut Key Manager (an older host, or one the user has locked down).
  void RemoveShortcutManager() { shortcuts_.reset(); }

 private:
  Tessel::Ref<TypeRegistry> types_;
  Tessel::Ref<ShortcutKeyManager> shortcuts_;
  Tessel::Ref<CommandRegistry> commands_;
  Tessel::Ref<DataPad> dataPad_;
  Tessel::Ref<ProgressIndicator> progress_;
  Tessel::Ref<HelpService> help_;
  Tessel::Ref<Tessel::IMessageBox> messageBox_;
  Tessel::Ref<Tessel::IClipboard> clipboard_;
  Tessel::Ref<Tessel::IFileChooser> chooser_;
  Tessel::Ref<Tessel::IPrintService> printer_;
};

}  // namespace Strata
