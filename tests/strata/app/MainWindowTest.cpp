// The desktop program driven as a person drives it, offscreen: menus, keys, the mouse, typing.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QTableView>
#include <QTest>
#include <fstream>

#include "strata/app/CommandListDialog.h"
#include "strata/app/MainWindow.h"
#include "strata/import/RecordingImporter.h"
#include "strata/recording/ScriptedMessageBox.h"
#include "support/GridKeys.h"
#include "support/QtApplication.h"
#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace Strata {
namespace {

const QString kDemo = QStringLiteral(TESSEL_SOURCE_DIR "/data/organ-bath.edf");

// A path in a folder of the test's own, removed afterwards whatever the outcome.
QString In(const Testing::TempDir& dir, const char* name) {
  return QString::fromStdString(dir / name);
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Testing::Application();
    messages_ = Tessel::MakeRef<ScriptedMessageBox>();
  }
  std::unique_ptr<MainWindow> Start(const QString& plugins = QStringLiteral(TESSEL_PLUGIN_DIR)) {
    auto w = std::make_unique<MainWindow>(messages_, plugins);
    w->resize(1000, 600);
    w->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(w.get()));
    return w;
  }
  QMenu* ExtensionMenu(MainWindow& w) { return w.menuBar()->findChild<QMenu*>("TESSEL"); }

  Ref<ScriptedMessageBox> messages_;
};

TEST_F(MainWindowTest, ARecordingIsViewedCommentedAnalysedSavedAndReopened) {
  Testing::TempDir folder;
  auto w = Start();
  ASSERT_TRUE(messages_->Messages().empty());
  ASSERT_TRUE(w->Open(kDemo));

  // The extension's menu, as it registered it.
  QMenu* menu = ExtensionMenu(*w);
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title(), "Tessel");
  QStringList items;
  for (QAction* a : menu->actions()) {
    items << (a->isSeparator() ? QStringLiteral("-") : a->text());
  }
  EXPECT_EQ(items,
            (QStringList{"&Settings...", "-", "&Table View", "&Analysis View", "&Results View", "-",
                         "A&uto-Analyze Selection...", "&Convert Comments...", "-",
                         "Export to &XML...", "&Export to Text..."}));

  // Ctrl+Right goes to the first dose comment; Ctrl++ zooms in around it.
  ChartView& view = w->Active()->View();
  view.setFocus();
  const Comment first = view.Chart().Data().Comments().front();
  const double at = view.Timeline().TimeOf(first.position);
  const double wholeSpan = view.Viewport().Span();
  QTest::keyClick(&view, Qt::Key_Right, Qt::ControlModifier);
  QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
  QTest::keyClick(&view, Qt::Key_Plus, Qt::ControlModifier);
  EXPECT_EQ(view.SelectedComment(), first.id);
  EXPECT_NEAR(view.Viewport().Span(), wholeSpan / 4, wholeSpan * 1e-9);
  EXPECT_LT(view.Viewport().From(), at);
  EXPECT_GT(view.Viewport().To(), at);

  // A drag in the first channel selects there.
  const QRect lane = view.LaneRect(0);
  const QPoint from(lane.left() + 100, lane.center().y());
  const QPoint to(lane.left() + 300, lane.center().y());
  QTest::mousePress(&view, Qt::LeftButton, Qt::NoModifier, from);
  QTest::mouseMove(&view, to);
  QTest::mouseRelease(&view, Qt::LeftButton, Qt::NoModifier, to);
  ChartSelection sel;
  ASSERT_EQ(view.Chart().GetSelection(&sel), Tessel::kOk);
  EXPECT_EQ(sel.channel, 0);
  EXPECT_FALSE(sel.activePoint);
  EXPECT_EQ(sel.start, view.Timeline().PositionAt(view.TimeAtX(from.x())));
  EXPECT_EQ(sel.end, view.Timeline().PositionAt(view.TimeAtX(to.x())));

  // A click places the Active Point; typing writes a comment there.
  const QPoint point(lane.left() + 200, lane.center().y());
  QTest::mouseClick(&view, Qt::LeftButton, Qt::NoModifier, point);
  ASSERT_EQ(view.Chart().GetSelection(&sel), Tessel::kOk);
  ASSERT_TRUE(sel.activePoint);
  const TickPosition typedAt = sel.start;
  QTest::keyClicks(&view, "W");
  QLineEdit* editor = view.findChild<QLineEdit*>();
  ASSERT_TRUE(editor != nullptr && editor->isVisible());
  QTest::keyClicks(editor, "ash out");
  QTest::keyClick(editor, Qt::Key_Return);
  const auto& comments = view.Chart().Data().Comments();
  auto typed = std::find_if(comments.begin(), comments.end(),
                            [](const Comment& c) { return c.text == "Wash out"; });
  ASSERT_NE(typed, comments.end());
  EXPECT_EQ(typed->position, typedAt);
  EXPECT_EQ(typed->channel, 0);

  // Editing an existing comment.
  view.ShowComment(first.id);
  ASSERT_EQ(view.SelectedComment(), first.id);
  const std::int64_t edited = first.id;
  view.EditSelectedComment();
  editor->setText(QStringLiteral("Baseline stable"));
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(view.Chart().Data().FindComment(edited)->text, "Baseline stable");

  // A Tessel view through the menu opens docked beside the chart.
  QAction* table = menu->actions().at(2);
  table->trigger();
  QDockWidget* dock = w->findChild<QDockWidget*>("Tessel Table View");
  ASSERT_NE(dock, nullptr);
  EXPECT_TRUE(dock->windowTitle().startsWith("Tessel Table View"));

  // Saved, closed and opened again, everything is as it was.
  const Recording before = view.Chart().Data();
  const QString saved = In(folder, "demo.strata");
  ASSERT_TRUE(w->SaveAs(saved));
  ASSERT_TRUE(w->CloseActive());
  EXPECT_EQ(w->Count(), 0);
  ASSERT_TRUE(w->Open(saved));
  EXPECT_TRUE(w->Active()->Chart().Data() == before);
  EXPECT_NE(w->Active()->Extension(), nullptr);
  EXPECT_TRUE(messages_->Messages().empty());

  // The command line reads the same document, with the comments typed here.
  const auto info = Testing::Tessel({"info", saved.toStdString()});
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("Wash out"), std::string::npos);
  EXPECT_NE(info.out.find("Baseline stable"), std::string::npos);
  const auto tableRun = Testing::Tessel({"table", saved.toStdString()});
  EXPECT_EQ(tableRun.status, 0) << tableRun.err;
}

