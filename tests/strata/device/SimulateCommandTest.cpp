#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <unistd.h>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/TesselCommand.h"
#include "strata/device/OrganBathSimulator.h"
#include "strata/import/RecordingImporter.h"
#include "support/TesselRun.h"

namespace {

using Testing::CommandRun;
using Testing::Tessel;

std::string Slurp(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string TempPath(const std::string& name) {
  const auto dir = std::filesystem::temp_directory_path() /
                   ("tessel-simulate-tests-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  return (dir / name).string();
}

TEST(SimulateCommand, SameSeedWritesTheSameFileTwice) {
  const std::string a = TempPath("a.edf"), b = TempPath("b.edf"), c = TempPath("c.edf");
  ASSERT_EQ(Tessel({"simulate", a, "--seed", "7", "--runs", "1", "--doses", "3"}).status, 0);
  ASSERT_EQ(Tessel({"simulate", b, "--seed", "7", "--runs", "1", "--doses", "3"}).status, 0);
  ASSERT_EQ(Tessel({"simulate", c, "--seed", "8", "--runs", "1", "--doses", "3"}).status, 0);
  EXPECT_FALSE(Slurp(a).empty());
  EXPECT_EQ(Slurp(a), Slurp(b));
  EXPECT_NE(Slurp(a), Slurp(c));
}

TEST(SimulateCommand, DemoRecordingIsWhatTheCommandRegenerates) {
  const std::string out = TempPath("organ-bath.edf");
  const CommandRun r =
      Tessel({"simulate", out, "--seed", "1", "--runs", "2", "--doses", "8", "--format", "edf"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Wrote " + out + ": 2 runs of 8 doses, 2 channels, 51600 ticks at 20 Hz\n");
  EXPECT_TRUE(Slurp(out) == Slurp(std::string(TESSEL_SOURCE_DIR) + "/data/organ-bath.edf"));
}

TEST(SimulateCommand, ImportGivesBackTheSimulatedRecordingWithinQuantisation) {
  const std::string out = TempPath("round-trip.edf");
  ASSERT_EQ(Tessel({"simulate", out, "--runs", "2", "--doses", "4"}).status, 0);
  Strata::SimulatorSettings s;
  s.doses = 4;
  const Strata::Recording original = Strata::OrganBathSimulator(s).MakeRecording();
  const Strata::ImportResult imported = Strata::ImportRecording(out);
  ASSERT_TRUE(imported.ok) << imported.error;
  const Strata::Recording& rec = imported.recording;
  ASSERT_EQ(rec.BlockCount(), 1);
  EXPECT_EQ(rec.BlockAt(0).interval, original.BlockAt(0).interval);
  EXPECT_EQ(rec.BlockAt(0).units, original.BlockAt(0).units);
  for (std::size_t c = 0; c < 2; ++c) {
    EXPECT_EQ(rec.ChannelAt(static_cast<std::int32_t>(c)).title,
              original.ChannelAt(static_cast<std::int32_t>(c)).title);
    const auto& x = rec.BlockAt(0).samples[c];
    const auto& y = original.BlockAt(0).samples[c];
    ASSERT_EQ(x.size(), y.size());
    // The writer spreads each channel's range (under 30 mN here) over 65535 steps.
    double worst = 0.0;
    for (std::size_t i = 0; i < x.size(); ++i) {
      worst = std::max(worst, std::fabs(static_cast<double>(x[i]) - y[i]));
    }
    EXPECT_LT(worst, 30.0 / 65535);
  }
  ASSERT_EQ(rec.Comments().size(), original.Comments().size());
  for (std::size_t i = 0; i < rec.Comments().size(); ++i) {
    EXPECT_EQ(rec.Comments()[i].position, original.Comments()[i].position);
    EXPECT_EQ(rec.Comments()[i].text, original.Comments()[i].text);
    EXPECT_EQ(rec.Comments()[i].channel, -1);
  }
}

TEST(SimulateCommand, StrataDocumentsHoldTheSameRecordingAsEdf) {
  const std::string strata = TempPath("demo.strata");
  const std::string edf = TempPath("demo.edf");
  ASSERT_EQ(Tessel({"simulate", strata, "--runs", "1", "--doses", "3"}).status, 0);
  ASSERT_EQ(Tessel({"simulate", edf, "--runs", "1", "--doses", "3"}).status, 0);
  const CommandRun a = Tessel({"info", strata, "--json"});
  const CommandRun b = Tessel({"info", edf, "--json"});
  ASSERT_EQ(a.status, 0) << a.err;
  const auto ja = nlohmann::json::parse(a.out);
  const auto jb = nlohmann::json::parse(b.out);
  EXPECT_EQ(ja["format"], "Strata document");
  EXPECT_EQ(ja["channels"], jb["channels"]);
  EXPECT_EQ(ja["comments"], jb["comments"]);
  EXPECT_EQ(ja["blocks"][0]["ticks"], jb["blocks"][0]["ticks"]);
  // A damaged document is refused like any unreadable recording: the file, then the fault.
  std::filesystem::resize_file(strata, 2000);
  const CommandRun c = Tessel({"info", strata});
  EXPECT_EQ(c.status, 2);
  EXPECT_EQ(c.err.rfind("tessel info: " + strata + ": ", 0), 0u) << c.err;
}

}  // namespace
