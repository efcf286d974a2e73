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

#include "support/GridKeys.h"
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
    keys_ = std::make_unique<Testing::GridKeys>(view_->Grid(), window_);
    tester_ = std::make_unique<QAbstractItemModelTester>(
        &view_->Grid()->Model(), QAbstractItemModelTester::FailureReportingMode::Fatal);
  }

  TVF_Grid::Grid& Grid() { return *view_->Grid(); }
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
  std::unique_ptr<Testing::GridKeys> keys_;
  std::unique_ptr<QAbstractItemModelTester> tester_;
};

TEST_F(TesselTableViewTest, ARunIsLabelledDosedMarkedAndMeasuredThroughTheWindow) {
  EXPECT_EQ(window_->windowTitle(), "Tessel Table View");
  keys_->Type(1, 2, "Control");
  EXPECT_EQ(Stored(1, 2), "Control");

  // The channel from the drop-down: stored as its index, shown as its title.
  keys_->PickChannel(2, 0);
  EXPECT_EQ(Stored(3, 2), "0");
  EXPECT_EQ(keys_->Text(3, 2), "Pressure");

  // A dose typed as 1e-3 is stored in general notation.
  keys_->Type(4, 1, "1e-3");
  EXPECT_EQ(Stored(4, 1), "0.001");

  // The Chart View's selection after the dose enables Mark Dose; then Add Response measures.
  keys_->Click(4, 2);
  EXPECT_FALSE(view_->Button(TableButton::kMarkDose)->isEnabled());
  chart_.Chart().Select(0, TickPosition(0, 10), TickPosition(0, 20));
  ASSERT_TRUE(view_->Button(TableButton::kMarkDose)->isEnabled());
  QTest::mouseClick(view_->Button(TableButton::kMarkDose), Qt::LeftButton);
  EXPECT_EQ(keys_->Text(4, 2), "(marked)");
  keys_->Click(4, 2);
  ASSERT_TRUE(view_->Button(TableButton::kAddResponse)->isEnabled());
  QTest::mouseClick(view_->Button(TableButton::kAddResponse), Qt::LeftButton);
  // Ticks 10 to 19 of a channel equal to its tick number, shown to four significant figures.
  EXPECT_EQ(Stored(4, 2), "14.5");
  EXPECT_EQ(keys_->Text(4, 2), "14.5");
  EXPECT_TRUE(TakeMessages().empty());

  // The hidden buttons stay hidden; the others show their texts.
  EXPECT_FALSE(view_->Button(TableButton::kAddToDataPad)->isVisible());
  EXPECT_FALSE(view_->Button(TableButton::kExport)->isVisible());
  EXPECT_EQ(view_->Button(TableButton::kRecalculate)->text(), "Recalculate");
}

TEST_F(TesselTableViewTest, RefusalsAndConfirmationsComeOnceThroughTheWindow) {
  keys_->Type(4, 1, "2");
  keys_->Type(5, 1, "4");
  keys_->Type(4, 2, "(marked)");
  auto shown = TakeMessages();
  ASSERT_EQ(shown.size(), 1u);
  EXPECT_EQ(shown[0].text, "This is a reserved word and cannot be used.");
  EXPECT_EQ(Stored(4, 2), "");
  keys_->Type(4, 2, "(MARKED)");
  EXPECT_EQ(Stored(4, 2), "(MARKED)");
  EXPECT_TRUE(TakeMessages().empty());

  // Two ranges selected with Ctrl, one Delete key, one question; No keeps everything.
  keys_->Click(4, 1);
  keys_->Click(5, 1, Qt::ControlModifier);
  keys_->Click(4, 2, Qt::ControlModifier);
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
  keys_->Type(1, 2, "Control");
  keys_->Type(4, 1, "1");
  keys_->PickChannel(2, 0);
  chart_.Chart().Select(0, TickPosition(0, 10), TickPosition(0, 20));
  keys_->Click(4, 2);
  QTest::mouseClick(view_->Button(TableButton::kMarkDose), Qt::LeftButton);
  keys_->Click(4, 2);
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
    keys_->Type(c.row, c.column, c.typed);
    const auto shown = TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, Testing::MessageText(c.message));
    EXPECT_EQ(shown[0].icon, c.icon);
    EXPECT_EQ(Stored(c.row, c.column), c.stored);
  }
  EXPECT_EQ(chart_.Chart().Data().Comments()[0].text, "TSL: <2> <Control>");

  // Another channel from the drop-down would delete the run's responses: No keeps it.
  chart_.Messages().Answer(MessageAnswer::kNo);
  keys_->PickChannel(2, 1);
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
  keys_->Type(1, 2, "Control");
  keys_->Type(4, 1, "0.1");
  keys_->Type(5, 1, "10");
  keys_->Type(4, 2, "1.5");
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
