// Renders the desktop program's windows offscreen to PNG files, as a user sees them, for the
// README: strata-screenshots OUTPUT_FOLDER [PLUGIN_FOLDER].
#include <QApplication>
#include <QDir>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

#include "strata/app/DataPadWindow.h"
#include "strata/app/MainWindow.h"
#include "strata/app/ModuleLoader.h"
#include "strata/app/ShortcutKeyDialog.h"
#include "strata/recording/ScriptedMessageBox.h"

namespace {

bool Save(const QImage& image, const QDir& folder, const char* name) {
  const QString path = folder.filePath(QString::fromLatin1(name));
  if (!image.save(path)) {
    std::fprintf(stderr, "strata-screenshots: cannot write %s\n", qPrintable(path));
    return false;
  }
  std::printf("Wrote %s\n", qPrintable(path));
  return true;
}

// The fitted parameters of the demo's two runs, as the tessel command beside this program
// writes them: one row a line, the cells TAB-separated.
std::vector<std::vector<std::string>> DemoParameters() {
  QProcess tessel;
  tessel.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tessel"),
               {QStringLiteral("analyze"), QStringLiteral("data/organ-bath.edf"),
                QStringLiteral("--start"), QStringLiteral("90"), QStringLiteral("--stop"),
                QStringLiteral("118"), QStringLiteral("--params"), QStringLiteral("-")});
  tessel.waitForFinished(60000);
  std::vector<std::vector<std::string>> rows;
  for (const QString& line :
       QString::fromUtf8(tessel.readAllStandardOutput()).split(QStringLiteral("\r\n"))) {
    if (!line.trimmed().isEmpty()) {
      std::vector<std::string> cells;
      for (const QString& cell : line.split(QLatin1Char('\t'))) {
        cells.push_back(cell.toStdString());
      }
      rows.push_back(std::move(cells));
    }
  }
  return rows;
}

// The Table View of the demo recording analysed by the tessel command beside this program: a
// filled table with its prompts, marked doses and responses.
bool TableViewShot(Strata::MainWindow& window, const QDir& out) {
  QTemporaryDir folder;
  const QString saved = folder.filePath(QStringLiteral("demo.strata"));
  QProcess tessel;
  tessel.start(QCoreApplication::applicationDirPath() + QStringLiteral("/tessel"),
               {QStringLiteral("analyze"), QStringLiteral("data/organ-bath.edf"),
                QStringLiteral("--start"), QStringLiteral("90"), QStringLiteral("--stop"),
                QStringLiteral("118"), QStringLiteral("--save"), saved});
  if (!tessel.waitForFinished(60000) || tessel.exitCode() != 0 || !window.Open(saved)) {
    std::fprintf(stderr, "strata-screenshots: the demo could not be analysed\n");
    return false;
  }
  const auto& menu = window.Module().Commands().Menu();
  const auto table = std::find_if(menu.begin(), menu.end(),
                                  [](const auto& item) { return item.info.text == "&Table View"; });
  QDockWidget* dock = table != menu.end() ? window.OpenView(table->info.viewClass) : nullptr;
  if (dock == nullptr) {
    std::fprintf(stderr, "strata-screenshots: no Table View\n");
    return false;
  }
  dock->setFloating(true);
  dock->resize(760, 520);
  dock->show();
  QTest::qWait(100);
  const bool shot = Save(dock->grab().toImage(), out, "table-view.png");
  dock->close();
  window.CloseActive();
  return shot;
}

// Runs shoot on the modal window named name once it is up.
void WhenModal(const QString& name, std::function<void(QWidget&)> shoot) {
  auto* timer = new QTimer(qApp);
  auto tries = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, [=] {
    QWidget* modal = QApplication::activeModalWidget();
    if ((modal != nullptr && modal->objectName() == name) || ++*tries > 200) {
      timer->stop();
      timer->deleteLater();
      if (modal != nullptr && modal->objectName() == name) {
        QTest::qWait(50);
        shoot(*modal);
      }
    }
  });
  timer->start(20);
}

void ChooseTessel(Strata::MainWindow& window, const QString& text) {
  if (QMenu* menu = window.menuBar()->findChild<QMenu*>(QStringLiteral("TESSEL"))) {
    for (QAction* a : menu->actions()) {
      if (a->text() == text) {
        a->trigger();
      }
    }
  }
}

// A dialog with the balloon tip it shows beside a field, which is a window of its own.
QImage WithBalloon(QWidget& dialog) {
  const QImage face = dialog.grab().toImage();
  auto* balloon = dialog.findChild<QLabel*>(QStringLiteral("balloon"));
  if (balloon == nullptr || !balloon->isVisible()) {
    return face;
  }
  const QPoint at = balloon->pos() - dialog.mapToGlobal(QPoint(0, 0));
  const QRect all = QRect(QPoint(0, 0), face.size()).united(QRect(at, balloon->size()));
  QImage shot(all.size(), QImage::Format_ARGB32);
  shot.fill(dialog.palette().color(QPalette::Window).darker(115));
  QPainter p(&shot);
  p.drawImage(-all.topLeft(), face);
  p.drawImage(at - all.topLeft(), balloon->grab().toImage());
  return shot;
}

// Replaces a field's text by typing.
void Type(QWidget& dialog, int id, const QString& text) {
  if (auto* field = dialog.findChild<QLineEdit*>(QString::number(id))) {
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
  }
}

void Press(QWidget& dialog, int id) {
  if (auto* button = dialog.findChild<QPushButton*>(QString::number(id))) {
    QTest::mouseClick(button, Qt::LeftButton);
  }
}

