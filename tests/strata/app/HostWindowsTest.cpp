// The host's service windows driven as the module and a person drive them, offscreen: the Data
// Pad, help, the Shortcut Key Manager and the progress window.
#include "strata/app/HostWindows.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "strata/app/DataPadWindow.h"
#include "strata/app/DialogPrintService.h"
#include "strata/app/HelpWindow.h"
#include "strata/app/MainWindow.h"
#include "strata/app/ProgressDialog.h"
#include "strata/app/ShortcutKeyDialog.h"
#include "strata/recording/ScriptedFileChooser.h"
#include "strata/recording/ScriptedMessageBox.h"
#include "strata/recording/TextClipboard.h"
#include "support/QtApplication.h"
#include "support/TempFiles.h"
#include "tessel/host/IHelpService.h"
#include "tessel/host/IPrintService.h"
#include "tessel/host/VirtualKeys.h"

namespace Strata {
namespace {

using Tessel::MessageAnswer;

class HostWindowsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Testing::Application();
    messages_ = Tessel::MakeRef<ScriptedMessageBox>();
    window_ = std::make_unique<MainWindow>(messages_, QStringLiteral(TESSEL_PLUGIN_DIR));
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  }
  Host& App() { return window_->App(); }
  // A service as the module reaches it.
  template <class T>
  Ref<T> Service() {
    void* p = nullptr;
    EXPECT_EQ(App().QueryService(T::kIid, &p), Tessel::kOk);
    return Tessel::Adopt(static_cast<T*>(p));
  }
  QAction* MenuItem(const QString& menu, const QString& item) {
    for (QAction* m : window_->menuBar()->actions()) {
      if (m->text() == menu && m->menu() != nullptr) {
        for (QAction* a : m->menu()->actions()) {
          if (a->text() == item) {
            return a;
          }
        }
      }
    }
    return nullptr;
  }
  std::vector<std::string> Shown() const {
    std::vector<std::string> texts;
    for (const auto& m : messages_->Messages()) {
      texts.push_back(m.caption + ": " + m.text);
    }
    return texts;
  }

  Ref<ScriptedMessageBox> messages_;
  std::unique_ptr<MainWindow> window_;
};

TEST_F(HostWindowsTest, DataPadRowsAreShownLiveCopiedSavedAndCleared) {
  Testing::TempDir dir;
  Ref<Tessel::IDataPad> pad = Service<Tessel::IDataPad>();
  pad->AddRow({"Run", "EC50", "Hill slope"});
  pad->AddRow({"Control, bath 1", "0.1"});
  MenuItem("&View", "&Data Pad")->trigger();
  DataPadWindow& window = window_->Windows().Pad();
  ASSERT_TRUE(window.isVisible());
  EXPECT_EQ(window.windowTitle(), "Data Pad");
  pad->AddRow({"After antagonist", "1.02", "0.98"});
  QTableWidget* table = window.Table();
  ASSERT_EQ(table->rowCount(), 3);
  ASSERT_EQ(table->columnCount(), 3);
  EXPECT_EQ(table->item(1, 0)->text(), "Control, bath 1");
  EXPECT_EQ(table->item(2, 2)->text(), "0.98");

  auto click = [&](const char* text) {
    for (QPushButton* b : window.findChildren<QPushButton*>()) {
      if (b->text() == text) {
        QTest::mouseClick(b, Qt::LeftButton);
        return;
      }
    }
    ADD_FAILURE() << "no button " << text;
  };
  click("&Copy");
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            "Run\tEC50\tHill slope\nControl, bath 1\t0.1\nAfter antagonist\t1.02\t0.98\n");

  auto chooser = Tessel::MakeRef<ScriptedFileChooser>();
  App().SetFileChooser(chooser);
  const std::string saved = dir / "pad.csv";
  chooser->Answer(saved);
  chooser->Answer(dir / "missing/pad.csv");
  click("&Save As CSV...");
  EXPECT_EQ(Testing::ReadFile(saved),
            "Run,EC50,Hill slope\r\n\"Control, bath 1\",0.1\r\nAfter antagonist,1.02,0.98\r\n");
  EXPECT_EQ(chooser->Asked().front(), "Save Data Pad As|CSV files (*.csv)|Data Pad.csv");
  click("&Save As CSV...");
  click("&Save As CSV...");  // cancelled: nothing said

  auto refusing = Tessel::MakeRef<TextClipboard>();
  refusing->Refuse();
  App().SetClipboard(refusing);
  click("&Copy");
  messages_->Answer(MessageAnswer::kNo);
  click("C&lear");
  EXPECT_EQ(table->rowCount(), 3);
  messages_->Answer(MessageAnswer::kYes);
  click("C&lear");
  EXPECT_EQ(table->rowCount(), 0);
  EXPECT_TRUE(App().Pad().Rows().empty());
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Strata: Cannot save \"" + dir / "missing/pad.csv" +
                                                   "\": no such file or directory.",
                                               "Error: Unable to copy to clipboard at present",
                                               "Strata: Clear every row of the Data Pad?",
                                               "Strata: Clear every row of the Data Pad?"}));
}

