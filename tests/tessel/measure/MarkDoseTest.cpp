#include <gtest/gtest.h>

#include "tessel/measure/CalcType.h"
#include "tessel/views/TableMessages.h"
#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

using Testing::TableSession;
using Note = TableSession::Note;

constexpr std::uint32_t kB = kFirstRunColumn;
constexpr std::uint32_t kC = kFirstRunColumn + 1;
constexpr std::uint32_t kRow1 = kFirstDoseRow;
constexpr std::uint32_t kRow2 = kFirstDoseRow + 1;

class MarkDoseTest : public ::testing::Test {
 protected:
  void SetUp() override {
    s.TypeDoses({"0.5", "1"});
    s.SetRunChannels({0});
    s.Table().SelectCell(kRow1, kB);
    s.TakeMessages();
  }
  TableSession s;
};

TEST_F(MarkDoseTest, F2WritesTheDoseCommentNamesTheRunAndMovesDown) {
  s.ActivePoint(0, 30);
  EXPECT_EQ(s.PressF2(), kOk);
  EXPECT_EQ(s.Comments(), (std::vector<Note>{{0, 30, "TSL: <0.5> <Run B>"}}));
  EXPECT_EQ(s.Cell(kRowLabel, kB).text, "Run B");
  EXPECT_EQ(s.Cell(kRow1, kB).text, "(marked)");
  EXPECT_TRUE(s.Cell(kRow1, kB).doseMarked);
  EXPECT_EQ(s.Cell(kRow1, kB).dosePosition, TickPosition(0, 30));
  EXPECT_FALSE(s.Cell(kRow1, kB).responseAdded);
  EXPECT_EQ(s.Table().CurrentCell(), (CellIndex{kRow2, kB}));
  EXPECT_EQ(s.Doc().Settings().currentRow, static_cast<std::int32_t>(kRow2));
  EXPECT_TRUE(s.TakeMessages().empty());
}

TEST_F(MarkDoseTest, F3MarksMeasuresShowsTheResponseAndMovesDown) {
  s.Select(0, 10, 20);
  EXPECT_EQ(s.PressF3(), kOk);
  // The comment goes where the measured selection starts.
  EXPECT_EQ(s.Comments(), (std::vector<Note>{{0, 10, "TSL: <0.5> <Run B>"}}));
  const TableViewElem& cell = s.Cell(kRow1, kB);
  EXPECT_TRUE(cell.doseMarked);
  EXPECT_TRUE(cell.responseAdded);
  EXPECT_EQ(cell.response, 14.5);  // the mean of ticks 10 to 19 of a ramp equal to its tick
  EXPECT_EQ(cell.text, "14.5");
  EXPECT_EQ(s.Table().CurrentCell(), (CellIndex{kRow2, kB}));
  EXPECT_TRUE(s.TakeMessages().empty());
}

TEST_F(MarkDoseTest, F3AfterF2MeasuresFromTheMarkedDose) {
  s.Doc().Settings().perDoseBaseline = true;
  s.Doc().Settings().sigFigs = 3;
  s.ActivePoint(0, 5);
  s.PressF2();
  s.Table().SelectCell(kRow1, kB);
  s.Select(0, 10, 20);
  EXPECT_EQ(s.PressF3(), kOk);
  EXPECT_EQ(s.Comments().size(), 1u);
  // Corrected by the dose-position sample (5), the lower of it and the first selected one.
  EXPECT_EQ(s.Cell(kRow1, kB).text, "9.5");
  EXPECT_EQ(s.Cell(kRow1, kB).dosePosition, TickPosition(0, 5));
}

TEST_F(MarkDoseTest, SecondMarkOfTheSameDoseAtTheSamePlaceChangesNothingAndSaysNothing) {
  s.TypeDoses({"0.5", "0.5"});
  s.ActivePoint(0, 30);
  s.PressF2();
  ASSERT_EQ(s.Table().CurrentCell(), (CellIndex{kRow2, kB}));
  const Ref<TableViewMatrix> before = s.Doc().Matrix().Clone();
  EXPECT_EQ(s.PressF2(), kFalse);
  EXPECT_EQ(s.Comments().size(), 1u);
  EXPECT_TRUE(s.Doc().Matrix() == *before);
  EXPECT_EQ(s.Table().CurrentCell(), (CellIndex{kRow2, kB}));
  EXPECT_TRUE(s.TakeMessages().empty());
}

