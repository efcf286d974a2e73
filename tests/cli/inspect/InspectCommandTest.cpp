#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

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
  Testing::WriteFile(path, b.Bytes());

  const CommandRun run = Tessel({"inspect", path});
  ASSERT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, Testing::DataText("cli/inspect-version-2.txt"));
}

TEST(InspectCommandTest, UnreadableInputExitsWithStatusTwoAndSaysWhy) {
  Testing::TempDir folder;
  for (const Testing::DataRow& c : Testing::DataTable("cli/inspect-refusals.txt")) {
    const std::string path = folder / c[0];
    if (c[1] != "missing") {
      Testing::WriteFile(path, c[1]);
    }
    for (bool json : {false, true}) {
      const CommandRun run = json ? Tessel({"inspect", path, "--json"}) : Tessel({"inspect", path});
      EXPECT_EQ(run.status, 2) << c.where;
      EXPECT_EQ(run.out, "") << c.where;
      EXPECT_EQ(run.err, Testing::Expand(c[2], {{"%PATH%", path}}) + "\n") << c.where;
    }
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
  Testing::WriteFile(path, b.Bytes());
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
