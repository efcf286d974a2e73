#include "tessel/document/Document.h"

#include <gtest/gtest.h>

#include "support/TestData.h"
#include "support/TestRecording.h"
#include "tessel/host/KeyboardHook.h"
#include "tessel/host/ShortcutKeys.h"

namespace Tessel {
namespace {

using Testing::CountingView;
using Testing::RecordingBuilder;
using Testing::TestChart;

Strata::Recording TwoBlockRecording() {
  return RecordingBuilder()
      .Block(0.01, 1000)
      .Block(0.01, 500)
      .Channel("Tension", "g", [](double t) { return t; })
      .Channel("Pressure", "mmHg", [](double) { return 1.0; })
      .Build();
}

// Marks the dose of row 4 in run column B at a position, with a response, as Mark Dose and Add
// Response would leave it.
void MarkAt(Document& doc, TickPosition position, std::uint32_t row = 4) {
  while (doc.Matrix().RowCount() <= row) {
    doc.Matrix().AppendRow();
  }
  TableViewElem& cell = doc.Matrix().Cell(row, kFirstRunColumn);
  cell.doseMarked = true;
  cell.dosePosition = position;
  cell.start = position;
  cell.end = TickPosition(position.Block(), position.Tick() + 10);
  cell.responseAdded = true;
  cell.response = 3.5;
  cell.text = "3.5";
}

TEST(DocumentTest, ResetReplacesTheMatrixTheHostKeeps) {
  TestChart t(TwoBlockRecording());
  t.Doc().Matrix().AppendRow();
  t.Doc().Reset();
  std::uint32_t type = 0;
  t.Doc().Matrix().GetChildDataType(&type);
  EXPECT_EQ(t.Doc().Matrix().RowCount(), 5u);
  EXPECT_EQ(t.Chart().ChildData(type), &t.Doc().Matrix());
}

TEST(DocumentTest, PersistObjectOnlyForStreamZeroOfTheStateKind) {
  TestChart t;
  IPersistStream* stream = nullptr;
  EXPECT_EQ(t.Doc().GetPersistObject(0, kStreamKindState, &stream), kOk);
  ASSERT_NE(stream, nullptr);
  Adopt(stream);
  EXPECT_EQ(t.Doc().GetPersistObject(1, kStreamKindState, &stream), kFalse);
  EXPECT_EQ(stream, nullptr);
  EXPECT_EQ(t.Doc().GetPersistObject(0, 1, &stream), kFalse);
}

TEST(DocumentTest, KeysTheUserClearedOrAnotherCommandHoldsAreNotGiven) {
  TestChart t(Strata::Recording{}, false);
  // The user removed the key of Add Response in an earlier session: the command is known.
  t.Host().Shortcuts().RegisterCommand(kShortcutCategory, kAddResponseCommand, kAddResponseCommand,
                                       0);
  t.AttachTessel();
  EXPECT_EQ(t.Doc().MarkDoseKey(), 0x00710001u);
  EXPECT_EQ(t.Doc().AddResponseKey(), 0u);
  EXPECT_TRUE(t.Messages().Messages().empty());
  CountingView table(ViewKind::kTable);
  t.Doc().AttachView(&table);
  Testing::ExpectOneMessage(t.Messages(), "keys-unassigned", MessageIcon::kInformation);
  t.Doc().DetachView(&table);
  // A key another command holds is not given to Mark Dose either.
  TestChart taken(Strata::Recording{}, false);
  taken.Host().Shortcuts().RegisterCommand("Chart", "Zoom", "Zoom", kDefaultMarkDoseKey);
  taken.AttachTessel();
  EXPECT_EQ(taken.Doc().MarkDoseKey(), 0u);
  EXPECT_EQ(taken.Doc().AddResponseKey(), kDefaultAddResponseKey);
}

TEST(DocumentTest, SavingDataOnlyAsksOnlyWhenDosesAreMarked) {
  TestChart t(TwoBlockRecording());
  EXPECT_EQ(t.Chart().PrepareSave(kSaveDataOnly, kFormatStrata), kOk);
  EXPECT_TRUE(t.Messages().Messages().empty());
  EXPECT_TRUE(t.Doc().RestrictedSave());
  EXPECT_TRUE(t.Doc().SettingsObject().Option(kOptionSaved));

  MarkAt(t.Doc(), TickPosition(0, 100));
  for (MessageAnswer answer : {MessageAnswer::kNo, MessageAnswer::kYes}) {
    t.Messages().Answer(answer);
    EXPECT_EQ(t.Chart().PrepareSave(kSaveDataOnly, kFormatStrata),
              answer == MessageAnswer::kYes ? kOk : kFail);
    Testing::ExpectOneMessage(t.Messages(), "save-data-only", MessageIcon::kWarning,
                              MessageButtons::kYesNo);
  }
  // An ordinary save keeps everything and asks nothing.
  EXPECT_EQ(t.Chart().PrepareSave(kSaveNormal, kFormatStrata), kOk);
  EXPECT_FALSE(t.Doc().RestrictedSave());
  EXPECT_TRUE(t.Messages().Messages().empty());
  EXPECT_EQ(t.Chart().PrepareSave(kSaveNormal, kFormatRestricted), kOk);
  EXPECT_TRUE(t.Doc().RestrictedSave());
}

// Data deleted after every dose goes without a question; at the dose itself, before it in its
// block, or in an earlier block than the dose, the user is asked and No refuses the deletion.
TEST(DocumentTest, DeletingDataAtOrBeforeADoseAsksAndNoRefusesTheChange) {
  const struct {
    TickPosition dose, from;
    bool asks;
  } cases[] = {{{0, 100}, {0, 101}, false},
               {{0, 100}, {0, 100}, true},
               {{0, 100}, {0, 5}, true},
               {{1, 3}, {0, 999}, true}};
  for (const auto& c : cases) {
    TestChart t(TwoBlockRecording());
    MarkAt(t.Doc(), c.dose);
    t.Messages().Answer(MessageAnswer::kNo);
    EXPECT_EQ(t.Chart().DeleteDataFrom(c.from), !c.asks);
    if (c.asks) {
      Testing::ExpectOneMessage(t.Messages(), "delete-data", MessageIcon::kWarning,
                                MessageButtons::kYesNo);
    }
    EXPECT_TRUE(t.Messages().Messages().empty());
    EXPECT_EQ(t.Chart().Data().BlockCount(), c.asks ? 2 : 1);
    EXPECT_TRUE(t.Doc().Matrix().Cell(4, 2).doseMarked);
    EXPECT_EQ(t.Doc().Matrix().Cell(4, 2).responseAdded, true);
  }
}

TEST(DocumentTest, DeletingDataConfirmedClearsEveryMarkAndResponse) {
  TestChart t(TwoBlockRecording());
  MarkAt(t.Doc(), TickPosition(0, 100), 4);
  MarkAt(t.Doc(), TickPosition(0, 10), 5);
  t.Doc().Matrix().Cell(5, kDoseColumn).text = "10";
  CountingView table(ViewKind::kTable);
  CountingView analysis(ViewKind::kAnalysis);
  t.Messages().Answer(MessageAnswer::kYes);  // nothing asked on attach: keys are assigned
  t.Doc().AttachView(&table);
  t.Doc().AttachView(&analysis);
  EXPECT_TRUE(t.Chart().DeleteDataFrom(TickPosition(0, 50)));
  for (std::uint32_t row : {4u, 5u}) {
    const TableViewElem& cell = t.Doc().Matrix().Cell(row, 2);
    EXPECT_FALSE(cell.doseMarked);
    EXPECT_FALSE(cell.responseAdded);
    EXPECT_EQ(cell.response, 0.0);
    EXPECT_EQ(cell.text, "");
    EXPECT_EQ(cell.dosePosition, TickPosition());
  }
  // Doses themselves stay in the table.
  EXPECT_EQ(t.Doc().Matrix().Cell(5, kDoseColumn).text, "10");
  EXPECT_EQ(analysis.rangeFrom, kNoRange);
  EXPECT_EQ(analysis.rangeTo, kNoRange);
  EXPECT_EQ(t.Chart().Data().BlockAt(0).Ticks(), 50u);
  t.Doc().DetachView(&table);
  t.Doc().DetachView(&analysis);
}

TEST(DocumentTest, ChangesAnnouncedOnlyAfterwardsDeleteWithoutAsking) {
  TestChart t(TwoBlockRecording());
  MarkAt(t.Doc(), TickPosition(0, 100));
  ASSERT_TRUE(t.Chart().ReplaceSamples(0, TickPosition(0, 200), {1.0f, 2.0f}));
  EXPECT_TRUE(t.Doc().Matrix().Cell(4, 2).doseMarked);
  ASSERT_TRUE(t.Chart().ReplaceSamples(0, TickPosition(0, 90), {1.0f, 2.0f}));
  EXPECT_FALSE(t.Doc().Matrix().Cell(4, 2).doseMarked);
  EXPECT_TRUE(t.Messages().Messages().empty());
}

TEST(DocumentTest, CloseUnregistersHookAndSinkExactlyOnce) {
  TestChart t(TwoBlockRecording());
  EXPECT_EQ(t.Chart().HookRegistrations(), 1);
  EXPECT_EQ(t.Chart().SinkRegistrations(), 1);
  EXPECT_EQ(t.Doc().Close(), kOk);
  EXPECT_EQ(t.Doc().Close(), kOk);
  t.Chart().Close();
  EXPECT_EQ(t.Chart().HookUnregistrations(), 1);
  EXPECT_EQ(t.Chart().SinkUnregistrations(), 1);
  EXPECT_EQ(t.Chart().RegisteredHooks(), 0u);
  EXPECT_EQ(t.Chart().RegisteredSinks(), 0u);
}

TEST(DocumentTest, SamplingFollowsTheHostsRecording) {
  TestChart t(TwoBlockRecording());
  CountingView table(ViewKind::kTable);
  t.Doc().AttachView(&table);
  const int refreshes = table.refreshed;
  EXPECT_FALSE(t.Doc().Sampling());
  t.Chart().StartSampling(0.01);
  EXPECT_TRUE(t.Doc().Sampling());
  EXPECT_FALSE(t.Doc().SettingsObject().Option(kOptionMonitorOnly));
  EXPECT_GT(table.refreshed, refreshes);
  t.Chart().AppendFrames({{1.0f, 2.0f}, {3.0f, 4.0f}});
  EXPECT_TRUE(t.Doc().Sampling());
  t.Chart().StopSampling();
  EXPECT_FALSE(t.Doc().Sampling());
  t.Chart().StartSampling(0.01, true, true);
  EXPECT_TRUE(t.Doc().SettingsObject().Option(kOptionMonitorOnly));
  t.Chart().StopSampling(true);
  EXPECT_FALSE(t.Doc().Sampling());
  EXPECT_EQ(t.Doc().UpdateInterval(), 100);
  t.Doc().DetachView(&table);
}

TEST(DocumentTest, ViewsAreRefreshedWhileAttachedOnly) {
  TestChart t;
  CountingView results(ViewKind::kResults);
  CountingView table(ViewKind::kTable);
  t.Doc().AttachView(&results);
  EXPECT_EQ(results.refreshed, 1);
  EXPECT_TRUE(t.Doc().ViewOpen(ViewKind::kResults));
  t.Doc().AttachView(&table);
  results.refreshed = table.refreshed = 0;
  // Every open view is invalidated and refreshed, then the Table, Results and Analysis Views are
  // refreshed once more so that they show what the others recomputed.
  t.Doc().UpdateAllViews();
  EXPECT_EQ(table.refreshed, 2);
  EXPECT_EQ(results.refreshed, 2);
  EXPECT_EQ(results.invalidated, 1);
  t.Doc().DetachView(&table);
  // A measurement with an unknown calculation type stops before the fits are refreshed.
  TableViewElem& cell = t.Doc().Matrix().Cell(kFirstDoseRow, kFirstRunColumn);
  cell.responseAdded = true;
  t.Doc().Settings().calcType = 7;
  EXPECT_FALSE(t.Doc().CalculateResponse(kFirstRunColumn, kFirstDoseRow));
  EXPECT_EQ(results.refreshed, 2);
  EXPECT_EQ(cell.response, 0.0);
  // The host tells the matrix the recording changed: every open view redraws.
  t.Doc().Matrix().Notify(kChildDataRecordingChanged);
  EXPECT_EQ(results.refreshed, 4);
  t.Doc().Matrix().Notify(0x20000000u);
  EXPECT_EQ(results.refreshed, 4);
  t.Doc().DetachView(&results);
  EXPECT_FALSE(t.Doc().ViewOpen(ViewKind::kResults));
  t.Doc().UpdateAllViews();
  EXPECT_EQ(results.refreshed, 4);
}

TEST(DocumentTest, MarksAndResponsesAreQueriedAndCleared) {
  TestChart t(TwoBlockRecording());
  EXPECT_FALSE(t.Doc().HasDoseMarks());
  EXPECT_EQ(t.Doc().DocumentFlag(), 0);
  MarkAt(t.Doc(), TickPosition(1, 20));
  EXPECT_TRUE(t.Doc().HasDoseMarks());
  EXPECT_EQ(t.Doc().DocumentFlag(), 0xFFFF);
  EXPECT_TRUE(t.Doc().AnyMarkAtOrAfter(TickPosition(1, 20)));
  EXPECT_TRUE(t.Doc().AnyMarkAtOrAfter(TickPosition(0, 999)));
  EXPECT_FALSE(t.Doc().AnyMarkAtOrAfter(TickPosition(1, 21)));
  t.Doc().SetResponseAdded(4, 2, false);
  const TableViewElem& cell = t.Doc().Matrix().Cell(4, 2);
  EXPECT_FALSE(cell.responseAdded);
  EXPECT_EQ(cell.response, 0.0);
  EXPECT_EQ(cell.start, TickPosition());
  EXPECT_TRUE(cell.doseMarked);
  t.Doc().ClearDoseMark(4, 2);
  EXPECT_FALSE(t.Doc().HasDoseMarks());
  // Out of the matrix: nothing happens.
  t.Doc().ClearDoseMark(40, 2);
  t.Doc().SetResponseAdded(4, 40, true);
  EXPECT_EQ(t.Doc().Matrix().ColumnCount(), 3u);
}

TEST(DocumentTest, RepeatLabelsTellTheHostTheDocumentChanged) {
  TestChart t;
  const int before = t.Chart().ModifiedCount();
  t.Doc().UpdateRepeatLabels();
  EXPECT_EQ(t.Chart().ModifiedCount(), before + 1);
}

TEST(DocumentTest, ShortcutKeysReachTheCurrentDocumentsTableView) {
  TestChart t;
  CountingView table(ViewKind::kTable);
  t.Doc().AttachView(&table);
  KeyboardHook::SetCurrentDocument(t.DocRef());
  for (const Testing::DataRow& c : Testing::DataTable("document/shortcut-keys.txt")) {
    table.marks = table.adds = 0;
    KeyboardHook::HandleKey(0, static_cast<std::uint32_t>(std::stoul(c[1], nullptr, 0)),
                            static_cast<std::uint32_t>(std::stoul(c[2], nullptr, 0)),
                            KeyModifiers{c.Flag(3), c.Flag(4), c.Flag(5)});
    EXPECT_EQ(table.marks, c.Int(6)) << c.where;
    EXPECT_EQ(table.adds, c.Int(7)) << c.where;
  }
  KeyboardHook::SetCurrentDocument(nullptr);
  table.marks = 0;
  EXPECT_FALSE(KeyboardHook::HandleKey(0, 0x71, 0, {}));
  EXPECT_EQ(table.marks, 0);
  t.Doc().DetachView(&table);
  // A key coded with Shift needs Shift when one modifier is held; no key matches nothing.
  const std::uint32_t shiftF2 = 0x00710000u | kAccelVirtKey | kAccelShift;
  EXPECT_TRUE(KeyboardHook::Matches(shiftF2, 0x71, {true, false, false}));
  EXPECT_FALSE(KeyboardHook::Matches(shiftF2, 0x71, {false, true, false}));
  EXPECT_TRUE(KeyboardHook::Matches(shiftF2, 0x71, {}));
  EXPECT_FALSE(KeyboardHook::Matches(0, 0, {}));
}

TEST(DocumentTest, TheLastDocumentDestroyedRemovesTheKeyboardHook) {
  {
    TestChart t;
    EXPECT_TRUE(KeyboardHook::Installed());
  }
  EXPECT_FALSE(KeyboardHook::Installed());
  TestChart again;
  EXPECT_TRUE(KeyboardHook::Installed());
}

}  // namespace
}  // namespace Tessel
