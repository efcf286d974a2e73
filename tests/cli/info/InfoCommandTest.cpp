#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "cli/TesselCommand.h"
#include "strata/import/EdfTestWriter.h"
#include "support/TesselRun.h"

namespace {

using Testing::TestEdf;
using Testing::TestSignal;

using Testing::CommandRun;
using Testing::Tessel;

// Three blocks (records at 0, 1 | 5 | 8.5 s), a 5 Hz channel beside a 2 Hz one, annotations in
// every block, one of them in UTF-8 and one naming a channel.
TestEdf Discontinuous() {
  TestEdf e;
  e.reserved = "EDF+D";
  e.recordStarts = {"+0", "+1", "+5", "+8.5"};
  TestSignal tension{"Tension", "mN", "-327.68", "327.67", "-32768", "32767", 5, {}};
  for (int i = 0; i < 20; ++i) {
    tension.digital.push_back(100 * i);  // 0, 1, 2, ... mN
  }
  TestSignal bath{"Bath", "degC", "0", "100", "0", "10000", 2, {}};
  for (int i = 0; i < 8; ++i) {
    bath.digital.push_back(3700);
  }
  e.signals = {tension, bath};
  e.annotations = {{"+0.4", "TSL: <10> <Control>", 0},
                   {"+5.6", "Bad gewechselt – 37 °C", 2},
                   {"+8.5", "Wash@@Tension", 3}};
  return e;
}

TEST(InfoCommand, TextAndJsonShowChannelsBlocksCommentsAndReport) {
  const Testing::TempDir dir;
  const std::string path = Testing::WriteFile(dir / "info-d.edf", Discontinuous().Bytes());
  const CommandRun r = Tessel({"info", path, "--samples", "3"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, Testing::Expand(Testing::DataText("cli/info-text.txt"), {{"%PATH%", path}}));
  // The same as one JSON object.
  const CommandRun json = Tessel({"info", path, "--json", "--samples", "2"});
  ASSERT_EQ(json.status, 0) << json.err;
  const auto j = nlohmann::json::parse(json.out);
  const auto expected = nlohmann::json::parse(Testing::DataText("cli/info.json"));
  EXPECT_EQ(j, expected) << j.dump(2);
  // Without --samples there is no "samples" key.
  const auto plain = nlohmann::json::parse(Tessel({"info", path, "--json"}).out);
  EXPECT_FALSE(plain.contains("samples"));
}

}  // namespace
