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
  const auto& s = j["settings"];
  EXPECT_EQ(s["autoChannel"], 3);
  EXPECT_EQ(s["b"], -17);
  EXPECT_EQ(s["c"], "reserved \xC3\xA9");
  EXPECT_EQ(s["startOffset"], 0.25);
  EXPECT_EQ(s["stopOffset"], 12.5);
  EXPECT_EQ(s["calcType"], 3);
  EXPECT_EQ(s["calcName"], "Max-Min");
  EXPECT_EQ(s["f1"], true);
  EXPECT_EQ(s["sigFigs"], 7);
  EXPECT_EQ(s["graphSet"], nlohmann::json::parse("[1, 39]"));
  EXPECT_EQ(s["showLegend"], false);
  EXPECT_EQ(s["currentRow"], 5);
  EXPECT_EQ(s["advanceDown"], false);
  EXPECT_EQ(j["restoreSelection"], nlohmann::json::parse("[[1, 20], [2, 2147483632]]"));
  EXPECT_EQ(j["matrixVersion"], 4);
  EXPECT_EQ(j["columns"], 4);
  EXPECT_EQ(j["rows"], 6);
  ASSERT_EQ(j["cells"].size(), 4u);
  ASSERT_EQ(j["cells"][3].size(), 6u);
  const char* lastCell = R"json({
      "text": "(marked)", "value": 10.5, "channel": 0, "start": [0, 503], "end": [0, 553],
      "dosePosition": [0, 500], "commentText": "c3", "response": -19.25, "flags": 65,
      "doseMarked": true, "responseAdded": false,
      "autoBaseline": {"present": true, "intercept": 103.5, "slope": -0.375},
      "userBaseline": {"present": true, "intercept": 2.5, "slope": 0.75}})json";
  EXPECT_EQ(j["cells"][3][5], nlohmann::json::parse(lastCell));
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
  EXPECT_EQ(run.out,
            "formatLevel: 20\n"
            "settingsVersion: 2\n"
            "flags: [true,false,true,false]\n"
            "settings:\n"
            "  autoChannel: 4\n  b: 9\n  c: \"cc\"\n  startOffset: 2.5\n  stopOffset: 9.0\n"
            "  calcType: 2\n  calcName: \"Minimum\"\n  f1: true\n  scientific: true\n"
            "  perDoseBaseline: true\n  sigFigs: 6\n  g: -2\n  h: 0\n  graphSet: [0]\n"
            "  bottomToZero: false\n  normalize: false\n  fixHill: false\n  showLegend: true\n"
            "  currentRow: -1\n  currentColumn: -1\n  advanceDown: true\n"
            "restoreSelection: [[0,0],[0,0]]\n"
            "matrixVersion: 0\n"
            "columns: 1\n"
            "rows: 1\n"
            "cell 1,1: text=\"Dose\" value=0.0 channel=-1 start=[0,0] end=[0,0] "
            "dosePosition=[0,7] commentText=\"\" response=0.5 flags=18 doseMarked=false "
            "responseAdded=true autoBaseline={\"present\":true,\"intercept\":0.0,\"slope\":0.0} "
            "userBaseline={\"present\":false,\"intercept\":0.0,\"slope\":0.0}\n"
            "endedEarly: the stream ends after 210 bytes, inside tableView version; that field "
            "and every one after it are defaults\n");
}

TEST(InspectCommandTest, UnreadableInputExitsWithStatusTwoAndSaysWhy) {
  Testing::TempDir folder;
  const std::string newer = folder / "newer.stream";
  WriteFile(newer, Testing::StreamBytes().Header().Int(9).Bytes());
  const std::string badString = folder / "bad.stream";
  WriteFile(badString, Testing::StreamBytes()
                           .Header()
                           .Int(8)
                           .Int(0)
                           .Int(0)
                           .Int(0)
                           .Int(0)
                           .Int(-2)
                           .Int(0)
                           .Int(0x80000001u)
                           .Int(3)
                           .Int(3)
                           .Bytes());
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

// A stream cut inside the second cell: the first cell and the fields of the second that were read
// are kept, the rest of the matrix is reset cells, and both reports say where the stream ended.
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
  EXPECT_EQ(j["columns"], 2);
  EXPECT_EQ(j["rows"], 5);
  EXPECT_EQ(j["cells"][0][0]["flags"], 16);
  EXPECT_EQ(j["cells"][0][1]["text"], "x");
  EXPECT_EQ(j["cells"][0][1]["value"], 2.5);
  EXPECT_EQ(j["cells"][0][1]["channel"], -1);
  EXPECT_EQ(j["cells"][1][4]["flags"], 1);

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
