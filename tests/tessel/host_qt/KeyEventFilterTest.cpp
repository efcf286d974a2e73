// F2 and F3 from any window of a Qt program reach the current Tessel document, as a person
// presses them.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QWidget>

#include "cli/LinkedModule.h"
#include "support/QtApplication.h"
#include "support/TestRecording.h"
#include "tessel/host/ShortcutKeys.h"
#include "tessel/host/VirtualKeys.h"

namespace Tessel {
namespace {

class KeyEventFilterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Testing::Application();
    Cli::LinkedModule();  // the entry point has run, as the host runs it at start
    chart_ = std::make_unique<Testing::TestChart>();
    chart_->Doc().AttachView(&table_);
    window_ = std::make_unique<QWidget>();
    window_->setWindowTitle("Chart View");
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
    Cli::LinkedModule().DocumentClass()->DocumentCreated(Identity());
  }
  void TearDown() override {
    Cli::LinkedModule().DocumentClass()->DocumentClosing(Identity());
    chart_->Doc().DetachView(&table_);
  }
  IChildDocument* Identity() { return static_cast<IChildDocument*>(&chart_->Doc()); }

  void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(window_->windowHandle(), key, modifiers);
  }
  // A key held down: the window system sends the press again with the repeat flag.
  void Repeat(Qt::Key key) {
    QKeyEvent repeat(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(window_->windowHandle(), &repeat);
  }

  std::unique_ptr<Testing::TestChart> chart_;
  Testing::CountingView table_{ViewKind::kTable};
  std::unique_ptr<QWidget> window_;
};

TEST_F(KeyEventFilterTest, TheDefaultKeysMarkAndAddOnceEach) {
  Press(Qt::Key_F2);
  EXPECT_EQ(table_.marks, 1);
  Press(Qt::Key_F3);
  EXPECT_EQ(table_.adds, 1);
  Press(Qt::Key_F2, Qt::ShiftModifier);
  EXPECT_EQ(table_.marks, 1);
  Repeat(Qt::Key_F2);
  EXPECT_EQ(table_.marks, 1);
  // With no current document the keys do nothing.
  Cli::LinkedModule().DocumentClass()->DocumentClosing(Identity());
  Press(Qt::Key_F2);
  EXPECT_EQ(table_.marks, 1);
}

TEST_F(KeyEventFilterTest, KeysReassignedInTheManagerAreTheOnesThatAct) {
  Strata::ShortcutKeyManager& keys = chart_->Host().Shortcuts();
  keys.Assign(kShortcutCategory, kMarkDoseCommand, ShortcutKeyCodeOf(Qt::Key_M, kToolkitControl));
  keys.Assign(kShortcutCategory, kAddResponseCommand, ShortcutKeyCodeOf(Qt::Key_F3, kToolkitAlt));
  Press(Qt::Key_F2);
  Press(Qt::Key_M, Qt::AltModifier);
  EXPECT_EQ(table_.marks, 0);
  Press(Qt::Key_M, Qt::ControlModifier);
  EXPECT_EQ(table_.marks, 1);
  Press(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_EQ(table_.adds, 0);
  Press(Qt::Key_F3, Qt::AltModifier);
  EXPECT_EQ(table_.adds, 1);
}

}  // namespace
}  // namespace Tessel
