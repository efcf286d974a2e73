#include "tessel/views/SettingsCommand.h"

#include <gtest/gtest.h>

#include "tessel/views/TableSession.h"

namespace Tessel {
namespace {

// What the person does in the dialog before it closes; false closes it with Cancel.
using Person = std::function<bool(TableViewSettingsDlgModel&, Document&)>;

bool Ok(TableViewSettingsDlgModel& m, Document&) {
  return m.PressOk();
}

// After a change of the settings every response is measured again and its text rewritten: a
// response whose text was spoiled shows its measured value again only then.
TEST(SettingsCommandTest, OkWithAChangeRemeasuresEveryResponse) {
  struct Case {
    const char* name;
    Person person;
    bool notifyHost;
    const char* text;  // the response's text afterwards
    bool dirty;
    int hostTold;  // change notifications the host received
  };
  const Case cases[] = {
      {"OK without a change", Ok, false, "stale", false, 0},
      {"Cancel after changes",
       [](TableViewSettingsDlgModel& m, Document&) {
         m.SelectCalcMethod(1);
         return false;
       },
       false, "stale", false, 0},
      {"OK refused, then Cancel",
       [](TableViewSettingsDlgModel& m, Document&) {
         m.SelectCalcMethod(1);
         m.SetSigFigsText("11");
         return m.PressOk();
       },
       false, "stale", false, 0},
      {"closed as OK without OK's checks",
       [](TableViewSettingsDlgModel& m, Document&) {
         m.SelectCalcMethod(1);
         return true;
       },
       false, "stale", false, 0},
      {"the advance direction",
       [](TableViewSettingsDlgModel& m, Document& d) {
         m.SetAdvanceDown(false);
         return Ok(m, d);
       },
       false, "14.5", true, 1},
      {"the method",
       [](TableViewSettingsDlgModel& m, Document& d) {
         m.SelectCalcMethod(1);  // Maximum
         return Ok(m, d);
       },
       false, "19", true, 1},
      {"the notation",
       [](TableViewSettingsDlgModel& m, Document& d) {
         m.SetScientific(true);
         m.SetSigFigsText("3");
         return Ok(m, d);
       },
       false, "1.45e+001", true, 1},
      {"an option flag alone",
       [](TableViewSettingsDlgModel& m, Document& d) {
         d.SettingsObject().SetOption(kOptionReserved3, true);
         return Ok(m, d);
       },
       false, "14.5", true, 1},
      {"sent to the host as a message",
       [](TableViewSettingsDlgModel& m, Document& d) {
         m.SetAdvanceDown(false);
         return Ok(m, d);
       },
       true, "14.5", false, 2},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Testing::TableSession s;
    s.TypeDoses({"1"});
    s.SetRunChannels({0});
    s.Table().SelectCell(4, 2);
    s.Select(0, 10, 20);
    ASSERT_EQ(s.PressF3(), kOk);
    ASSERT_EQ(s.Cell(4, 2).text, "14.5");
    Document& doc = s.Doc();
    doc.Matrix().Cell(4, 2).text = "stale";
    doc.SettingsObject().SetDirty(false);
    doc.SettingsObject().SetOption(kOptionNotifyHost, c.notifyHost);
    const DocumentSettings before = doc.Settings();
    const int told = s.Host().ModifiedCount();
    const bool changed =
        RunSettingsCommand(doc, [&](TableViewSettingsDlgModel& m) { return c.person(m, doc); });
    EXPECT_EQ(changed, c.text != std::string("stale"));
    EXPECT_EQ(s.Cell(4, 2).text, c.text);
    EXPECT_EQ(doc.SettingsObject().Dirty(), c.dirty);
    EXPECT_EQ(s.Host().ModifiedCount() - told, c.hostTold);
    if (!changed) {
      EXPECT_EQ(doc.Settings(), before);
    }
  }
}

TEST(SettingsCommandTest, HelpOpensTheSettingsTopicThroughTheHost) {
  Testing::TestChart t;
  RunSettingsCommand(t.Doc(), [](TableViewSettingsDlgModel& m) {
    m.PressHelp();
    return false;
  });
  EXPECT_EQ(t.Host().Help().Shown(), (std::vector<std::string>{"TesselHelp.chm::tsl_settings"}));
}

}  // namespace
}  // namespace Tessel
