#include "strata/storage/StrataFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "StorageFixture.h"
#include "support/TestData.h"
#include "tessel/persist/PersistFixture.h"

namespace Strata {
namespace {

using Testing::Classes;
using Testing::TempDir;
using Testing::TesselOf;

Recording RichRecording() {
  Recording rec =
      Testing::RecordingBuilder()
          .Block(0.001, 400)
          .Block(0.25, 7)
          .Channel("Pressure", "mmHg", [](double t) { return 80.0 + 20.0 * std::sin(t); })
          .Channel("Flow \xC2\xB5L", "\xC2\xB5L/min", [](double t) { return -t; })
          .Channel("Empty units", "", [](double) { return 0.0; })
          .Comment(-1, 0, 10, "Start")
          .Comment(0, 0, 10, "0.001 Control")
          .Comment(2, 1, 7, "end of block \xE2\x82\xAC")
          .Build();
  // Values a text format would lose: negative zero, the smallest subnormal, infinity.
  rec.BlockAt(1).samples[2] = {-0.0f,
                               std::numeric_limits<float>::denorm_min(),
                               std::numeric_limits<float>::infinity(),
                               1e-38f,
                               3.0f,
                               4.0f,
                               5.0f};
  return rec;
}

// A chart of the rich recording, and a folder of its own for the files.
class StrataFileTest : public ::testing::Test {
 protected:
  StrataFile::Opened Open(const std::string& path) {
    return StrataFile::Open(path, Tessel::Ref<Host>(&chart.Host()), Classes());
  }
  TempDir folder;
  Testing::TestChart chart{RichRecording()};
};

TEST_F(StrataFileTest, ReopeningGivesTheSameRecordingAndTesselState) {
  const std::string path = folder / "experiment.strata";
  Testing::FillEverything(chart.Doc());
  ASSERT_EQ(StrataFile::Save(path, chart.Chart(), Classes()), "");

  StrataFile::Opened opened = Open(path);
  ASSERT_EQ(opened.error, "");
  ASSERT_TRUE(opened.chart);
  const Recording& a = chart.Chart().Data();
  const Recording& b = opened.chart->Data();
  EXPECT_TRUE(b == a);
  // Equal recordings have equal comments, start times and units; -0.0 equals 0.0, so its sign
  // is looked at.
  EXPECT_TRUE(std::signbit(b.BlockAt(1).samples[2][0]));

  Tessel::Document* doc = TesselOf(*opened.chart);
  ASSERT_NE(doc, nullptr);
  EXPECT_EQ(doc->Settings(), chart.Doc().Settings());
  EXPECT_TRUE(doc->Matrix() == chart.Doc().Matrix());
  EXPECT_EQ(doc->TableViewState(), chart.Doc().TableViewState());
  EXPECT_EQ(doc->SelectionToRestore()[0], chart.Doc().SelectionStart());
  EXPECT_EQ(doc->SelectionToRestore()[1], chart.Doc().SelectionEnd());
  EXPECT_TRUE(doc->SettingsRead());
  std::uint32_t type = 0;
  doc->Matrix().GetChildDataType(&type);
  EXPECT_EQ(opened.chart->ChildData(type), &doc->Matrix());
  // A save that reached the disk leaves the state clean; the option flag it set is cleared.
  EXPECT_EQ(chart.Doc().SettingsObject().IsDirty(), Tessel::kFalse);
  EXPECT_FALSE(chart.Doc().SettingsObject().Option(Tessel::kOptionSaved));
  opened.chart->Close();
}

TEST_F(StrataFileTest, EmptyRecordingKeepsTheTableWithoutResponses) {
  const std::string path = folder / "empty.strata";
  Testing::TestChart empty;
  empty.Doc().Matrix().Cell(4, 1).text = "5";
  empty.Doc().Matrix().Cell(4, 1).flags = 0x03;
  empty.Doc().Settings().calcType = 2;
  ASSERT_EQ(StrataFile::Save(path, empty.Chart(), Classes()), "");
  StrataFile::Opened opened = Open(path);
  ASSERT_TRUE(opened.chart) << opened.error;
  Tessel::Document* doc = TesselOf(*opened.chart);
  ASSERT_NE(doc, nullptr);
  // The saved flag tells Initialise that the empty recording was saved so: no reset.
  EXPECT_EQ(doc->Matrix().Cell(4, 1).text, "5");
  EXPECT_EQ(doc->Matrix().Cell(4, 1).value, 5.0);
  EXPECT_EQ(doc->Settings().calcType, 2);
  opened.chart->Close();
}

TEST_F(StrataFileTest, FilesThatCannotBeReadAreRefusedWithTheReason) {
  const std::string good = folder / "good.strata";
  ASSERT_EQ(StrataFile::Save(good, chart.Chart(), Classes()), "");
  for (const Testing::DataRow& c : Testing::DataTable("storage/refusals.txt")) {
    const std::string path = folder / c[0];
    if (c[1] == "text") {
      Testing::WriteFile(path, c[2]);
    } else if (c[1] == "folder") {
      std::filesystem::create_directory(path);
    } else if (c[1] == "foreign") {
      Testing::Patch(path, "CREATE TABLE t(x)");
    } else if (c[1] != "missing") {
      std::filesystem::copy_file(good, path);
      Testing::Patch(path, (c[1] == "format1" ? Testing::kAsFormatOne : "") + c[2]);
    }
    StrataFile::Opened opened = Open(path);
    EXPECT_FALSE(opened.chart) << c.where;
    EXPECT_EQ(opened.error, "Cannot open \"" + path + "\": " + c[3] + ".") << c.where;
  }
}

TEST_F(StrataFileTest, TruncatedFilesAreRefusedAtEveryLength) {
  Testing::FillEverything(chart.Doc());
  const std::string good = folder / "good.strata";
  ASSERT_EQ(StrataFile::Save(good, chart.Chart(), Classes()), "");
  const std::string bytes = Testing::ReadFile(good);
  const std::string path = folder / "cut.strata";
  // Cuts at many places, inside the header, inside pages and at page boundaries.
  for (size_t cut = 0; cut < bytes.size(); cut += cut < 128 ? 7 : 1021) {
    Testing::WriteFile(path, bytes.substr(0, cut));
    StrataFile::Opened opened = Open(path);
    EXPECT_FALSE(opened.chart) << cut;
    const std::string reason = cut < 16 ? "it is not a Strata document"
                               : cut < 100
                                   ? "it is damaged (the file ends inside its header)"
                                   : "it is damaged (the file ends after " + std::to_string(cut) +
                                         " of its " + std::to_string(bytes.size()) + " bytes)";
    EXPECT_EQ(opened.error, "Cannot open \"" + path + "\": " + reason + ".");
  }
}

TEST_F(StrataFileTest, CancelledSaveLeavesTheOldFile) {
  const std::string path = folder / "a.strata";
  ASSERT_EQ(StrataFile::Save(path, chart.Chart(), Classes()), "");
  const auto before = Testing::ReadFile(path);
  chart.Doc().Matrix().Cell(4, 2).doseMarked = true;
  chart.Messages().Answer(Tessel::MessageAnswer::kNo);
  EXPECT_EQ(StrataFile::Save(path, chart.Chart(), Classes(), Tessel::kSaveDataOnly),
            "Cannot save \"" + path + "\": the save was cancelled.");
  Testing::ExpectOneMessage(chart.Messages(), "save-data-only", Tessel::MessageIcon::kWarning,
                            Tessel::MessageButtons::kYesNo);
  EXPECT_EQ(Testing::ReadFile(path), before);
}

TEST_F(StrataFileTest, SavesThatCannotBeWrittenSayWhyAndLeaveNoTrace) {
  const std::string missing = (folder / "missing") + "/a.strata";
  EXPECT_EQ(StrataFile::Save(missing, chart.Chart(), Classes()),
            "Cannot save \"" + missing + "\": no file can be created in the folder \"" +
                (folder / "missing") + "\" (No such file or directory).");
  const std::string dir = folder / "taken.strata";
  std::filesystem::create_directory(dir);
  EXPECT_EQ(StrataFile::Save(dir, chart.Chart(), Classes()),
            "Cannot save \"" + dir + "\": the old file could not be replaced (Is a directory).");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// A disk that fills up in the middle of the save, in a child process.
TEST_F(StrataFileTest, FullDiskKeepsTheOldFileAndTheDocument) {
  const std::string path = folder / "a.strata";
  ASSERT_EQ(StrataFile::Save(path, chart.Chart(), Classes()), "");
  const auto before = Testing::ReadFile(path);
  chart.Chart().Data().BlockAt(0).samples[0].assign(400, 1.0f);
  for (int i = 0; i < 60000; ++i) {
    chart.Chart().Data().AppendFrame(1, {1.0f, 2.0f, 3.0f});
  }
  chart.Doc().SettingsObject().SetDirty(true);
  const std::string outcome = Testing::InChildWithFileLimit(64 * 1024, [&] {
    const std::string error = StrataFile::Save(path, chart.Chart(), Classes());
    const bool unchanged = chart.Doc().SettingsObject().IsDirty() == Tessel::kOk &&
                           chart.Chart().Data().BlockAt(1).Ticks() == 60007;
    return error + (unchanged ? "" : " The document changed.");
  });
  EXPECT_EQ(outcome, "Cannot save \"" + path + "\": writing failed (disk I/O error).");
  EXPECT_EQ(Testing::ReadFile(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace Strata
