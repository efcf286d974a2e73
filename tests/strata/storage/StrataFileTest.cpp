#include "strata/storage/StrataFile.h"

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <cmath>
#include <csignal>
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

TEST(StrataFileTest, ReopeningGivesTheSameRecordingAndTesselState) {
  TempDir folder;
  const std::string path = folder / "experiment.strata";
  Testing::TestChart chart(RichRecording());
  Testing::FillEverything(chart.Doc());
  ASSERT_EQ(StrataFile::Save(path, chart.Chart(), Classes()), "");

  StrataFile::Opened opened = StrataFile::Open(path, Tessel::Ref<Host>(&chart.Host()), Classes());
  ASSERT_EQ(opened.error, "");
  ASSERT_TRUE(opened.chart);
  const Recording& a = chart.Chart().Data();
  const Recording& b = opened.chart->Data();
  EXPECT_TRUE(b == a);
  EXPECT_TRUE(std::signbit(b.BlockAt(1).samples[2][0]));
  ASSERT_EQ(b.Comments().size(), 3u);
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(b.Comments()[i].text, a.Comments()[i].text);
    EXPECT_EQ(b.Comments()[i].channel, a.Comments()[i].channel);
    EXPECT_EQ(b.Comments()[i].position, a.Comments()[i].position);
  }
  EXPECT_EQ(b.BlockAt(1).startTime, a.BlockAt(1).startTime);
  EXPECT_EQ(b.BlockAt(1).units, a.BlockAt(1).units);

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

TEST(StrataFileTest, EmptyRecordingKeepsTheTableWithoutResponses) {
  TempDir folder;
  const std::string path = folder / "empty.strata";
  Testing::TestChart chart;
  chart.Doc().Matrix().Cell(4, 1).text = "5";
  chart.Doc().Matrix().Cell(4, 1).flags = 0x03;
  chart.Doc().Settings().calcType = 2;
  ASSERT_EQ(StrataFile::Save(path, chart.Chart(), Classes()), "");
  StrataFile::Opened opened = StrataFile::Open(path, Tessel::Ref<Host>(&chart.Host()), Classes());
  ASSERT_TRUE(opened.chart) << opened.error;
  Tessel::Document* doc = TesselOf(*opened.chart);
  ASSERT_NE(doc, nullptr);
  // The saved flag tells Initialise that the empty recording was saved so: no reset.
  EXPECT_EQ(doc->Matrix().Cell(4, 1).text, "5");
  EXPECT_EQ(doc->Matrix().Cell(4, 1).value, 5.0);
  EXPECT_EQ(doc->Settings().calcType, 2);
  opened.chart->Close();
}

TEST(StrataFileTest, FilesThatCannotBeReadAreRefusedWithTheReason) {
  TempDir folder;
  Testing::TestChart chart(RichRecording());
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
    StrataFile::Opened opened = StrataFile::Open(path, Tessel::Ref<Host>(&chart.Host()), Classes());
    EXPECT_FALSE(opened.chart) << c.where;
    EXPECT_EQ(opened.error, "Cannot open \"" + path + "\": " + c[3] + ".") << c.where;
  }
}

TEST(StrataFileTest, TruncatedFilesAreRefusedAtEveryLength) {
  TempDir folder;
  Testing::TestChart chart(RichRecording());
  Testing::FillEverything(chart.Doc());
  const std::string good = folder / "good.strata";
  ASSERT_EQ(StrataFile::Save(good, chart.Chart(), Classes()), "");
  const std::vector<std::uint8_t> bytes = Testing::FileBytes(good);
  const std::string path = folder / "cut.strata";
  // Cuts at many places, inside the header, inside pages and at page boundaries.
  for (size_t cut = 0; cut < bytes.size(); cut += cut < 128 ? 7 : 1021) {
    Testing::WriteFile(path, std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + cut));
    StrataFile::Opened opened = StrataFile::Open(path, Tessel::Ref<Host>(&chart.Host()), Classes());
    EXPECT_FALSE(opened.chart) << cut;
    const std::string reason = cut < 16 ? "it is not a Strata document"
                               : cut < 100
                                   ? "it is damaged (the file ends inside its header)"
                                   : "it is damaged (the file ends after " + std::to_string(cut) +
                                         " of its " + std::to_string(bytes.size()) + " bytes)";
    EXPECT_EQ(opened.error, "Cannot open \"" + path + "\": " + reason + ".");
  }
}

TEST(StrataFileTest, CancelledSaveLeavesTheOldFile) {
  TempDir folder;
  const std::string path = folder / "a.strata";
  Testing::TestChart chart(RichRecording());
  ASSERT_EQ(StrataFile::Save(path, chart.Chart(), Classes()), "");
  const auto before = Testing::FileBytes(path);
  chart.Doc().Matrix().Cell(4, 2).doseMarked = true;
  chart.Messages().Answer(Tessel::MessageAnswer::kNo);
  EXPECT_EQ(StrataFile::Save(path, chart.Chart(), Classes(), Tessel::kSaveDataOnly),
            "Cannot save \"" + path + "\": the save was cancelled.");
  ASSERT_EQ(chart.Messages().Messages().size(), 1u);
  const auto& shown = chart.Messages().Messages()[0];
  EXPECT_EQ(shown.text, "No Tessel data will be saved.\n\nDo you want to save anyway?");
  EXPECT_EQ(shown.caption, "Tessel");
  EXPECT_EQ(shown.icon, Tessel::MessageIcon::kWarning);
  EXPECT_EQ(Testing::FileBytes(path), before);
}

TEST(StrataFileTest, SavesThatCannotBeWrittenSayWhyAndLeaveNoTrace) {
  TempDir folder;
  Testing::TestChart chart(RichRecording());
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

// A disk that fills up in the middle of the save: file sizes are limited in a child process,
// which reports back through its exit status.
TEST(StrataFileTest, FullDiskKeepsTheOldFileAndTheDocument) {
  TempDir folder;
  const std::string path = folder / "a.strata";
  Testing::TestChart chart(RichRecording());
  ASSERT_EQ(StrataFile::Save(path, chart.Chart(), Classes()), "");
  const auto before = Testing::FileBytes(path);
  chart.Chart().Data().BlockAt(0).samples[0].assign(400, 1.0f);
  for (int i = 0; i < 60000; ++i) {
    chart.Chart().Data().AppendFrame(1, {1.0f, 2.0f, 3.0f});
  }
  chart.Doc().SettingsObject().SetDirty(true);
  const pid_t pid = ::fork();
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{64 * 1024, 64 * 1024};
    ::setrlimit(RLIMIT_FSIZE, &limit);
    const std::string error = StrataFile::Save(path, chart.Chart(), Classes());
    const bool said = error == "Cannot save \"" + path + "\": writing failed (disk I/O error).";
    const bool unchanged = chart.Doc().SettingsObject().IsDirty() == Tessel::kOk &&
                           chart.Chart().Data().BlockAt(1).Ticks() == 60007;
    ::_exit(said && unchanged ? 0 : 1);
  }
  int status = 0;
  ASSERT_EQ(::waitpid(pid, &status, 0), pid);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_EQ(Testing::FileBytes(path), before);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

}  // namespace
}  // namespace Strata