// Saving a document with marked doses as EDF+ keeps no Tessel data, so the extension asks first:
// No writes nothing, Yes writes the signals with the comments as annotations.
TEST_F(MainWindowTest, SavingMarkedDosesAsEdfAsksFirst) {
  Testing::TempDir folder;
  const std::string analysed = folder / "analysed.strata";
  const auto run = Testing::Tessel(
      {"analyze", kDemo.toStdString(), "--start", "90", "--stop", "118", "--save", analysed});
  ASSERT_EQ(run.status, 0) << run.err;
  auto w = Start();
  ASSERT_TRUE(w->Open(QString::fromStdString(analysed)));
  const QString edf = In(folder, "signals.edf");
  messages_->Answer(Tessel::MessageAnswer::kNo);
  EXPECT_FALSE(w->SaveAsEdf(edf));
  ASSERT_EQ(messages_->Messages().size(), 1u);
  EXPECT_EQ(messages_->Messages()[0].text,
            "No Tessel data will be saved.\n\nDo you want to save anyway?");
  EXPECT_EQ(messages_->Messages()[0].caption, "Tessel");
  EXPECT_FALSE(QFile::exists(edf));
  messages_->Answer(Tessel::MessageAnswer::kYes);
  ASSERT_TRUE(w->SaveAsEdf(edf));
  const ImportResult back = ImportRecording(edf.toStdString());
  ASSERT_TRUE(back.ok) << back.error;
  EXPECT_EQ(back.format, "EDF+");
  const auto& comments = w->Active()->Chart().Data().Comments();
  ASSERT_EQ(back.recording.Comments().size(), comments.size());
  for (size_t i = 0; i < comments.size(); ++i) {
    EXPECT_EQ(back.recording.Comments()[i].text, comments[i].text);
    EXPECT_EQ(back.recording.Comments()[i].position, comments[i].position);
  }
}