TEST_F(HostWindowsTest, TheModulesHelpTopicsOpenInTheHelpWindow) {
  window_->Windows().SetHelpFolder(QStringLiteral(TESSEL_SOURCE_DIR "/docs/help"));
  Ref<Tessel::IHelpService> help = Service<Tessel::IHelpService>();
  HelpWindow& shown = window_->Windows().Help();
  const struct {
    const char* topic;
    const char* title;
  } topics[] = {
      {"tsl_settings", "Tessel Settings"},          {"tsl_autoanalyze", "Auto-Analyze Selection"},
      {"tsl_convertcomments", "Convert Comments"},  {"tsl_tableview", "Tessel Table View"},
      {"tsl_analysisview", "Tessel Analysis View"}, {"tsl_resultsview", "Tessel Results View"},
  };
  for (const auto& t : topics) {
    ASSERT_EQ(help->ShowTopic(Tessel::kHelpFile, t.topic), Tessel::kOk);
    EXPECT_TRUE(shown.isVisible());
    EXPECT_EQ(shown.Browser()->documentTitle(), t.title);
    EXPECT_TRUE(shown.Note()->isHidden());
  }
  help->ShowTopic(Tessel::kHelpFile, "tsl_globalfit");
  EXPECT_EQ(shown.Browser()->documentTitle(), "Strata");
  EXPECT_FALSE(shown.Note()->isHidden());
  EXPECT_TRUE(shown.Note()->text().contains("\"tsl_globalfit\" is missing"));
  // Back to the topic before; the note went with the page it was about.
  QTest::mouseClick(shown.findChild<QToolButton*>(), Qt::LeftButton);
  EXPECT_EQ(shown.Browser()->documentTitle(), "Tessel Results View");
  EXPECT_TRUE(shown.Note()->isHidden());

  QAction* helpTopics = MenuItem("&Help", "&Help Topics");
  EXPECT_EQ(helpTopics->shortcut(), QKeySequence(Qt::Key_F1));
  helpTopics->trigger();
  EXPECT_EQ(shown.Browser()->documentTitle(), "Strata");
  EXPECT_EQ(App().Help().Shown().back(), "Strata::strata");
}

TEST_F(HostWindowsTest, TheShortcutKeyManagerOpensAtTesselAndRefusesAKeyInUse) {
  ASSERT_TRUE(window_->Open(QStringLiteral(TESSEL_SOURCE_DIR "/data/organ-bath.edf")));
  const std::uint32_t ctrlM = Tessel::ShortcutKeyCodeOf(Qt::Key_M, Tessel::kToolkitControl);
  QStringList seen;
  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ShortcutKeyDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    QTreeWidgetItem* at = dialog->List()->currentItem();
    ASSERT_NE(at, nullptr);
    seen << at->parent()->text(0) << at->text(0) << dialog->KeyField()->text();
    QTreeWidgetItem* markDose = at->parent()->child(1);
    ASSERT_EQ(markDose->text(0), "Mark Dose");
    dialog->List()->setCurrentItem(markDose);
    // Each key shows in the list again, on the same command.
    auto selected = [dialog] {
      QTreeWidgetItem* item = dialog->List()->currentItem();
      return item->text(0) + "=" + item->text(2);
    };
    QTest::keyClick(dialog->KeyField(), Qt::Key_F3);
    seen << selected();
    QTest::keyClick(dialog->KeyField(), Qt::Key_M, Qt::ControlModifier);
    seen << selected() << dialog->KeyField()->text();
    dialog->reject();
  });
  auto manager = Service<Tessel::IShortcutKeyManager>();
  ASSERT_EQ(manager->ShowManager("Tessel"), Tessel::kOk);
  EXPECT_EQ(seen, (QStringList{"Tessel", "Add Response", "F3", "Mark Dose=F2", "Mark Dose=Ctrl+M",
                               "Ctrl+M"}));
  std::uint32_t key = 0;
  ASSERT_EQ(manager->QueryKey("Tessel", "Mark Dose", &key), Tessel::kOk);
  EXPECT_EQ(key, ctrlM);
  EXPECT_EQ(Shown(), (std::vector<std::string>{
                         "Keyboard Shortcuts: F3 is already the key of \"Add Response\" "
                         "(Tessel). Clear it there first."}));
}

// The module polls while it works; a click on Stop between two polls is what it sees next.
TEST_F(HostWindowsTest, StopInTheProgressWindowReachesTheModule) {
  Ref<Tessel::IProgressIndicator> progress = Service<Tessel::IProgressIndicator>();
  ProgressDialog& dialog = window_->Windows().Progress();
  ASSERT_EQ(progress->Begin("Auto-Analyze Selection"), Tessel::kOk);
  EXPECT_TRUE(dialog.isVisible());
  EXPECT_TRUE(dialog.isModal());
  EXPECT_EQ(dialog.windowTitle(), "Auto-Analyze Selection");
  progress->Update(0.25, "25%");
  EXPECT_EQ(dialog.Text()->text(), "25%");
  EXPECT_EQ(progress->StopPressed(), Tessel::kFalse);
  QTimer::singleShot(0, dialog.StopButton(),
                     [&] { QTest::mouseClick(dialog.StopButton(), Qt::LeftButton); });
  int updates = 0;
  while (progress->StopPressed() != Tessel::kOk && updates < 100) {
    ++updates;
    progress->Update(0.25 + updates / 400.0, "working");
  }
  EXPECT_LT(updates, 100);
  EXPECT_EQ(progress->StopPressed(), Tessel::kOk);
  progress->End();
  EXPECT_FALSE(dialog.isVisible());
}

// Printing without a screen goes to a PDF file.
TEST_F(HostWindowsTest, PrintingOffscreenWritesAPdf) {
  Testing::TempDir dir;
  window_->Windows().Printer().SetPdfFolder(QString::fromStdString(dir.path().string()));
  auto printer = Service<Tessel::IPrintService>();
  ASSERT_EQ(printer->PrintText("Fitted parameters", "Run\tEC50\nControl\t0.1\n"), Tessel::kOk);
  const std::string pdf = Testing::ReadFile(dir / "Fitted parameters.pdf");
  EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
}

}  // namespace
}  // namespace Strata
