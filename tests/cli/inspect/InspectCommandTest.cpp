#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/LinkedModule.h"
#include "cli/TesselCommand.h"
#include "strata/storage/StorageFixture.h"
#include "strata/storage/StrataFile.h"
#include "support/TesselRun.h"
#include "tessel/persist/PersistFixture.h"

namespace Cli {
namespace {

using Testing::CommandRun;
using Testing::Tessel;

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

TEST(InspectCommandTest, JsonOfAStrataDocumentHoldsEveryField) {
  Testing::TempDir folder;
  const std::string path = folder / "doc.strata";
  Testing::TestChart chart(Testing::DataRecording());
  Testing::FillEverything(chart.Doc());
  ASSERT_EQ(Strata::StrataFile::Save(path, chart.Chart(), Cli::DocumentClasses()), "");

  const CommandRun run = Tessel({"inspect", path, "--json"});
  ASSERT_EQ(run.status, 0) << run.err;
  const auto j = nlohmann::json::parse(run.out);
  EXPECT_EQ(j["formatLevel"], 20);
  EXPECT_EQ(j["settingsVersion"], 8);
  // Flag 4 is set by the save that wrote the stream.
  EXPECT_EQ(j["flags"], nlohmann::json::parse("[true, false, true, true]"));
  EXPECT_EQ(j["settings"], nlohmann::json::parse(Testing::DataText("cli/inspect-settings.json")));
  EXPECT_EQ(j["restoreSelection"], nlohmann::json::parse("[[1, 20], [2, 2147483632]]"));
  EXPECT_EQ(j["matrixVersion"], 4);
  EXPECT_EQ(j["columns"], 4);
  EXPECT_EQ(j["rows"], 6);
  ASSERT_EQ(j["cells"].size(), 4u);
  ASSERT_EQ(j["cells"][3].size(), 6u);
  EXPECT_EQ(j["cells"][3][5],
            nlohmann::json::parse(Testing::DataText("cli/inspect-last-cell.json")));
  EXPECT_EQ(j["cells"][1][4]["value"], 0.001);
}

TEST(InspectCommandTest, TextOfARawStreamShowsWhatItsVersionHolds) {
  Testing::TempDir folder;
  const std::string path = folder / "old.stream";
  Testing::StreamBytes b;
  b.Header().Int(2).Int(1).Int(0).Int(1).Int(0);
  b.Int(4).Int(9).Str(u"cc").Double(2.5).Double(9.0).Int(2).Str(u"Minimum");
  b.Int(1).Int(1).Int(1).Int(6);
  b.Int(0).Int(1).Int(1);  // matrix version 0: one cell
  b.Str(u"Dose").Double(0.0).Int(-1).Pos(0, 0).Pos(0, 0).Pos(0, 7).Str(u"").Double(0.5);
  b.Int(0x12).Int(0).Int(1);
  WriteFile(path, b.Bytes());

  const CommandRun run = Tessel({"inspect", path});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, Testing::DataText("cli/inspect-version-2.txt"));
}

TEST(InspectCommandTest, UnreadableInputExitsWithStatusTwoAndSaysWhy) {
  Testing::TempDir folder;
  const std::string newer = folder / "newer.stream";
  WriteFile(newer, Testing::StreamBytes().Header().Int(9).Bytes());
  const std::string badString = folder / "bad.stream";
  Testing::StreamBytes bad;
  bad.Header();
  for (std::int64_t v :
       std::initializer_list<std::int64_t>{8, 0, 0, 0, 0, -2, 0, 0x80000001, 3, 3}) {
    bad.Int(v);  // a settings section whose string C has a wrong check word
  }
  WriteFile(badString, bad.Bytes());
  const std::string damaged = folder / "damaged.strata";
  std::vector<std::uint8_t> head(std::begin("SQLite format 3"), std::end("SQLite format 3"));
  WriteFile(damaged, head);
  const std::string missing = folder / "missing.strata";

  struct Case {
    std::string path;
    std::string err;
  };
  const Case cases[] = {
      {newer, "tessel inspect: the Tessel document stream in \"" + newer +
                  "\" cannot be read: the stream has a version this program cannot read "
                  "(0xA0048205).\n"},
      {badString, "tessel inspect: the Tessel document stream in \"" + badString +
                      "\" cannot be read: the stream holds a malformed string (0xA0048203).\n"},
      {damaged, "tessel inspect: Cannot open \"" + damaged +
                    "\": it is damaged (the file ends inside its header).\n"},
      {missing, "tessel inspect: Cannot open \"" + missing + "\": the file does not exist.\n"},
  };
  for (const Case& c : cases) {
    for (bool json : {false, true}) {
      const CommandRun run =
          json ? Tessel({"inspect", c.path, "--json"}) : Tessel({"inspect", c.path});
      EXPECT_EQ(run.status, 2) << c.path;
      EXPECT_EQ(run.out, "") << c.path;
      EXPECT_EQ(run.err, c.err);
    }
  }
}

// Bytes that are neither a .strata document nor a stream that holds at least its header and
// settings version are refused in one line; the reader alone would show them as a default
// document.
TEST(InspectCommandTest, FilesThatAreNotStreamsAreRefused) {
  Testing::TempDir folder;
  struct Case {
    std::string name;
    std::vector<std::uint8_t> bytes;
    std::string fault;
  };
  const Case cases[] = {
      {"empty.stream",
       {},
       "it holds 0 bytes, too few for the stream header and the settings version"},
      {"header.stream",
       {0xAA, 0xAA, 0x14, 0x55, 8, 0, 0},
       "it holds 7 bytes, too few for the stream header and the settings version"},
      {"recording.edf",
       {'0', ' ', ' ', ' ', ' ', ' ', ' ', ' ', 'X', ' '},
       "it starts with neither the stream header nor a settings version"},
  };
  for (const Case& c : cases) {
    const std::string path = (folder / c.name);
    WriteFile(path, c.bytes);
    const CommandRun run = Tessel({"inspect", path});
    EXPECT_EQ(run.status, 2) << c.name;
    EXPECT_EQ(run.out, "") << c.name;
    EXPECT_EQ(run.err, "tessel inspect: \"" + path +
                           "\" is not a .strata document or a Tessel document stream: " + c.fault +
                           ".\n");
  }
}

// A stream cut inside the second cell: both reports say where the stream ended, and the JSON
// shows the fields of that cell that were read.
TEST(InspectCommandTest, AStreamCutShortSaysWhereItEnded) {
  Testing::TempDir folder;
  const std::string path = (folder / "cut.stream");
  Testing::StreamBytes b = Testing::DefaultSettingsBytes();
  b.Int(4).Int(2).Int(5);
  b.Str(u"").Double(0.0).Int(-1).Pos(0, 0).Pos(0, 0).Pos(0, 0).Str(u"").Double(0.0).Int(0x10);
  b.Int(0).Int(0).Int(1).Double(0.0).Double(0.0).Int(0).Double(0.0).Double(0.0);
  b.Str(u"x").Double(2.5).Raw({1, 0});
  WriteFile(path, b.Bytes());
  const std::string size = std::to_string(b.Bytes().size());

  const CommandRun json = Tessel({"inspect", path, "--json"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto j = nlohmann::json::parse(json.out);
  EXPECT_EQ(j["endedEarly"], nlohmann::json::parse(R"({"afterBytes": )" + size +
                                                   R"(, "field": "cell 2,1 channel"})"));
  EXPECT_EQ(j["cells"][0][1]["text"], "x");

  const CommandRun text = Tessel({"inspect", path});
  ASSERT_EQ(text.status, 0) << text.err;
  EXPECT_NE(text.out.find("\nendedEarly: the stream ends after " + size +
                          " bytes, inside cell 2,1 channel; that field and every one after it "
                          "are defaults\n"),
            std::string::npos)
      << text.out;
}

}  // namespace
}  // namespace Cli
