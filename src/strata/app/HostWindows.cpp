#include "strata/app/HostWindows.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

#include "strata/app/DataPadWindow.h"
#include "strata/app/DesktopClipboard.h"
#include "strata/app/DialogFileChooser.h"
#include "strata/app/DialogPrintService.h"
#include "strata/app/HelpWindow.h"
#include "strata/app/ProgressDialog.h"
#include "strata/app/ShortcutKeyDialog.h"
#include "strata/recording/HelpTopics.h"

namespace Strata {

HostWindows::HostWindows(Tessel::Ref<Host> host, QMainWindow* window,
                         std::function<std::string()> activeTopic)
    : host_(std::move(host)),
      shortcuts_(&host_->Shortcuts()),
      window_(window),
      activeTopic_(std::move(activeTopic)),
      printer_(Tessel::MakeRef<DialogPrintService>(window)),
      pad_(new DataPadWindow(*host_, window)),
      help_(new HelpWindow(QApplication::applicationDirPath() + QStringLiteral("/help"), window)),
      progress_(new ProgressDialog(host_->Progress(), window)) {
  host_->SetClipboard(Tessel::MakeRef<DesktopClipboard>());
  host_->SetFileChooser(Tessel::MakeRef<DialogFileChooser>(window));
  host_->SetPrinter(printer_);
  host_->Help().OnShow([this](const std::string& topic) { help_->ShowTopic(topic); });
  shortcuts_->OnShowManager([this](const std::string& category) { ShowShortcuts(category); });
}

HostWindows::~HostWindows() {
  host_->Help().OnShow({});
  shortcuts_->OnShowManager({});
  delete progress_;
  delete help_;
  delete pad_;
}

void HostWindows::SetHelpFolder(const QString& folder) {
  help_->SetFolder(folder);
}

void HostWindows::AddActions(QMenu* view, QMenuBar* bar) {
  view->addAction(QStringLiteral("&Data Pad"), window_, [this] { ShowDataPad(); });
  QMenu* help = bar->addMenu(QStringLiteral("&Help"));
  help->addAction(QStringLiteral("&Help Topics"), QKeySequence(Qt::Key_F1), window_, [this] {
    host_->Help().ShowTopic("Strata", activeTopic_ ? activeTopic_() : std::string(kProgramTopic));
  });
  help->addAction(QStringLiteral("&Keyboard Shortcuts..."), window_,
                  [this] { ShowShortcuts(std::string()); });
}

void HostWindows::ShowDataPad() {
  pad_->show();
  pad_->raise();
  pad_->activateWindow();
}

void HostWindows::ShowShortcuts(const std::string& category) {
  ShortcutKeyDialog dialog(*host_, window_);
  dialog.OpenAt(category);
  dialog.exec();
}

}  // namespace Strata