TEST_F(MarkDoseTest, ADoseCommentAlreadyInTheRecordingIsNotWrittenAgain) {
  // Written by hand on every channel, in other letters and with more text around it.
  s.Host().AddComment(-1, TickPosition(0, 31), "before tsl: <0.5> <run b> after", nullptr);
  s.ActivePoint(0, 30);
  EXPECT_EQ(s.PressF2(), kFalse);
  EXPECT_EQ(s.Comments().size(), 1u);
  EXPECT_FALSE(s.Cell(kRow1, kB).doseMarked);
  EXPECT_TRUE(s.TakeMessages().empty());
}

TEST_F(MarkDoseTest, WithoutAValidTargetTheUserIsToldWhatIsNeeded) {
  // No selection in the Chart View.
  EXPECT_EQ(s.PressF2(), kFalse);
  Testing::ExpectOneMessage(s.Person(), "invalid-target", MessageIcon::kError);
  EXPECT_EQ(s.PressF3(), kFalse);
  Testing::ExpectOneMessage(s.Person(), "invalid-target", MessageIcon::kError);
  // A dose row without a dose.
  s.ActivePoint(0, 30);
  s.Table().SelectCell(kFirstDoseRow + 2, kB);
  EXPECT_EQ(s.PressF2(), kFalse);
  Testing::ExpectOneMessage(s.Person(), "invalid-target", MessageIcon::kError);
  // A run without a channel.
  s.SetRunChannels({-1});
  s.Table().SelectCell(kRow1, kB);
  EXPECT_EQ(s.PressF3(), kFalse);
  Testing::ExpectOneMessage(s.Person(), "invalid-target", MessageIcon::kError);
  EXPECT_TRUE(s.Comments().empty());
}

// A person who presses F2 again while the message about the first press is still open.
class ImpatientPerson : public RefCounted<IMessageBox> {
 public:
  explicit ImpatientPerson(Document& doc) : doc_(doc) {}
  MessageAnswer Show(const std::string& text, const std::string&, MessageIcon,
                     MessageButtons) override {
    shown.push_back(text);
    if (shown.size() == 1) {
      doc_.MarkDose();
    }
    return MessageAnswer::kOkPressed;
  }
  std::vector<std::string> shown;

 private:
  Document& doc_;
};

TEST_F(MarkDoseTest, ASecondRequestWhileTheMessageIsOpenShowsNothing) {
  auto person = MakeRef<ImpatientPerson>(s.Doc());
  s.Chart().Host().SetMessageBox(person);
  EXPECT_EQ(s.PressF2(), kFalse);
  EXPECT_EQ(person->shown.size(), 1u);
  // Once it is closed, the next request is answered again.
  s.PressF3();
  EXPECT_EQ(person->shown.size(), 2u);
}

TEST_F(MarkDoseTest, WithoutATableViewTheShortcutKeysDoNothing) {
  Testing::TestChart bare(Testing::TwoChannelRecording());
  bare.Chart().PlaceActivePoint(0, TickPosition(0, 3));
  EXPECT_EQ(bare.Doc().MarkDose(), kFalse);
  EXPECT_EQ(bare.Doc().AddResponse(), kFalse);
  EXPECT_TRUE(bare.Chart().Data().Comments().empty());
  EXPECT_TRUE(bare.Messages().Messages().empty());
}

TEST_F(MarkDoseTest, AChannelClosedToCommentsEndsTheMarkSilently) {
  s.Host().SetChannelUsable(0, false);
  s.ActivePoint(0, 30);
  EXPECT_EQ(s.PressF2(), kFalse);
  EXPECT_EQ(s.PressF3(), kFalse);
  EXPECT_TRUE(s.Comments().empty());
  EXPECT_FALSE(s.Cell(kRow1, kB).doseMarked);
  EXPECT_EQ(s.Table().CurrentCell(), (CellIndex{kRow1, kB}));
  EXPECT_TRUE(s.TakeMessages().empty());
}

