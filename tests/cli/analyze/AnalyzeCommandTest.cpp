#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <nlohmann/json.hpp>

#include "cli/CommandIo.h"
#include "cli/TesselCommand.h"
#include "strata/device/OrganBathSimulator.h"
#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace Cli {
namespace {

namespace fs = std::filesystem;

using Testing::CommandRun;
using Testing::ReadFile;
using Testing::Tessel;

// The demo recording is the simulator's default experiment: the fits must find its curves again.
// The window sits where each response has settled (onset time constant 15 s, doses 120 s apart).
TEST(AnalyzeCommandTest, DemoFitsRecoverTheSimulatedCurves) {
  const CommandRun r =
      Tessel({"analyze", Testing::DemoPath(), "--start", "90", "--stop", "118", "--json"});
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
  EXPECT_EQ(json["measured"], nlohmann::json::parse(R"({
      "channels": [{"channel": 1, "title": "Tension 1", "units": "mN"}],
      "start": 90.0, "stop": 118.0, "method": "average", "perDoseBaseline": false})"));
  // The table's own numbering: runs by their column letter, doses by their row number, channels
  // from 1.
  const auto& run = json["runs"][1];
  EXPECT_EQ(run["column"], "C");
  EXPECT_EQ(run["channel"], "all");  // the demo's dose comments are on every channel
  EXPECT_EQ(run["points"][0]["row"], 1);
  EXPECT_EQ(run["points"][0]["column"], "C");
  EXPECT_EQ(run["points"][7]["row"], 8);
}

TEST(AnalyzeCommandTest, PrintsTheFittedTableAndWritesEveryFile) {
  const Testing::TempDir dir;
  const fs::path xml = dir.path() / "demo.xml";
  const fs::path text = dir.path() / "demo.txt";
  const fs::path params = dir.path() / "params.txt";
  const fs::path saved = dir.path() / "demo.strata";
  const CommandRun r =
      Tessel({"analyze", Testing::DemoPath(), "--start", "90", "--stop", "118", "--channel",
              "Tension 1", "--xml", xml.string(), "--text", text.string(), "--params",
              params.string(), "--save", saved.string()});
  ASSERT_EQ(r.status, 0) << r.err;
  // What was measured, then the fitted parameters: on the terminal with LF, in the file CR LF.
  const std::string measured =
      "Channel 1: Tension 1 (mN)\nWindow: 90 to 118 s after each dose comment\nMethod: average\n\n";
  EXPECT_EQ(r.out.rfind(measured + "\tControl\tAntagonist\nBest-fit values\t\t\n", 0), 0u);
  EXPECT_EQ(measured + Cli::LfLines(ReadFile(params)), r.out);
  EXPECT_NE(ReadFile(params).find("\r\n"), std::string::npos);
  EXPECT_EQ(std::system(("xmllint --noout " + xml.string()).c_str()), 0);
  EXPECT_NE(ReadFile(xml).find("<Title>Antagonist</Title>"), std::string::npos);
  // The saved document holds the same table as the text export.
  const CommandRun table = Tessel({"table", saved.string()});
  ASSERT_EQ(table.status, 0) << table.err;
  EXPECT_EQ(table.out, Cli::LfLines(ReadFile(text)));
  const fs::path again = dir.path() / "again.txt";
  EXPECT_EQ(Tessel({"export", saved.string(), "--params", again.string()}).status, 0);
  EXPECT_EQ(ReadFile(again), ReadFile(params));
}

// A delimited-text recording with a comment column, as the README shows it: only comments in the
// dose comment form are measured, and a recording without any says what the form is.
TEST(AnalyzeCommandTest, DoseCommentsOfADelimitedTextRecording) {
  const Testing::TempDir dir;
  const std::string csv = dir / "bath.csv";
  const struct {
    std::string comment;  // %1 the dose
    std::string err;      // none: status 0
  } cases[] = {
      {"TSL: <%1> <Control>", ""},
      {"Control ACh %1 uM",
       Testing::Expand(Testing::DataText("cli/analyze-no-dose-comments.err"), {{"%PATH%", csv}})}};
  for (const auto& c : cases) {
    std::string text = "Time [s],Tension [mN],Comment\n";
    const double doses[] = {0.01, 0.1, 1, 10, 100};
    for (int i = 0; i < 500; ++i) {
      const double dose = doses[i / 100];
      const double response = 1.0 + 9.0 * dose / (dose + 1.0);
      std::string comment;
      if (i % 100 == 0) {
        comment = c.comment;
        comment.replace(comment.find("%1"), 2, std::to_string(dose).substr(0, 4));
      }
      text += std::to_string(i * 0.1) + "," + std::to_string(response) + "," + comment + "\n";
    }
    Testing::WriteFile(csv, text);
    const CommandRun r = Tessel({"analyze", csv, "--start", "1", "--stop", "9", "--json"});
    EXPECT_EQ(r.status, c.err.empty() ? 0 : 1) << r.err;
    EXPECT_EQ(r.err, c.err);
    if (c.err.empty()) {
      const auto json = nlohmann::json::parse(r.out);
      EXPECT_EQ(json["runs"][0]["label"], "Control");
      EXPECT_EQ(json["runs"][0]["fit"]["pointsAnalysed"], 5);
    }
  }
}

// A fit that fails says why on standard error; with no run fitted the status is 1, and the JSON
// has null for the failed fit's values.
TEST(AnalyzeCommandTest, FailedFitsSayWhy) {
  const CommandRun r = Tessel({"analyze", Testing::DemoPath(), "--start", "90", "--stop", "118",
                               "--method", "max-min", "--json"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, Testing::DataText("cli/analyze-failed-fits.err"));
  const auto json = nlohmann::json::parse(r.out);
  const auto& fit = json["runs"][0]["fit"];
  EXPECT_TRUE(fit["ec50"].is_null());
  EXPECT_TRUE(fit["logEC50"]["value"].is_null());
  EXPECT_EQ(fit["failure"], "the fit did not converge");
  EXPECT_EQ(fit["pointsAnalysed"], 8);
}

TEST(AnalyzeCommandTest, ASelectionOfPartOfTheRecordingMeasuresOnlyItsDoses) {
  // The control run's doses are at 60 s, 180 s, ... 900 s; the antagonist run starts later.
  const CommandRun r = Tessel({"analyze", Testing::DemoPath(), "--from", "0", "--to", "1:1000",
                               "--start", "90", "--stop", "118", "--json"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto json = nlohmann::json::parse(r.out);
  ASSERT_EQ(json["runs"].size(), 1u);
  EXPECT_EQ(json["runs"][0]["label"], "Control");
}

}  // namespace
}  // namespace Cli
