#pragma once

#include <QLabel>
#include <QMainWindow>
#include <QTabWidget>
#include <map>
#include <memory>
#include <vector>

#include "strata/app/ChartWindow.h"
#include "strata/app/HostWindows.h"
#include "strata/recording/Host.h"
#include "strata/recording/Registrar.h"
#include "strata/storage/ChildDocumentClass.h"
#include "strata/storage/RecentFiles.h"
#include "tessel/host/qt/IViewWindow.h"

class QDockWidget;

namespace Strata {

// Strata's main window: the open recordings in tabs, each with its Chart View; the extension's
// views docked around them; the File, Edit, View and Help menus, and the extension's own menu
// built from what it registered.
class MainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // Message boxes go to messages (dialogs in the program, a script in tests); the extension is
  // loaded from pluginFolder.
  // The window's arrangement and the recent files are kept in settingsFile between runs; with
  // none (tests, screenshots) nothing is kept.
  MainWindow(Ref<Tessel::IMessageBox> messages, const QString& pluginFolder,
             const QString& settingsFile = QString());
  ~MainWindow() override;

  // Opens a recording or a .strata document; false (after one message) when it cannot be read.
  bool Open(const QString& path);
  // Saves the active recording as a .strata document; false after a message when it failed.
  bool SaveAs(const QString& path);
  // Saves the active recording's signals and comments as EDF+, keeping no extension data: the
  // extension is asked first and may cancel. False when cancelled or after a message.
  bool SaveAsEdf(const QString& path);
  // Closes the active recording, asking first when it was changed; false when the user kept it.
  bool CloseActive();

  // A new, empty recording with the simulated organ bath's channels, ready to sample.
  void NewRecording();
  ChartWindow* Active() const;
  int Count() const { return tabs_->count(); }
  Host& App() { return *host_; }
  Registrar& Module() { return *registrar_; }
  HostWindows& Windows() { return *windows_; }
  // Opens a view of the active recording through a registered view class.
  QDockWidget* OpenView(Tessel::IClassObject* viewClass);
  // The extension view the user worked in last, if it is still open.
  Tessel::IViewWindow* ActiveView() const;
  // Edit > Copy and File > Print: the active view's commands, under the names it gives them.
  QAction* CopyAction() const { return copy_; }
  QAction* PrintAction() const { return print_; }
  const RecentFiles& Recent() const { return recent_; }

 protected:
  void closeEvent(QCloseEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  // Tells the extension a recording goes away and closes its views.
  void Forget(ChartWindow* w);
  // Closes the Tessel views of one recording, or all of them for none.
  void CloseViews(ChartWindow* recording);
  void BuildMenus();
  void BuildExtensionMenu();
  void BuildRecentMenu(QMenu* menu);
  void Remember(const QString& path);
  void FocusMoved(QWidget* now);
  void UpdateViewCommands();
  void AddRecording(Ref<ChartDocument> chart, const QString& path);
  void Activated();
  void UpdateTitle();
  void ChooseAndOpen();
  void ChooseAndSave();
  void ChooseAndSaveEdf();
  bool Ask(const QString& text);
  void Tell(const QString& text);

  Ref<Tessel::IMessageBox> messages_;
  Ref<Host> host_;
  Ref<Registrar> registrar_;
  std::vector<ChildDocumentClass> classes_;
  QTabWidget* tabs_;
  QLabel* readOut_;
  struct OpenedView {
    Ref<Tessel::IUnknown> view;
    ChartWindow* recording;
    Tessel::IClassObject* viewClass;
  };
  std::map<QDockWidget*, OpenedView> views_;
  QDockWidget* activeDock_ = nullptr;
  QAction* copy_ = nullptr;
  QAction* print_ = nullptr;
  QString settingsFile_;
  RecentFiles recent_;
  std::unique_ptr<HostWindows> windows_;
};

}  // namespace Strata