TEST_F(MarkDoseTest, ARunOnAllChannelsWritesOneCommentForEveryChannel) {
  s.SetRunChannels({kAllChannels});
  s.Table().SelectCell(kRow1, kB);
  s.Select(1, 40, 45);
  EXPECT_EQ(s.PressF3(), kOk);
  EXPECT_EQ(s.Comments(), (std::vector<Note>{{-1, 40, "TSL: <0.5> <Run B>"}}));
  // Measured in the channel the user selected.
  EXPECT_EQ(s.Cell(kRow1, kB).text, "2");
}

TEST_F(MarkDoseTest, WhileSamplingTheDoseIsMarkedAtTheLastRecordedSample) {
  s.Host().StartSampling(0.1, /*appendToLastBlock=*/true);
  s.Host().AppendFrames({{7.0f, 8.0f, 9.0f}, {1.0f, 1.0f, 1.0f}});
  s.ActivePoint(0, 10);
  EXPECT_EQ(s.PressF2(), kOk);
  EXPECT_EQ(s.Host().Data().Comments().at(0).position, TickPosition(1, 52));
  EXPECT_EQ(s.Doc().SelectionStart(), TickPosition(1, 52));
  s.Host().StopSampling();
}

TEST_F(MarkDoseTest, MonitoringWithoutRecordingDisablesMarking) {
  s.ActivePoint(0, 10);
  s.Host().StartSampling(0.1, /*appendToLastBlock=*/false, /*monitorOnly=*/true);
  s.Table().Refresh();
  EXPECT_FALSE(s.Table().Enabled(TableButton::kMarkDose));
  EXPECT_EQ(s.PressF2(), kFalse);
  Testing::ExpectOneMessage(s.Person(), "invalid-target", MessageIcon::kError);
  s.Host().StopSampling();
  // Recording into a fresh block, a dose can be marked again.
  s.Host().StartSampling(0.1, /*appendToLastBlock=*/false);
  s.Table().Refresh();
  EXPECT_TRUE(s.Table().Enabled(TableButton::kMarkDose));
  s.Host().StopSampling();
}

TEST_F(MarkDoseTest, AcrossAdvanceWalksOneRunPerChannelThenTheNextDose) {
  s.Doc().Settings().advanceDown = false;
  s.SetRunChannels({0, 1, 0});
  s.Table().SelectCell(kRow1, kB);
  s.Select(0, 10, 20);
  s.PressF3();
  EXPECT_EQ(s.Table().CurrentCell(), (CellIndex{kRow1, kC}));
  s.PressF3();
  // Column D repeats channel 0, so it starts the next group: back to B on the next dose.
  EXPECT_EQ(s.Table().CurrentCell(), (CellIndex{kRow2, kB}));
  EXPECT_EQ(s.Comments(),
            (std::vector<Note>{{0, 10, "TSL: <0.5> <Run B>"}, {1, 10, "TSL: <0.5> <Run C>"}}));
}

TEST_F(MarkDoseTest, DownAdvanceMovesFromTheLastDoseToTheNextRun) {
  s.SetRunChannels({0, 1});
  s.Table().SelectCell(kRow2, kB);
  s.Select(0, 10, 20);
  s.PressF3();
  EXPECT_EQ(s.Table().CurrentCell(), (CellIndex{kFirstDoseRow, kC}));
  EXPECT_EQ(s.Table().CurrentChannel(), 1);
  // From the last dose of the last run there is nowhere further to go.
  s.Table().SelectCell(kRow2, kC);
  s.Select(1, 10, 20);
  s.PressF3();
  EXPECT_EQ(s.Table().CurrentCell(), (CellIndex{kRow2, kC}));
}

}  // namespace
}  // namespace Tessel