// A new recording sampled live from the simulated organ bath, with a comment typed while it
// records: the comment marks the newest sample, and the chart follows the data.
TEST_F(MainWindowTest, ACommentTypedWhileSamplingMarksTheNewestSample) {
  auto w = Start();
  w->NewRecording();
  ChartWindow& chart = *w->Active();
  ASSERT_TRUE(chart.StartSampling());
  // The extension's document follows the recording through its online-data sink.
  EXPECT_EQ(chart.Chart().RegisteredSinks(), 1u);
  chart.SampleFor(3.0);
  ChartView& view = chart.View();
  QTest::keyClicks(&view, "K");
  QLineEdit* editor = view.findChild<QLineEdit*>();
  ASSERT_TRUE(editor != nullptr && editor->isVisible());
  QTest::keyClicks(editor, "Cl added");
  QTest::keyClick(editor, Qt::Key_Return);
  // A minute more: longer than one screen of samples, so the view scrolls with the data.
  chart.SampleFor(60.0);
  EXPECT_NEAR(view.Viewport().To(), view.Timeline().Duration(), 1e-9);
  chart.StopSampling();
  EXPECT_FALSE(chart.Sampling());
  const Recording& data = chart.Chart().Data();
  ASSERT_EQ(data.BlockCount(), 1);
  EXPECT_EQ(data.BlockAt(0).Ticks(), 1260u);  // 63 s at 20 samples a second
  ASSERT_EQ(data.Comments().size(), 1u);
  EXPECT_EQ(data.Comments()[0].text, "KCl added");
  EXPECT_EQ(data.Comments()[0].position, TickPosition(0, 59));
  EXPECT_EQ(data.Comments()[0].channel, -1);
  EXPECT_TRUE(chart.Modified());
}

// The command list reaches every registered command, also those no menu shows.
TEST_F(MainWindowTest, TheCommandListFindsCommandsAsTheUserTypes) {
  auto w = Start();
  CommandListDialog dialog(w->Module().Commands(), w.get());
  struct Case {
    const char* search;
    QStringList names;
  };
  const Case cases[] = {
      {"recalc", {"TesselRecalculateTableView"}},
      {"HOTKEYS", {"TesselTableViewHotKeys"}},
      {"tessel open dialog",
       {"OpenTesselSettingsDialog", "OpenTesselAutoAnalyzeSelDialog",
        "OpenTesselConvertCommentsDialog", "OpenTesselExportToXmlDialog",
        "OpenTesselExportToTextDialog"}},
      {"no such thing", {}},
  };
  for (const Case& c : cases) {
    dialog.Search()->setText(QString::fromLatin1(c.search));
    QStringList names;
    for (int row = 0; row < dialog.List()->rowCount(); ++row) {
      names << dialog.List()->item(row, 0)->text();
    }
    EXPECT_EQ(names, c.names) << c.search;
  }
  dialog.Search()->setText(QStringLiteral("recalc"));
  EXPECT_TRUE(dialog.RunSelected());
}

