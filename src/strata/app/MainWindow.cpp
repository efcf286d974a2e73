#include "strata/app/MainWindow.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDockWidget>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QMimeData>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <cstring>

#include "strata/app/CommandListDialog.h"
#include "strata/app/ModuleLoader.h"
#include "strata/import/EdfWriter.h"
#include "strata/import/RecordingImporter.h"
#include "strata/storage/RegisteredDocumentClass.h"
#include "strata/storage/StrataFile.h"
#include "tessel/host/qt/IViewWindow.h"

namespace Strata {
namespace {

constexpr const char* kCaption = "Strata";

bool IsStrataFile(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) && f.read(16) == QByteArray("SQLite format 3", 16);
}

}  // namespace

MainWindow::MainWindow(Ref<Tessel::IMessageBox> messages, const QString& pluginFolder,
                       const QString& settingsFile)
    : messages_(std::move(messages)), settingsFile_(settingsFile) {
  setWindowTitle(QStringLiteral("Strata"));
  host_ = Tessel::MakeRef<Host>(messages_);
  registrar_ = Tessel::MakeRef<Registrar>(Tessel::Ref<CommandRegistry>(&host_->Commands()));
  // F1 opens the help of the view the user works in, or the program's own.
  windows_ = std::make_unique<HostWindows>(host_, this, [this] {
    const std::string topic = ActiveView() != nullptr ? ActiveView()->HelpTopic() : std::string();
    return topic.empty() ? std::string("strata") : topic;
  });
  tabs_ = new QTabWidget(this);
  tabs_->setDocumentMode(true);
  tabs_->setTabsClosable(true);
  tabs_->setAccessibleName(QStringLiteral("Recordings"));
  setCentralWidget(tabs_);
  readOut_ = new QLabel(this);
  statusBar()->addPermanentWidget(readOut_, 1);
  connect(tabs_, &QTabWidget::currentChanged, this, &MainWindow::Activated);
  connect(tabs_, &QTabWidget::tabCloseRequested, this, [this](int index) {
    tabs_->setCurrentIndex(index);
    CloseActive();
  });
  if (const QString fault = LoadModule(pluginFolder, *registrar_); !fault.isEmpty()) {
    Tell(fault);
  }
  if (Tessel::IClassObject* cls = registrar_->DocumentClass()) {
    classes_.push_back(RegisteredDocumentClass(Tessel::Ref<Tessel::IClassObject>(cls)));
  }
  setAcceptDrops(true);
  resize(1200, 760);
  if (!settingsFile_.isEmpty()) {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    std::vector<std::string> files;
    for (const QString& f : settings.value(QStringLiteral("recentFiles")).toStringList()) {
      files.push_back(f.toStdString());
    }
    recent_ = RecentFiles(files);
    restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
  }
  BuildMenus();
  if (!settingsFile_.isEmpty()) {
    restoreState(QSettings(settingsFile_, QSettings::IniFormat)
                     .value(QStringLiteral("windowState"))
                     .toByteArray());
  }
  connect(qApp, &QApplication::focusChanged, this,
          [this](QWidget*, QWidget* now) { FocusMoved(now); });
}

MainWindow::~MainWindow() {
  // Focus moves while the window's children go; the window must no longer hear of it.
  disconnect(qApp, nullptr, this, nullptr);
  CloseViews(nullptr);
  while (tabs_->count() > 0) {
    auto* w = qobject_cast<ChartWindow*>(tabs_->widget(0));
    tabs_->removeTab(0);
    Forget(w);
    delete w;
  }
}

void MainWindow::Tell(const QString& text) {
  messages_->Show(text.toStdString(), kCaption, Tessel::MessageIcon::kWarning,
                  Tessel::MessageButtons::kOkOnly);
}

bool MainWindow::Ask(const QString& text) {
  return messages_->Show(text.toStdString(), kCaption, Tessel::MessageIcon::kQuestion,
                         Tessel::MessageButtons::kYesNo) == Tessel::MessageAnswer::kYes;
}

void MainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->addAction(QStringLiteral("&New Recording"), QKeySequence::New, this,
                  &MainWindow::NewRecording);
  file->addAction(QStringLiteral("&Open..."), QKeySequence::Open, this, &MainWindow::ChooseAndOpen);
  file->addAction(QStringLiteral("Save &As..."), QKeySequence::SaveAs, this,
                  &MainWindow::ChooseAndSave);
  file->addAction(QStringLiteral("&Save"), QKeySequence::Save, this, [this] {
    if (ChartWindow* w = Active()) {
      w->Path().endsWith(QStringLiteral(".strata")) ? void(SaveAs(w->Path())) : ChooseAndSave();
    }
  });
  file->addAction(QStringLiteral("Save As &EDF+..."), this, &MainWindow::ChooseAndSaveEdf);
  file->addAction(QStringLiteral("&Close"), QKeySequence::Close, this, &MainWindow::CloseActive);
  file->addSeparator();
  print_ = file->addAction(QStringLiteral("&Print"), QKeySequence::Print, this, [this] {
    if (Tessel::IViewWindow* v = ActiveView()) {
      v->Print();
    }
  });
  QMenu* recent = file->addMenu(QStringLiteral("Recent &Files"));
  connect(recent, &QMenu::aboutToShow, this, [this, recent] { BuildRecentMenu(recent); });
  BuildRecentMenu(recent);
  file->addSeparator();
  file->addAction(QStringLiteral("E&xit"), QKeySequence::Quit, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  copy_ = edit->addAction(QStringLiteral("&Copy"), QKeySequence::Copy, this, [this] {
    if (Tessel::IViewWindow* v = ActiveView()) {
      v->Copy();
    }
  });
  edit->addSeparator();
  connect(edit, &QMenu::aboutToShow, this, &MainWindow::UpdateViewCommands);
  connect(file, &QMenu::aboutToShow, this, &MainWindow::UpdateViewCommands);
  UpdateViewCommands();
  edit->addAction(QStringLiteral("&Add Comment"), QKeySequence(Qt::CTRL | Qt::Key_K), this, [this] {
    if (ChartWindow* w = Active()) {
      w->View().BeginComment();
    }
  });
  edit->addAction(QStringLiteral("&Edit Comment"), QKeySequence(Qt::CTRL | Qt::Key_E), this,
                  [this] {
                    if (ChartWindow* w = Active()) {
                      w->View().EditSelectedComment();
                    }
                  });
  edit->addAction(QStringLiteral("&Delete Comment"), this, [this] {
    if (ChartWindow* w = Active()) {
      w->View().DeleteSelectedComment();
    }
  });

  QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
  auto zoom = [this](double factor) {
    if (ChartWindow* w = Active()) {
      w->View().ZoomBy(factor);
    }
  };
  view->addAction(QStringLiteral("Zoom &In"), QKeySequence::ZoomIn, this, [zoom] { zoom(0.5); });
  view->addAction(QStringLiteral("Zoom &Out"), QKeySequence::ZoomOut, this, [zoom] { zoom(2.0); });
  view->addAction(QStringLiteral("Show &All"), QKeySequence(Qt::CTRL | Qt::Key_0), this,
                  [zoom] { zoom(0.0); });
  view->addAction(QStringLiteral("Channel &Scale..."), QKeySequence(Qt::CTRL | Qt::Key_J), this,
                  [this] {
                    if (ChartWindow* w = Active()) {
                      w->View().ChooseScale();
                    }
                  });

  view->addSeparator();
  view->addAction(QStringLiteral("&Commands..."), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P),
                  this, [this] {
                    CommandListDialog dialog(registrar_->Commands(), this);
                    dialog.exec();
                  });

  QMenu* sampling = menuBar()->addMenu(QStringLiteral("&Sampling"));
  QAction* start =
      sampling->addAction(QStringLiteral("&Start"), QKeySequence(Qt::Key_F9), this, [this] {
        if (ChartWindow* w = Active(); w && !w->StartSampling()) {
          Tell(
              QStringLiteral("Sampling needs a recording with the simulated "
                             "organ bath's channels: use File > New Recording."));
        }
      });
  QAction* stop =
      sampling->addAction(QStringLiteral("S&top"), QKeySequence(Qt::Key_F10), this, [this] {
        if (ChartWindow* w = Active()) {
          w->StopSampling();
        }
      });
  QToolBar* toolbar = addToolBar(QStringLiteral("Sampling"));
  toolbar->setObjectName(QStringLiteral("Sampling"));
  toolbar->addAction(start);
  toolbar->addAction(stop);

  BuildExtensionMenu();
  windows_->AddActions(view, menuBar());
}

