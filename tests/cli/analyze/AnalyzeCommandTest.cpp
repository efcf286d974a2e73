#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>

#include "cli/TesselCommand.h"
#include "strata/device/OrganBathSimulator.h"
#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace Cli {
namespace {

namespace fs = std::filesystem;

using Testing::CommandRun;
using Testing::Tessel;

std::string Demo() {
  return std::string(TESSEL_SOURCE_DIR) + "/data/organ-bath.edf";
}

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

// The demo recording is the simulator's default experiment: the fits must find its curves again.
// The window sits where each response has settled (onset time constant 15 s, doses 120 s apart).
TEST(AnalyzeCommandTest, DemoFitsRecoverTheSimulatedCurves) {
  const CommandRun r = Tessel({"analyze", Demo(), "--start", "90", "--stop", "118", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto json = nlohmann::json::parse(r.out);
  const Strata::SimulatorSettings truth;
  ASSERT_EQ(json["runs"].size(), static_cast<size_t>(truth.runs));
  for (int run = 0; run < truth.runs; ++run) {
    const auto& fit = json["runs"][static_cast<size_t>(run)]["fit"];
    ASSERT_TRUE(fit["converged"].get<bool>());
    ASSERT_TRUE(fit["statisticsValid"].get<bool>());
    const double trueLogEc50 = std::log10(truth.first.ec50 * std::pow(truth.antagonistShift, run));
    // Noise of 0.05 mN on a 20 mN curve and a slow baseline drift: a twentieth of a log unit.
    EXPECT_NEAR(fit["logEC50"]["value"].get<double>(), trueLogEc50, 0.05) << "run " << run;
    EXPECT_NEAR(fit["hillSlope"]["value"].get<double>(), truth.first.hillSlope, 0.1);
    EXPECT_EQ(fit["pointsAnalysed"].get<int>(), truth.doses);
  }
  EXPECT_EQ(json["runs"][0]["label"], "Control");
  EXPECT_TRUE(json["messages"].empty());
  EXPECT_EQ(json["settings"]["startOffset"], 90.0);
  EXPECT_EQ(json["grid"][3][1], "Dose");
}

TEST(AnalyzeCommandTest, PrintsTheFittedTableAndWritesEveryFile) {
  const Testing::TempDir dir;
  const fs::path xml = dir.path() / "demo.xml";
  const fs::path text = dir.path() / "demo.txt";
  const fs::path params = dir.path() / "params.txt";
  const fs::path saved = dir.path() / "demo.strata";
  const CommandRun r = Tessel({"analyze", Demo(), "--start", "90", "--stop", "118", "--channel",
                               "Tension 1", "--xml", xml.string(), "--text", text.string(),
                               "--params", params.string(), "--save", saved.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out.rfind("\tControl\tAntagonist\r\nBest-fit values\t\t\r\n", 0), 0u);
  EXPECT_EQ(Slurp(params), r.out);
  EXPECT_EQ(std::system(("xmllint --noout " + xml.string()).c_str()), 0);
  EXPECT_NE(Slurp(xml).find("<Title>Antagonist</Title>"), std::string::npos);
  // The saved document holds the same table as the text export.
  const CommandRun table = Tessel({"table", saved.string()});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out, Slurp(text));
  const fs::path again = dir.path() / "again.txt";
  EXPECT_EQ(Tessel({"export", saved.string(), "--params", again.string()}).status, 0);
  EXPECT_EQ(Slurp(again), Slurp(params));
}

TEST(AnalyzeCommandTest, ArgumentErrorsAreOneLineAndStatusTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"analyze", "/no/such/file.edf"},
      {"analyze", Demo(), "--channel", "Flow"},
      {"analyze", Demo(), "--channel", "3"},
      {"analyze", Demo(), "--from", "later"},
      {"analyze", Demo(), "--from", "9:0"},
      {"analyze", Demo(), "--from", "100", "--to", "50"},
      {"analyze", Demo(), "--start", "10", "--stop", "10"},
      {"analyze", Demo(), "--method", "median"},
      {"analyze", Demo(), "--sig-figs", "11"},
      {"export", Demo()},
  };
  for (const auto& args : cases) {
    const CommandRun r = Tessel(args);
    EXPECT_EQ(r.status, 2) << args.back();
    EXPECT_TRUE(r.out.empty()) << args.back();
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
  }
}

TEST(AnalyzeCommandTest, ARecordingWithoutDoseCommentsMeasuresNothing) {
  const Testing::TempDir dir;
  const fs::path csv = dir.path() / "plain.csv";
  {
    std::ofstream out(csv);
    out << "Time [s],Tension [mN]\n";
    for (int i = 0; i < 100; ++i) {
      out << i * 0.1 << "," << 1.0 << "\n";
    }
  }
  const CommandRun r = Tessel({"analyze", csv.string()});
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_NE(r.err.find("no response was measured"), std::string::npos) << r.err;
}

TEST(AnalyzeCommandTest, ASelectionOfPartOfTheRecordingMeasuresOnlyItsDoses) {
  // The control run's doses are at 60 s, 180 s, ... 900 s; the antagonist run starts later.
  const CommandRun r = Tessel({"analyze", Demo(), "--from", "0", "--to", "1:1000", "--start", "90",
                               "--stop", "118", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto json = nlohmann::json::parse(r.out);
  ASSERT_EQ(json["runs"].size(), 1u);
  EXPECT_EQ(json["runs"][0]["label"], "Control");
}

}  // namespace
}  // namespace Cli
