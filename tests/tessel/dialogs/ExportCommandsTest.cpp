#include "tessel/views/ExportCommands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/TempFiles.h"
#include "support/TestRecording.h"

namespace Tessel {
namespace {

namespace fs = std::filesystem;

// The save dialog, answered from the test: the name typed (relative to the test's folder), or
// Cancel.
struct ScriptedChooser : ISaveFileChooser {
  std::optional<std::string> ChooseSaveFile(const SaveFileRequest& request) override {
    asked.push_back(request);
    return answer;
  }
  std::optional<std::string> answer;
  std::vector<SaveFileRequest> asked;
};

// A document with Tessel's Table View open or not, and a folder for its files.
class ExportCommandsTest : public ::testing::Test {
 protected:
  void Open(bool tableView) {
    if (tableView) {
      t.Doc().AttachView(&table);
    } else {
      t.Doc().DetachView(&table);
    }
    t.Messages().Clear();
  }
  void Answer(const std::optional<std::string>& name) {
    chooser.answer = name ? std::optional<std::string>(dir / *name) : std::nullopt;
  }
  std::vector<std::string> Files() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir.path())) {
      names.push_back(entry.path().filename().string());
    }
    return names;
  }
  void TearDown() override { t.Doc().DetachView(&table); }

  Testing::TestChart t{Testing::Bath(100, {})};
  Testing::CountingView table{ViewKind::kTable};
  Testing::TempDir dir;
  ScriptedChooser chooser;
};

TEST_F(ExportCommandsTest, TextGoesThroughTheTableViewOnlyWhileItIsOpen) {
  struct Case {
    const char* name;
    bool tableView;
    bool folderFound;
    std::optional<std::string> typed;
    std::vector<std::string> files;
    bool failed;  // the message was shown
  };
  const Case cases[] = {
      {"view: the dialog adds .txt", true, true, "table", {"table.txt"}, false},
      {"view: a name with an extension keeps it", true, true, "table.bak", {"table.bak"}, false},
      {"document: .txt added unless there", false, true, "table.bak", {"table.bak.txt"}, false},
      {"document: any case counts", false, true, "T.TXT", {"T.TXT"}, false},
      {"view: cancel is no failure", true, true, std::nullopt, {}, false},
      {"document: cancel is silent", false, true, std::nullopt, {}, false},
      {"view: no documents folder fails", true, false, "table", {}, true},
      {"document: no documents folder is silent", false, false, "table", {}, false},
      {"view: cannot write", true, true, "missing/table.txt", {}, true},
      {"document: cannot write", false, true, "missing/table.txt", {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Open(c.tableView);
    Answer(c.typed);
    chooser.asked.clear();
    const std::optional<std::string> folder =
        c.folderFound ? std::optional<std::string>(dir.path().string()) : std::nullopt;
    EXPECT_EQ(ExportToText(t.Doc(), chooser, folder), !c.failed);
    EXPECT_EQ(Files(), c.files);
    if (c.failed) {
      Testing::ExpectOneMessage(t.Messages(), "cannot-write", MessageIcon::kError);
    }
    EXPECT_TRUE(t.Messages().Messages().empty());
    ASSERT_EQ(chooser.asked.size(), c.folderFound ? 1u : 0u);
    if (c.folderFound) {
      const SaveFileRequest& r = chooser.asked[0];
      EXPECT_EQ(r.owner, c.tableView ? SaveDialogOwner::kTableView : SaveDialogOwner::kMainWindow);
      EXPECT_EQ(r.title, "Export Tessel Table as Text");
      EXPECT_EQ(r.filters,
                (std::vector<FileFilter>{{"Tessel Table View Text File (*.txt)", "*.txt"}}));
      EXPECT_EQ(r.filterIndex, c.tableView ? 1 : 0);
      EXPECT_EQ(r.defaultExtension, "txt");
      EXPECT_EQ(r.initialFolder, dir.path().string());
      EXPECT_EQ(r.nameBuffer, c.tableView ? 256u : 260u);
    }
    if (!c.files.empty()) {
      EXPECT_EQ(t.Host().Progress().Title(),
                c.tableView ? "Export Tessel Table as Text" : "Exporting Table View");
      EXPECT_EQ(Testing::ReadFile(dir.path() / c.files[0]), "\t\r\n\t\r\nDose\t\r\n\t\r\n");
    }
    fs::remove_all(dir.path());
    fs::create_directory(dir.path());
  }
}

// A name the dialog's buffer cannot hold, terminating null included, ends the dialog as if it
// was cancelled.
TEST_F(ExportCommandsTest, NamesLongerThanTheDialogsBufferAreNotWritten) {
  struct Case {
    bool tableView;
    size_t length;  // of the whole path, ".txt" included
    bool written;
  };
  const Case cases[] = {
      {true, 255, true}, {true, 256, false}, {false, 259, true}, {false, 260, false}};
  const size_t folder = dir.path().string().size() + 1;
  ASSERT_LT(folder + 8, 255u);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.length);
    Open(c.tableView);
    const std::string name = std::string(c.length - folder - 4, 'n') + ".txt";
    Answer(name);
    EXPECT_TRUE(ExportToText(t.Doc(), chooser, dir.path().string()));
    EXPECT_EQ(fs::exists(dir.path() / name), c.written);
    EXPECT_TRUE(t.Messages().Messages().empty());
    fs::remove(dir.path() / name);
  }
}