void MainWindow::NewRecording() {
  Recording recording;
  SimulatedDevice::AddChannels(recording, SimulatorSettings{});
  AddRecording(Tessel::MakeRef<ChartDocument>(host_, std::move(recording)), QString());
}

void MainWindow::BuildExtensionMenu() {
  QMenu* menu = nullptr;
  for (const CommandRegistry::MenuItem& item : registrar_->Commands().Menu()) {
    const QString path = QString::fromStdString(item.info.path);
    const QString text = QString::fromStdString(item.info.text);
    if (path.contains(QStringLiteral("^EXTENSION|"))) {
      menu = menuBar()->addMenu(text);
      menu->setObjectName(QString::fromStdString(item.info.key));
      continue;
    }
    if (menu == nullptr) {
      continue;
    }
    if (path.endsWith(QStringLiteral("|-"))) {
      menu->addSeparator();
      continue;
    }
    QAction* action = menu->addAction(text);
    action->setToolTip(QString::fromStdString(item.info.shortTitle));
    if (Tessel::IClassObject* viewClass = item.info.viewClass) {
      connect(action, &QAction::triggered, this, [this, viewClass] { OpenView(viewClass); });
    } else if (item.handler) {
      connect(action, &QAction::triggered, this, [handler = item.handler] { handler(); });
    } else {
      // Registered, but the extension offers no window for it yet.
      action->setEnabled(false);
    }
  }
}

QDockWidget* MainWindow::OpenView(Tessel::IClassObject* viewClass) {
  ChartWindow* w = Active();
  if (w == nullptr || viewClass == nullptr) {
    return nullptr;
  }
  // One view of each kind per recording: an open one is brought to the front.
  for (const auto& [dock, opened] : views_) {
    if (opened.recording == w && opened.viewClass == viewClass) {
      dock->show();
      dock->raise();
      dock->widget()->setFocus();
      return dock;
    }
  }
  Tessel::IUnknown* object = nullptr;
  if (viewClass->CreateInstance(&w->Chart(), &object) != Tessel::kOk || object == nullptr) {
    return nullptr;
  }
  Ref<Tessel::IUnknown> owned = Tessel::Adopt(object);
  Ref<Tessel::IViewWindow> view = Tessel::QueryInterface<Tessel::IViewWindow>(owned);
  if (!view) {
    return nullptr;
  }
  const QString title = QString::fromStdString(view->Title());
  auto* dock = new QDockWidget(title + QStringLiteral(" - ") + w->Title(), this);
  dock->setObjectName(title);
  dock->setAttribute(Qt::WA_DeleteOnClose);
  dock->setWidget(view->Widget());
  addDockWidget(Qt::RightDockWidgetArea, dock);
  // Where the user last kept a view of this kind, docked, tabbed or floating.
  restoreDockWidget(dock);
  views_[dock] = OpenedView{owned, w, viewClass};
  activeDock_ = dock;
  // The user works in the view just opened.
  dock->widget()->setFocus();
  connect(dock, &QObject::destroyed, this, [this, dock] {
    views_.erase(dock);
    if (activeDock_ == dock) {
      activeDock_ = nullptr;
    }
  });
  UpdateViewCommands();
  return dock;
}

void MainWindow::Forget(ChartWindow* w) {
  // The extension must not keep a closed document as its current one.
  if (Tessel::IClassObject* cls = registrar_->DocumentClass(); cls && w && w->Extension()) {
    cls->DocumentClosing(w->Extension());
  }
  CloseViews(w);
}

void MainWindow::CloseViews(ChartWindow* recording) {
  for (auto it = views_.begin(); it != views_.end();) {
    QDockWidget* dock = it->first;
    if (recording == nullptr || it->second.recording == recording) {
      // The view goes with its window; the window's own notice must not reach back into a map
      // that is being walked (or a main window that is being destroyed).
      disconnect(dock, nullptr, this, nullptr);
      if (activeDock_ == dock) {
        activeDock_ = nullptr;
      }
      it = views_.erase(it);
      delete dock;
    } else {
      ++it;
    }
  }
}