// With two recordings open, the extension's commands act on the one the user turned to last:
// by its tab, or by one of its views.
TEST_F(MainWindowTest, TheCurrentDocumentFollowsTheWindowTheUserActivates) {
  Testing::TempDir folder;
  QStringList files;
  for (const char* name : {"a.strata", "b.strata"}) {
    files << In(folder, name);
    const auto run = Testing::Tessel({"analyze", kDemo.toStdString(), "--start", "90", "--stop",
                                      "118", "--save", files.back().toStdString()});
    ASSERT_EQ(run.status, 0) << run.err;
  }
  auto w = Start();
  ASSERT_TRUE(w->Open(files[0]));
  ChartWindow* a = w->Active();
  QDockWidget* viewOfA = w->OpenView(w->Module().Commands().Menu().at(3).info.viewClass);
  ASSERT_NE(viewOfA, nullptr);
  ASSERT_TRUE(w->Open(files[1]));
  ChartWindow* b = w->Active();
  // Recalculation reads the samples of the current document's responses, and no other's.
  auto recalculate = [&] {
    const int before[] = {a->Chart().SampleReads(), b->Chart().SampleReads()};
    EXPECT_TRUE(w->Module().Commands().Run("TesselRecalculateTableView"));
    return std::pair(a->Chart().SampleReads() > before[0], b->Chart().SampleReads() > before[1]);
  };
  EXPECT_EQ(recalculate(), std::pair(false, true));
  viewOfA->widget()->setFocus();
  QApplication::processEvents();
  EXPECT_EQ(w->Active(), a);
  EXPECT_EQ(recalculate(), std::pair(true, false));
  QTabWidget* tabs = w->findChild<QTabWidget*>();
  tabs->setCurrentIndex(tabs->indexOf(b));
  EXPECT_EQ(recalculate(), std::pair(false, true));
}

// A view tells the host the names of its Copy and Print commands; Edit > Copy and File > Print
// show them and act on the view the user works in.
class NamedView : public Tessel::RefCounted<Tessel::IViewWindow> {
 public:
  QWidget* Widget() override { return widget_.release(); }
  std::string Title() override { return "Named View"; }
  std::string CopyCommand() override { return "Copy Named View"; }
  std::string PrintCommand() override { return "Print Named View"; }
  Tessel::Status Copy() override { return ++copies, Tessel::kOk; }
  Tessel::Status Print() override { return ++prints, Tessel::kOk; }
  int copies = 0;
  int prints = 0;

 private:
  std::unique_ptr<QWidget> widget_ = std::make_unique<QLineEdit>();
};

class NamedViewClass : public Tessel::RefCounted<Tessel::IClassObject> {
 public:
  std::string DisplayName() override { return "Named View"; }
  Tessel::ClassKind Kind() override { return Tessel::ClassKind::kView; }
  Tessel::Status CreateInstance(Tessel::IChartDocument*, Tessel::IUnknown** out) override {
    view = Tessel::MakeRef<NamedView>();
    view->AddRef();
    *out = view.get();
    return Tessel::kOk;
  }
  Tessel::Status DocumentCreated(Tessel::IUnknown*) override { return Tessel::kOk; }
  Tessel::Status DocumentClosing(Tessel::IUnknown*) override { return Tessel::kOk; }
  Ref<NamedView> view;
};

TEST_F(MainWindowTest, EditCopyAndFilePrintActOnTheActiveViewUnderItsNames) {
  auto w = Start();
  ASSERT_TRUE(w->Open(kDemo));
  EXPECT_FALSE(w->CopyAction()->isEnabled());
  auto named = Tessel::MakeRef<NamedViewClass>();
  QDockWidget* dock = w->OpenView(named.get());
  ASSERT_NE(dock, nullptr);
  EXPECT_EQ(w->CopyAction()->text(), "Copy Named View");
  EXPECT_EQ(w->PrintAction()->text(), "Print Named View");
  w->CopyAction()->trigger();
  w->PrintAction()->trigger();
  EXPECT_EQ(named->view->copies, 1);
  EXPECT_EQ(named->view->prints, 1);
  // Back in the chart, Copy is no view's.
  w->Active()->View().setFocus();
  QApplication::processEvents();
  EXPECT_FALSE(w->CopyAction()->isEnabled());
  EXPECT_EQ(w->CopyAction()->text(), "&Copy");
}

// An extension asks the Chart View to show a comment: it scrolls there and selects it.
TEST_F(MainWindowTest, AShownCommentIsScrolledIntoViewAndSelected) {
  auto w = Start();
  ASSERT_TRUE(w->Open(kDemo));
  ChartView& view = w->Active()->View();
  view.Viewport().Show(0.0, 60.0);
  const Comment last = view.Chart().Data().Comments().back();
  Tessel::IShowComment2Message& show = view.Chart();
  show.ShowComment({last.id, last.channel, last.position, last.text});
  const double at = view.Timeline().TimeOf(last.position);
  EXPECT_LT(view.Viewport().From(), at);
  EXPECT_GT(view.Viewport().To(), at);
  EXPECT_EQ(view.SelectedComment(), last.id);
}

