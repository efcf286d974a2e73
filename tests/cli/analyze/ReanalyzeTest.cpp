#include <gtest/gtest.h>

#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace Cli {
namespace {

using Testing::Tessel;

// The demo's dose comments are on all channels. Analysing the saved document again must find
// every comment in the cell it filled the first time: the same table, the same fits.
TEST(ReanalyzeTest, AnalysingASavedDocumentAgainGivesTheSameTableAndFits) {
  const Testing::TempDir dir;
  const std::string demo = std::string(TESSEL_SOURCE_DIR) + "/data/organ-bath.edf";
  const std::vector<std::string> window = {"--channel", "1", "--start", "90", "--stop", "118"};
  auto analyse = [&](const std::string& in, const std::string& name) {
    std::vector<std::string> args = {"analyze", in};
    args.insert(args.end(), window.begin(), window.end());
    args.insert(args.end(), {"--save", dir / (name + ".strata"), "--params", dir / name});
    const auto run = Tessel(args);
    EXPECT_EQ(run.status, 0) << run.err;
    return Testing::ReadFile(dir / name);
  };
  const std::string first = analyse(demo, "first");
  const std::string second = analyse(dir / "first.strata", "second");
  EXPECT_EQ(second, first);
  const auto table1 = Tessel({"table", dir / "first.strata", "--json"});
  const auto table2 = Tessel({"table", dir / "second.strata", "--json"});
  ASSERT_EQ(table1.status, 0) << table1.err;
  EXPECT_EQ(table2.out, table1.out);
  EXPECT_NE(table1.out.find("Control"), std::string::npos);
}

}  // namespace
}  // namespace Cli