Tessel::IViewWindow* MainWindow::ActiveView() const {
  auto it = views_.find(activeDock_);
  return it == views_.end() ? nullptr
                            : Tessel::QueryInterface<Tessel::IViewWindow>(it->second.view).get();
}

void MainWindow::UpdateViewCommands() {
  Tessel::IViewWindow* v = ActiveView();
  const std::string copy = v != nullptr ? v->CopyCommand() : std::string();
  const std::string print = v != nullptr ? v->PrintCommand() : std::string();
  copy_->setText(copy.empty() ? QStringLiteral("&Copy") : QString::fromStdString(copy));
  copy_->setEnabled(!copy.empty());
  if (print_ != nullptr) {
    print_->setText(print.empty() ? QStringLiteral("&Print") : QString::fromStdString(print));
    print_->setEnabled(!print.empty());
  }
}

void MainWindow::FocusMoved(QWidget* now) {
  // A view the user turns to becomes the active view, and its recording the active one, so
  // that the extension's current document is the one under the user's hands.
  for (QWidget* w = now; w != nullptr; w = w->parentWidget()) {
    if (w == tabs_) {
      // Back in a Chart View: the Copy and Print commands are no view's.
      activeDock_ = nullptr;
      UpdateViewCommands();
      return;
    }
    auto* dock = qobject_cast<QDockWidget*>(w);
    auto it = views_.find(dock);
    if (it != views_.end()) {
      activeDock_ = dock;
      if (const int index = tabs_->indexOf(it->second.recording); index >= 0) {
        tabs_->setCurrentIndex(index);
      }
      UpdateViewCommands();
      return;
    }
  }
}

void MainWindow::BuildRecentMenu(QMenu* menu) {
  menu->clear();
  for (std::size_t i = 0; i < recent_.Files().size(); ++i) {
    const QString path = QString::fromStdString(recent_.Files()[i]);
    menu->addAction(QString::fromStdString(recent_.MenuText(i)), this, [this, path] {
      if (!Open(path)) {
        recent_.Remove(path.toStdString());
        Remember(QString());
      }
    });
  }
  menu->setEnabled(!recent_.Files().empty());
}

void MainWindow::Remember(const QString& path) {
  if (!path.isEmpty()) {
    recent_.Add(path.toStdString());
  }
  if (settingsFile_.isEmpty()) {
    return;
  }
  QStringList files;
  for (const std::string& f : recent_.Files()) {
    files << QString::fromStdString(f);
  }
  QSettings(settingsFile_, QSettings::IniFormat).setValue(QStringLiteral("recentFiles"), files);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* e) {
  for (const QUrl& url : e->mimeData()->urls()) {
    if (url.isLocalFile()) {
      e->acceptProposedAction();
      return;
    }
  }
}

void MainWindow::dropEvent(QDropEvent* e) {
  for (const QUrl& url : e->mimeData()->urls()) {
    if (url.isLocalFile()) {
      Open(url.toLocalFile());
    }
  }
  e->acceptProposedAction();
}

ChartWindow* MainWindow::Active() const {
  return qobject_cast<ChartWindow*>(tabs_->currentWidget());
}

void MainWindow::Activated() {
  // The recording the user works in is the extension's current document, so its keys act there.
  ChartWindow* w = Active();
  if (w != nullptr && w->Extension() != nullptr) {
    if (Tessel::IClassObject* cls = registrar_->DocumentClass()) {
      cls->DocumentCreated(w->Extension());
    }
  }
  UpdateTitle();
}

void MainWindow::UpdateTitle() {
  for (int i = 0; i < tabs_->count(); ++i) {
    if (auto* w = qobject_cast<ChartWindow*>(tabs_->widget(i))) {
      tabs_->setTabText(i, w->Title());
    }
  }
  ChartWindow* w = Active();
  setWindowTitle(w != nullptr ? w->Title() + QStringLiteral(" - Strata")
                              : QStringLiteral("Strata"));
}