// Tessel's Settings dialog with the significant figures refused, and the warning its OK shows.
bool ShootSettings(Strata::MainWindow& window, const QDir& out) {
  bool saved = false;
  WhenModal(QStringLiteral("TableViewSettingsDlg"), [&](QWidget& dialog) {
    Type(dialog, 1193, QStringLiteral("11"));
    QTest::qWait(50);
    saved = Save(WithBalloon(dialog), out, "settings-dialog.png");
    WhenModal(QStringLiteral("SettingsWarningDlg"), [&](QWidget& warning) {
      saved = Save(warning.grab().toImage(), out, "settings-warning.png") && saved;
      Press(warning, 1);
    });
    Press(dialog, 1);
    Press(dialog, 2);
  });
  ChooseTessel(window, QStringLiteral("&Settings..."));
  return saved;
}

// Auto-Analyze Selection and Convert Comments over the whole recording, as the README's
// analysis window sets them.
bool ShootCommentDialogs(Strata::MainWindow& window, const QDir& out) {
  Strata::ChartDocument& chart = window.Active()->Chart();
  const Strata::Recording& rec = chart.Data();
  const std::int32_t last = rec.BlockCount() - 1;
  chart.Select(0, Strata::TickPosition(0, 0),
               Strata::TickPosition(static_cast<std::uint32_t>(last), rec.BlockAt(last).Ticks()));
  bool saved = false;
  WhenModal(QStringLiteral("AutoAnalyzeDlg"), [&](QWidget& dialog) {
    Type(dialog, 1305, QStringLiteral("90"));
    Type(dialog, 1307, QStringLiteral("118"));
    QTest::qWait(50);
    saved = Save(WithBalloon(dialog), out, "auto-analyze.png");
    Press(dialog, 2);
  });
  ChooseTessel(window, QStringLiteral("A&uto-Analyze Selection..."));
  WhenModal(QStringLiteral("ConvertCommentsDlg"), [&](QWidget& dialog) {
    Type(dialog, 1403, QStringLiteral("Control"));
    Type(dialog, 1404, QStringLiteral("0.1"));
    if (auto* list = dialog.findChild<QListWidget*>(QStringLiteral("1405"))) {
      list->setCurrentRow(0);
    }
    QTest::qWait(50);
    saved = Save(dialog.grab().toImage(), out, "convert-comments.png") && saved;
    Press(dialog, 2);
  });
  ChooseTessel(window, QStringLiteral("&Convert Comments..."));
  return saved;
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: strata-screenshots OUTPUT_FOLDER [PLUGIN_FOLDER]\n");
    return 2;
  }
  const QDir out(QString::fromLocal8Bit(argv[1]));
  const QString plugins =
      argc > 2 ? QString::fromLocal8Bit(argv[2]) : Strata::DefaultPluginFolder();
  auto messages = Tessel::MakeRef<Strata::ScriptedMessageBox>();
  Strata::MainWindow window(messages, plugins);
  window.resize(1280, 720);
  window.show();
  if (!window.Open(QStringLiteral("data/organ-bath.edf"))) {
    std::fprintf(stderr, "strata-screenshots: run it from the project's folder\n");
    return 2;
  }
  // The control run's first doses, a selection over a response, and a comment typed by hand.
  Strata::ChartView& view = window.Active()->View();
  view.Viewport().Show(0.0, 1000.0);
  Strata::ChartDocument& chart = view.Chart();
  chart.Select(0, Strata::TickPosition(0, 3600 + 1800), Strata::TickPosition(0, 3600 + 2360));
  std::int64_t id = 0;
  chart.AddComment(1, Strata::TickPosition(0, 9500), "Bath temperature checked", &id);
  view.update();
  QTest::qWait(50);
  QImage shot = window.grab().toImage();

  // The Tessel menu, open over the window as a user would see it.
  if (QMenu* menu = window.menuBar()->findChild<QMenu*>("TESSEL")) {
    QAction* title = menu->menuAction();
    const QRect at = window.menuBar()->actionGeometry(title);
    menu->popup(window.menuBar()->mapTo(&window, at.bottomLeft()));
    QTest::qWait(50);
    QPainter p(&shot);
    p.drawImage(window.menuBar()->mapTo(&window, at.bottomLeft()), menu->grab().toImage());
    menu->hide();
  }
  bool saved = Save(shot, out, "main-window.png");

  // The Data Pad with the fitted parameters the module would send there.
  Tessel::Ref<Tessel::IDataPad> pad;
  if (void* p = nullptr; window.App().QueryService(Tessel::IDataPad::kIid, &p) == Tessel::kOk) {
    pad = Tessel::Adopt(static_cast<Tessel::IDataPad*>(p));
  }
  for (const auto& row : DemoParameters()) {
    pad->AddRow(row);
  }
  Strata::DataPadWindow& padWindow = window.Windows().Pad();
  padWindow.resize(720, 560);
  window.Windows().ShowDataPad();
  padWindow.Table()->scrollToTop();
  QTest::qWait(50);
  saved = Save(padWindow.grab().toImage(), out, "data-pad.png") && saved;
  padWindow.hide();

  saved = TableViewShot(window, out) && saved;

  // The Shortcut Key Manager at the module's commands, as Help > Keyboard Shortcuts opens it.
  QTimer::singleShot(100, [&] {
    if (auto* dialog =
            qobject_cast<Strata::ShortcutKeyDialog*>(QApplication::activeModalWidget())) {
      dialog->resize(560, 240);
      QTest::qWait(50);
      saved = Save(dialog->grab().toImage(), out, "shortcut-keys.png") && saved;
      dialog->reject();
    }
  });
  window.Windows().ShowShortcuts("Tessel");

  saved = ShootSettings(window, out) && saved;
  saved = ShootCommentDialogs(window, out) && saved;
  return saved ? 0 : 1;
}