// The arrangement and the recent files outlive the program.
TEST_F(MainWindowTest, RecentFilesAreKeptBetweenRuns) {
  Testing::TempDir folder;
  const QString settings = In(folder, "strata.ini");
  {
    MainWindow first(messages_, QStringLiteral(TESSEL_PLUGIN_DIR), settings);
    ASSERT_TRUE(first.Open(kDemo));
    first.close();
  }
  MainWindow second(messages_, QStringLiteral(TESSEL_PLUGIN_DIR), settings);
  ASSERT_EQ(second.Recent().Files().size(), 1u);
  EXPECT_EQ(QFileInfo(QString::fromStdString(second.Recent().Files()[0])), QFileInfo(kDemo));
  QAction* entry = nullptr;
  for (QMenu* m : second.menuBar()->findChildren<QMenu*>()) {
    if (m->title() == "Recent &Files" && !m->actions().isEmpty()) {
      entry = m->actions().front();
    }
  }
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->text().toStdString(), "&1 organ-bath.edf  (" TESSEL_SOURCE_DIR "/data)");
  entry->trigger();
  EXPECT_EQ(second.Count(), 1);
}

// A dose response entered by hand on the demo recording: the run and its doses typed into the
// Table View, each response selected in the Chart View and measured, once with the buttons and
// once with F2 and F3; the document saved and opened again shows the same table, as the command
// line does.
TEST_F(MainWindowTest, DosesAreMarkedAndMeasuredThroughTheTableView) {
  Testing::TempDir folder;
  auto w = Start();
  ASSERT_TRUE(w->Open(kDemo));
  ExtensionMenu(*w)->actions().at(2)->trigger();  // &Table View
  QDockWidget* dock = w->findChild<QDockWidget*>("Tessel Table View");
  ASSERT_NE(dock, nullptr);
  Testing::GridKeys grid(dock, w.get());
  grid.Type(1, 2, "Hand");
  grid.PickChannel(2, 0);
  grid.Type(4, 1, "0.001");
  grid.Type(5, 1, "0.003");
  ChartView& chart = w->Active()->View();
  chart.Viewport().Show(0.0, 400.0);
  // Drags in the first channel over 90 to 118 s after each dose comment (at 60 s and 180 s).
  auto drag = [&](double from, double to) {
    const int y = chart.LaneRect(0).center().y();
    QTest::mousePress(&chart, Qt::LeftButton, Qt::NoModifier, QPoint(chart.XOfTime(from), y));
    QTest::mouseMove(&chart, QPoint(chart.XOfTime(to), y));
    QTest::mouseRelease(&chart, Qt::LeftButton, Qt::NoModifier, QPoint(chart.XOfTime(to), y));
  };
  auto button = [&](const char* text) {
    for (auto* b : dock->findChildren<QPushButton*>()) {
      if (b->text() == text) {
        QTest::mouseClick(b, Qt::LeftButton);
      }
    }
  };
  drag(150.0, 178.0);
  grid.Click(4, 2);
  button("Mark Dose");
  grid.Click(4, 2);
  button("Add Response");
  drag(270.0, 298.0);
  grid.Click(5, 2);
  chart.setFocus();
  QTest::keyClick(w->windowHandle(), Qt::Key_F2);
  grid.Click(5, 2);
  chart.setFocus();
  QTest::keyClick(w->windowHandle(), Qt::Key_F3);
  const QStringList responses{grid.Text(4, 2), grid.Text(5, 2)};
  for (const QString& r : responses) {
    // Four significant figures of a tension of a few mN.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^[0-9]\\.[0-9]{3}$")).match(r).hasMatch())
        << r.toStdString();
  }
  EXPECT_TRUE(messages_->Messages().empty());

  const QString saved = In(folder, "hand.strata");
  ASSERT_TRUE(w->SaveAs(saved));
  ASSERT_TRUE(w->CloseActive());
  ASSERT_TRUE(w->Open(saved));
  QDockWidget* again = w->OpenView(w->Module().Commands().Menu().at(3).info.viewClass);
  ASSERT_NE(again, nullptr);
  EXPECT_EQ((QStringList{Testing::GridKeys(again, w.get()).Text(4, 2),
                         Testing::GridKeys(again, w.get()).Text(5, 2)}),
            responses);
  const auto table = Testing::Tessel({"table", saved.toStdString()});
  ASSERT_EQ(table.status, 0) << table.err;
  for (const QString& line :
       QStringList{"Hand", "0.001\t" + responses[0], "0.003\t" + responses[1]}) {
    EXPECT_NE(table.out.find(line.toStdString()), std::string::npos) << line.toStdString() << "\n"
                                                                     << table.out;
  }
}

