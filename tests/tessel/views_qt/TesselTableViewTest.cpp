// The Table View's window driven as a person drives it, offscreen: typing into cells, picking a
// channel, the buttons, the Delete key, Copy and printing.
#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QTest>

#include "support/QtApplication.h"
#include "support/TempFiles.h"
#include "tessel/export/TableTextWriter.h"
#include "tessel/views/TableSession.h"
#include "tessel/views/TableViewCells.h"
#include "tessel/views/qt/TesselTableView.h"

namespace Tessel {
namespace {

class TesselTableViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Testing::Application();
    view_ = MakeRef<TesselTableView>(chart_.Doc());
    window_ = view_->Widget();
    window_->resize(720, 420);
    window_->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window_));
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_));
    tester_ = std::make_unique<QAbstractItemModelTester>(
        &view_->Grid()->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  }

  TVF_Grid::Grid& Grid() { return *view_->Grid(); }
  // The part of the grid that shows a cell: the fixed header rows, or the scrolling body.
  QTableView& ViewOf(std::uint32_t row) {
    return row <= TVF_Grid::Grid::kFrozenRows ? Grid().Frozen() : Grid().Body();
  }
  QPoint At(std::uint32_t row, std::uint32_t column) {
    const QModelIndex index =
        Grid().Model().index(static_cast<int>(row) - 1, static_cast<int>(column) - 1);
    return ViewOf(row).visualRect(index).center();
  }
  void Click(std::uint32_t row, std::uint32_t column) {
    // A click gives the grid the keyboard; offscreen, after a closed pop-up, it may not.
    ViewOf(row).setFocus();
    QTest::mouseClick(ViewOf(row).viewport(), Qt::LeftButton, Qt::NoModifier, At(row, column));
  }
  // Selects a cell and types into it, as a person does: the first key opens the editor with
  // that key, the rest go to the editor, Enter commits.
  void Type(std::uint32_t row, std::uint32_t column, const QString& text) {
    Click(row, column);
    QTest::keyClicks(&ViewOf(row), text.left(1));
    // The open editor has the keyboard; editors closed before may still linger until deleted.
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << row << "," << column;
    QTest::keyClicks(editor, text.mid(1));
    QTest::keyClick(editor, Qt::Key_Return);
    // The editor commits once the key has been handled.
    QApplication::processEvents();
  }
  // A run's channel from its drop-down, by its place in the list of the recording's channels.
  void PickChannel(std::uint32_t column, int channel) {
    Click(3, column);
    QTest::keyClick(&Grid().Frozen(), Qt::Key_Space);
    const auto boxes = Grid().Frozen().viewport()->findChildren<QComboBox*>();
    ASSERT_FALSE(boxes.isEmpty());
    QComboBox* box = boxes.last();  // the newest; closed editors may linger until deleted
    ASSERT_EQ(box->count(), 2);
    box->hidePopup();
    box->setCurrentIndex(channel);
    QTest::keyClick(box, Qt::Key_Return);
    QApplication::processEvents();
    // The drop-down's list was a window of its own: the Table View is the active window again.
    QApplication::setActiveWindow(window_);
  }
  QString Shown(std::uint32_t row, std::uint32_t column) {
    return Grid()
        .Model()
        .index(static_cast<int>(row) - 1, static_cast<int>(column) - 1)
        .data()
        .toString();
  }
  const std::string& Stored(std::uint32_t row, std::uint32_t column) {
    return chart_.Doc().Matrix().Cell(row, column).text;
  }
  std::vector<Strata::ScriptedMessageBox::Shown> TakeMessages() {
    auto shown = chart_.Messages().Messages();
    chart_.Messages().Clear();
    return shown;
  }

  Testing::TestChart chart_{Testing::TwoChannelRecording()};
  Ref<TesselTableView> view_;
  QWidget* window_ = nullptr;
  std::unique_ptr<QAbstractItemModelTester> tester_;
};

