// Renders the desktop program's windows offscreen to PNG files, as a user sees them, for the
// README: strata-screenshots OUTPUT_FOLDER [PLUGIN_FOLDER].
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTest>
#include <cstdio>

#include "strata/app/MainWindow.h"
#include "strata/app/ModuleLoader.h"
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
  return Save(shot, out, "main-window.png") ? 0 : 1;
}
