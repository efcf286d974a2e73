#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include <filesystem>

#include "cli/TesselCommand.h"
#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace {

using Testing::CommandRun;
using Testing::Tessel;

using Testing::ReadFile;

// The demo recording is what seed 1 gives; another seed gives another recording.
TEST(SimulateCommand, DemoRecordingIsWhatTheCommandRegenerates) {
  const Testing::TempDir dir;
  const std::string out = dir / "organ-bath.edf";
  const CommandRun r =
      Tessel({"simulate", out, "--seed", "1", "--runs", "2", "--doses", "8", "--format", "edf"});
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "Wrote " + out + ": 2 runs of 8 doses, 2 channels, 51600 ticks at 20 Hz\n");
  EXPECT_TRUE(ReadFile(out) == ReadFile(Testing::DemoPath()));
  const std::string other = dir / "other.edf";
  ASSERT_EQ(Tessel({"simulate", other, "--seed", "2", "--runs", "2", "--doses", "8"}).status, 0);
  EXPECT_EQ(ReadFile(other).size(), ReadFile(out).size());
  EXPECT_FALSE(ReadFile(other) == ReadFile(out));
}

TEST(SimulateCommand, StrataDocumentsHoldTheSameRecordingAsEdf) {
  const Testing::TempDir dir;
  const std::string strata = dir / "demo.strata";
  const std::string edf = dir / "demo.edf";
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
