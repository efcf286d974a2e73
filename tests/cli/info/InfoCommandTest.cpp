#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <sstream>

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

TEST(InfoCommand, TextShowsChannelsBlocksCommentsAndReport) {
  const Testing::TempDir dir;
  const std::string path = Testing::WriteTempFile(dir, "info-d.edf", Discontinuous().Bytes());
  const CommandRun r = Tessel({"info", path, "--samples", "3"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, Testing::Expand(Testing::DataText("cli/info-text.txt"), {{"%PATH%", path}}));
}

TEST(InfoCommand, JsonHoldsTheSameAsOneObject) {
  const Testing::TempDir dir;
  const std::string path = Testing::WriteTempFile(dir, "info-d-json.edf", Discontinuous().Bytes());
  const CommandRun r = Tessel({"info", path, "--json", "--samples", "2"});
  ASSERT_EQ(r.status, 0) << r.err;
  const auto j = nlohmann::json::parse(r.out);
  const auto expected = nlohmann::json::parse(Testing::DataText("cli/info.json"));
  EXPECT_EQ(j, expected) << j.dump(2);
  // Without --samples there is no "samples" key.
  const auto plain = nlohmann::json::parse(Tessel({"info", path, "--json"}).out);
  EXPECT_FALSE(plain.contains("samples"));
}

TEST(InfoCommand, UnreadableFileGivesOneLineAndStatusTwo) {
  struct Case {
    const char* name;
    std::string bytes;
    std::string fault;
  };
  const std::string edf = Discontinuous().Bytes();
  for (const Case& c : {
           Case{"info-empty.edf", "", "the file is empty"},
           Case{"info-short.edf", edf.substr(0, edf.size() - 1),
                "the file is truncated: it is 1559 bytes long, but its header announces 4 data "
                "records of 134 bytes after 1024 header bytes (1560 bytes)"},
           Case{"info-ragged.csv", "Time,A,B\n0,1,2\n1,2\n",
                "line 3 has 2 fields, but the header has 3"},
       }) {
    const Testing::TempDir dir;
    const std::string path = Testing::WriteTempFile(dir, c.name, c.bytes);
    const CommandRun r = Tessel({"info", path, "--json"});
    EXPECT_EQ(r.status, 2) << c.name;
    EXPECT_EQ(r.out, "") << c.name;
    EXPECT_EQ(r.err, "tessel info: " + path + ": " + c.fault + "\n");
  }
}

}  // namespace