TEST_F(TesselTableViewTest, ARunIsLabelledDosedMarkedAndMeasuredThroughTheWindow) {
  EXPECT_EQ(window_->windowTitle(), "Tessel Table View");
  Type(1, 2, "Control");
  EXPECT_EQ(Stored(1, 2), "Control");

  // The channel from the drop-down: stored as its index, shown as its title.
  PickChannel(2, 0);
  EXPECT_EQ(Stored(3, 2), "0");
  EXPECT_EQ(Shown(3, 2), "Pressure");

  // A dose typed as 1e-3 is stored in general notation.
  Type(4, 1, "1e-3");
  EXPECT_EQ(Stored(4, 1), "0.001");

  // The Chart View's selection after the dose enables Mark Dose; then Add Response measures.
  Click(4, 2);
  EXPECT_FALSE(view_->Button(TableButton::kMarkDose)->isEnabled());
  chart_.Chart().Select(0, TickPosition(0, 10), TickPosition(0, 20));
  ASSERT_TRUE(view_->Button(TableButton::kMarkDose)->isEnabled());
  QTest::mouseClick(view_->Button(TableButton::kMarkDose), Qt::LeftButton);
  EXPECT_EQ(Shown(4, 2), "(marked)");
  Click(4, 2);
  ASSERT_TRUE(view_->Button(TableButton::kAddResponse)->isEnabled());
  QTest::mouseClick(view_->Button(TableButton::kAddResponse), Qt::LeftButton);
  // Ticks 10 to 19 of a channel equal to its tick number, shown to four significant figures.
  EXPECT_EQ(Stored(4, 2), "14.5");
  EXPECT_EQ(Shown(4, 2), "14.5");
  EXPECT_TRUE(TakeMessages().empty());

  // The hidden buttons stay hidden; the others show their texts.
  EXPECT_FALSE(view_->Button(TableButton::kAddToDataPad)->isVisible());
  EXPECT_FALSE(view_->Button(TableButton::kExport)->isVisible());
  EXPECT_EQ(view_->Button(TableButton::kRecalculate)->text(), "Recalculate");
}

TEST_F(TesselTableViewTest, RefusalsAndConfirmationsComeOnceThroughTheWindow) {
  Type(4, 1, "2");
  Type(5, 1, "4");
  Type(4, 2, "(marked)");
  auto shown = TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "This is a reserved word and cannot be used.");
  EXPECT_EQ(Stored(4, 2), "");
  Type(4, 2, "(MARKED)");
  EXPECT_EQ(Stored(4, 2), "(MARKED)");
  EXPECT_TRUE(TakeMessages().empty());

  // Two ranges selected with Ctrl, one Delete key, one question; No keeps everything.
  Click(4, 1);
  QTest::mouseClick(Grid().Body().viewport(), Qt::LeftButton, Qt::ControlModifier, At(5, 1));
  QTest::mouseClick(Grid().Body().viewport(), Qt::LeftButton, Qt::ControlModifier, At(4, 2));
  chart_.Messages().Answer(MessageAnswer::kNo);
  QTest::keyClick(&Grid().Body(), Qt::Key_Delete);
  shown = TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text,
            "This will delete everything within the selection.\n\nDo you want to continue?");
  EXPECT_EQ(Stored(5, 1), "4");
  chart_.Messages().Answer(MessageAnswer::kYes);
  QTest::keyClick(&Grid().Body(), Qt::Key_Delete);
  EXPECT_EQ(TakeMessages().size(), 1u);
  EXPECT_EQ(Stored(4, 2), "");
}