void MainWindow::AddRecording(Ref<ChartDocument> chart, const QString& path) {
  Ref<Tessel::IChildDocument> extension;
  for (const auto& child : chart->Children()) {
    extension = child;
  }
  if (!extension && !classes_.empty()) {
    extension = classes_.front().create(*chart);
    if (extension) {
      chart->AttachChild(extension);
    }
  }
  auto* w = new ChartWindow(chart, extension, path);
  connect(&w->View(), &ChartView::ReadOut, readOut_, &QLabel::setText);
  connect(w, &ChartWindow::ModifiedChanged, this, &MainWindow::UpdateTitle);
  tabs_->setCurrentIndex(tabs_->addTab(w, w->Title()));
  Activated();
  w->View().setFocus();
}

bool MainWindow::Open(const QString& path) {
  const std::string file = path.toStdString();
  if (IsStrataFile(path)) {
    StrataFile::Opened opened = StrataFile::Open(file, host_, classes_);
    if (!opened.chart) {
      Tell(QString::fromStdString(opened.error));
      return false;
    }
    AddRecording(opened.chart, path);
    Remember(path);
    return true;
  }
  ImportResult imported = ImportRecording(file);
  if (!imported.ok) {
    Tell(QString::fromStdString(imported.error));
    return false;
  }
  AddRecording(Tessel::MakeRef<ChartDocument>(host_, std::move(imported.recording)), path);
  Remember(path);
  return true;
}

bool MainWindow::SaveAs(const QString& path) {
  ChartWindow* w = Active();
  if (w == nullptr) {
    return false;
  }
  const std::string error = StrataFile::Save(path.toStdString(), w->Chart(), classes_);
  if (!error.empty()) {
    Tell(QString::fromStdString(error));
    return false;
  }
  w->SetPath(path);
  w->MarkSaved();
  UpdateTitle();
  Remember(path);
  return true;
}

bool MainWindow::SaveAsEdf(const QString& path) {
  ChartWindow* w = Active();
  if (w == nullptr) {
    return false;
  }
  // Only the samples and comments go into the file; the extension may warn and cancel.
  if (Tessel::Failed(w->Chart().PrepareSave(Tessel::kSaveDataOnly, Tessel::kFormatRestricted))) {
    return false;
  }
  if (const std::string fault = WriteEdfPlus(w->Chart().Data(), path.toStdString());
      !fault.empty()) {
    Tell(QString::fromStdString(StrataFile::SaveError(path.toStdString(), fault)));
    return false;
  }
  return true;
}

bool MainWindow::CloseActive() {
  ChartWindow* w = Active();
  if (w == nullptr) {
    return true;
  }
  if (w->Modified() && Ask(QStringLiteral("\"%1\" has changed.\n\nDo you want to close it "
                                          "without saving?")
                               .arg(w->Title().chopped(2))) == false) {
    return false;
  }
  Forget(w);
  tabs_->removeTab(tabs_->indexOf(w));
  delete w;
  Activated();
  return true;
}

void MainWindow::ChooseAndOpen() {
  const QString path = QFileDialog::getOpenFileName(
      this, QStringLiteral("Open Recording"), QString(),
      QStringLiteral("Recordings (*.strata *.edf *.bdf *.csv *.txt *.tsv);;All files (*)"));
  if (!path.isEmpty()) {
    Open(path);
  }
}

void MainWindow::ChooseAndSave() {
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Recording As"), QString(),
                                              QStringLiteral("Strata documents (*.strata)"));
  if (path.isEmpty()) {
    return;
  }
  if (!path.endsWith(QStringLiteral(".strata"))) {
    path += QStringLiteral(".strata");
  }
  SaveAs(path);
}

void MainWindow::ChooseAndSaveEdf() {
  QString path = QFileDialog::getSaveFileName(this, QStringLiteral("Save Recording As EDF+"),
                                              QString(), QStringLiteral("EDF+ files (*.edf)"));
  if (path.isEmpty()) {
    return;
  }
  if (!path.endsWith(QStringLiteral(".edf"), Qt::CaseInsensitive)) {
    path += QStringLiteral(".edf");
  }
  SaveAsEdf(path);
}

void MainWindow::closeEvent(QCloseEvent* e) {
  while (tabs_->count() > 0) {
    if (!CloseActive()) {
      e->ignore();
      return;
    }
  }
  if (!settingsFile_.isEmpty()) {
    QSettings settings(settingsFile_, QSettings::IniFormat);
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("windowState"), saveState());
  }
  e->accept();
}

}  // namespace Strata