TEST_F(MainWindowTest, F2MarksIntoTheActiveRecordingAtItsNewestSample) {
  auto w = Start();
  w->NewRecording();
  ChartWindow* a = w->Active();
  QDockWidget* dock = w->OpenView(w->Module().Commands().Menu().at(3).info.viewClass);
  ASSERT_NE(dock, nullptr);
  Testing::GridKeys grid(dock, w.get());
  grid.Type(1, 2, "Control");
  grid.PickChannel(2, 0);
  grid.Type(4, 1, "1");
  ASSERT_TRUE(a->StartSampling());
  a->SampleFor(2.0);
  ChartView& chart = a->View();
  // The Active Point one second into the recording.
  QTest::mouseClick(&chart, Qt::LeftButton, Qt::NoModifier,
                    QPoint(chart.XOfTime(1.0), chart.LaneRect(0).center().y()));
  grid.Click(4, 2);

  // A second recording, active: F2 has no Table View there and marks nothing anywhere.
  w->NewRecording();
  ChartWindow* b = w->Active();
  // Keys are sent to the window, as the keyboard sends them, where the module's hook sees them.
  b->View().setFocus();
  QTest::keyClick(w->windowHandle(), Qt::Key_F2);
  EXPECT_TRUE(a->Chart().Data().Comments().empty());

  // Back in the first, F2 from the Chart View marks the dose at the newest sample.
  QTabWidget* tabs = w->findChild<QTabWidget*>();
  tabs->setCurrentIndex(tabs->indexOf(a));
  a->SampleFor(1.0);
  chart.setFocus();
  QTest::keyClick(w->windowHandle(), Qt::Key_F2);
  const auto& comments = a->Chart().Data().Comments();
  ASSERT_EQ(comments.size(), 1u);
  EXPECT_EQ(comments[0].text, "TSL: <1> <Control>");
  EXPECT_EQ(comments[0].position, TickPosition(0, a->Chart().Data().BlockAt(0).Ticks() - 1));
  EXPECT_EQ(grid.Text(4, 2), "(marked)");
  EXPECT_TRUE(b->Chart().Data().Comments().empty());
  a->StopSampling();
}

TEST_F(MainWindowTest, WithoutTheModuleRecordingsStillOpenAfterOneMessage) {
  Testing::TempDir empty;
  auto w = Start(QString::fromStdString(empty.path().string()));
  ASSERT_EQ(messages_->Messages().size(), 1u);
  EXPECT_NE(messages_->Messages()[0].text.find("The Tessel module was not found"),
            std::string::npos);
  EXPECT_EQ(ExtensionMenu(*w), nullptr);
  EXPECT_TRUE(w->Open(kDemo));
  EXPECT_EQ(w->Active()->Extension(), nullptr);
}

TEST_F(MainWindowTest, AFileThatCannotBeOpenedSaysWhyAndChangesNothing) {
  Testing::TempDir folder;
  auto w = Start();
  const QString bad = In(folder, "bad.edf");
  {
    std::ofstream out(bad.toStdString());
    out << "0       not an EDF header";
  }
  EXPECT_FALSE(w->Open(bad));
  ASSERT_EQ(messages_->Messages().size(), 1u);
  EXPECT_NE(messages_->Messages()[0].text.find("bad.edf"), std::string::npos);
  EXPECT_EQ(w->Count(), 0);
}

}  // namespace
}  // namespace Strata
