#pragma once

#include <QString>
#include <functional>
#include <string>

#include "strata/recording/Host.h"

class QMainWindow;
class QMenu;
class QMenuBar;

namespace Strata {

class DataPadWindow;
class DialogPrintService;
class HelpWindow;
class ProgressDialog;

// The windows through which the host's services reach the user: the Data Pad, help, the
// Shortcut Key Manager and the progress window, with the desktop's clipboard, file chooser and
// printing in place of the stand-ins. Each answers its service's request; none decides anything
// the service does not.
class HostWindows {
 public:
  // activeTopic names the help topic of the window the user works in, for F1.
  HostWindows(Tessel::Ref<Host> host, QMainWindow* window,
              std::function<std::string()> activeTopic);
  ~HostWindows();
  HostWindows(const HostWindows&) = delete;
  HostWindows& operator=(const HostWindows&) = delete;

  // View > Data Pad in view; a Help menu on bar with Help Topics (F1) and Keyboard Shortcuts.
  void AddActions(QMenu* view, QMenuBar* bar);

  // Opens the Shortcut Key Manager, modal, at the category's first command ("" for the first).
  void ShowShortcuts(const std::string& category);
  void ShowDataPad();

  DataPadWindow& Pad() { return *pad_; }
  HelpWindow& Help() { return *help_; }
  ProgressDialog& Progress() { return *progress_; }
  DialogPrintService& Printer() { return *printer_; }
  // The help topics: the folder "help" beside the program unless set.
  void SetHelpFolder(const QString& folder);

 private:
  Tessel::Ref<Host> host_;
  Tessel::Ref<ShortcutKeyManager> shortcuts_;
  QMainWindow* window_;
  std::function<std::string()> activeTopic_;
  Tessel::Ref<DialogPrintService> printer_;
  DataPadWindow* pad_;
  HelpWindow* help_;
  ProgressDialog* progress_;
};

}  // namespace Strata