TEST_F(ExportCommandsTest, StopRemovesThePartialFileQuietly) {
  Open(false);
  Answer("stopped.txt");
  t.Host().Progress().PressStopAfter(1);
  EXPECT_TRUE(ExportToText(t.Doc(), chooser, dir.path().string()));
  EXPECT_EQ(t.Host().Progress().Texts(), (std::vector<std::string>{"25 %"}));
  EXPECT_TRUE(Files().empty());
  EXPECT_TRUE(t.Messages().Messages().empty());
}

// Each text export remembers the percentage it showed last, as one writer does.
TEST_F(ExportCommandsTest, EachExportRemembersItsLastPercentage) {
  for (const std::uint32_t row : {4u, 3u, 2u}) {
    t.Doc().Matrix().DeleteRow(row);  // one row after the column letters: 0 then 100 %
  }
  Answer("one.txt");
  const struct {
    bool tableView;
    std::vector<std::string> texts;
  } runs[] = {{false, {"100 %"}}, {false, {}}, {true, {"100 %"}}, {true, {}}, {false, {}}};
  for (const auto& run : runs) {
    Open(run.tableView);
    EXPECT_TRUE(ExportToText(t.Doc(), chooser, dir.path().string()));
    EXPECT_EQ(t.Host().Progress().Texts(), run.texts);
  }
  EXPECT_EQ(Testing::ReadFile(dir / "one.txt"), "\t\r\n");
}

TEST_F(ExportCommandsTest, XmlAddsItsExtensionAndReportsWhatCannotBeWritten) {
  struct Case {
    bool folderFound;
    std::optional<std::string> typed;
    std::vector<std::string> files;
    bool failed;
  };
  const Case cases[] = {
      {false, "table", {}, false},
      {true, std::nullopt, {}, false},
      {true, "Table.XML", {"Table.XML"}, false},
      {true, "table", {"table.xml"}, false},
      {true, "table.xml.bak", {"table.xml.bak.xml"}, false},
      {true, "missing/table.xml", {}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.value_or("(cancel)"));
    Open(false);
    Answer(c.typed);
    chooser.asked.clear();
    const std::optional<std::string> folder =
        c.folderFound ? std::optional<std::string>(dir.path().string()) : std::nullopt;
    EXPECT_EQ(ExportToXml(t.Doc(), chooser, folder), !c.failed);
    EXPECT_EQ(Files(), c.files);
    if (c.failed) {
      Testing::ExpectOneMessage(t.Messages(), "cannot-write", MessageIcon::kError);
    }
    EXPECT_TRUE(t.Messages().Messages().empty());
    ASSERT_EQ(chooser.asked.size(), c.folderFound ? 1u : 0u);
    if (c.folderFound) {
      EXPECT_EQ(chooser.asked[0].title, "Export Tessel Table as XML");
      EXPECT_EQ(chooser.asked[0].filters,
                (std::vector<FileFilter>{{"Prism 5 XML File (*.xml)", "*.xml"}}));
      EXPECT_EQ(chooser.asked[0].nameBuffer, 260u);
    }
    if (!c.files.empty()) {
      EXPECT_EQ(Testing::ReadFile(dir.path() / c.files[0]).rfind("<?xml version=\"1.0\"", 0), 0u);
    }
    for (const std::string& f : c.files) {
      fs::remove(dir.path() / f);
    }
  }
}

}  // namespace
}  // namespace Tessel