// Each question of an edit, answered through the scripted person, on a run whose dose was
// marked and measured through the window (so it has a dose comment in the recording).
TEST_F(TesselTableViewTest, EveryQuestionOfAnEditIsAskedOnceAndNoKeepsTheTable) {
  Type(1, 2, "Control");
  Type(4, 1, "1");
  PickChannel(2, 0);
  chart_.Chart().Select(0, TickPosition(0, 10), TickPosition(0, 20));
  Click(4, 2);
  QTest::mouseClick(view_->Button(TableButton::kMarkDose), Qt::LeftButton);
  Click(4, 2);
  QTest::mouseClick(view_->Button(TableButton::kAddResponse), Qt::LeftButton);
  ASSERT_EQ(Stored(4, 2), "14.5");
  ASSERT_EQ(chart_.Chart().Data().Comments().size(), 1u);

  struct Case {
    std::uint32_t row, column;
    const char* typed;  // empty: the cell's text is cleared in its editor
    MessageAnswer answer;
    const char* message;
    MessageIcon icon;
    const char* stored;  // afterwards
  };
  const Case cases[] = {
      {4, 1, "2", MessageAnswer::kNo, "update-row", MessageIcon::kWarning, "1"},
      {1, 2, "Drug", MessageAnswer::kNo, "update-column", MessageIcon::kWarning, "Control"},
      {4, 2, "", MessageAnswer::kNo, "delete-comment", MessageIcon::kWarning, "14.5"},
      {5, 1, "-5", MessageAnswer::kOkPressed, "not-positive", MessageIcon::kInformation, "-5"},
      {4, 1, "2", MessageAnswer::kYes, "update-row", MessageIcon::kWarning, "2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    chart_.Messages().Answer(c.answer);
    if (*c.typed != '\0') {
      Type(c.row, c.column, c.typed);
    } else {
      Click(c.row, c.column);
      QTest::keyClicks(&ViewOf(c.row), "x");
      auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
      ASSERT_NE(editor, nullptr);
      editor->clear();
      QTest::keyClick(editor, Qt::Key_Return);
      QApplication::processEvents();
    }
    const auto shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, Testing::MessageText(c.message));
    EXPECT_EQ(shown[0].icon, c.icon);
    EXPECT_EQ(Stored(c.row, c.column), c.stored);
  }
  EXPECT_EQ(chart_.Chart().Data().Comments()[0].text, "TSL: <2> <Control>");

  // Another channel from the drop-down would delete the run's responses: No keeps it.
  chart_.Messages().Answer(MessageAnswer::kNo);
  PickChannel(2, 1);
  const auto shown = TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, Testing::MessageText("change-channel"));
  EXPECT_EQ(Stored(3, 2), "0");

  // Recalculate asks first; No keeps the responses as they are.
  chart_.Messages().Answer(MessageAnswer::kNo);
  QTest::mouseClick(view_->Button(TableButton::kRecalculate), Qt::LeftButton);
  EXPECT_EQ(TakeMessages().size(), 1u);
}

TEST_F(TesselTableViewTest, CopyAndPrintCarryTheCellsAsTheExportsWriteThem) {
  Type(1, 2, "Control");
  Type(4, 1, "0.1");
  Type(5, 1, "10");
  Type(4, 2, "1.5");
  // Rows 1 to 5 of the dose column and the run, as a drag over them selects them.
  TVF_Grid::GridModel& model = Grid().Model();
  Grid().Body().selectionModel()->select(QItemSelection(model.index(0, 0), model.index(4, 1)),
                                         QItemSelectionModel::ClearAndSelect);
  ASSERT_EQ(view_->Copy(), kOk);
  TableViewCells cells(view_->Presenter().Data());
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(),
            TableTextWriter(cells).CopyText(1, 5, 1, 2, nullptr));

  Testing::TempDir folder;
  const QString pdf = QString::fromStdString(folder / "table.pdf");
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  view_->PrintTo(printer);
  QProcess text;
  text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
  ASSERT_TRUE(text.waitForFinished(30000));
  const QString printed = QString::fromUtf8(text.readAllStandardOutput());
  for (const char* cell : {"Tessel Table View", "Control", "0.1", "10", "1.5", "Dose"}) {
    EXPECT_TRUE(printed.contains(QLatin1String(cell))) << cell << " in " << printed.toStdString();
  }
}

}  // namespace
}  // namespace Tessel
