#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "cli/TesselCommand.h"
#include "support/TesselRun.h"

namespace Cli {
namespace {

using Testing::CommandRun;
using Testing::Tessel;

const std::string kPairs =
    "# dose\tresponse\n"
    "0.01 2\n0.1\t5\n1 20   # the middle\n\n10 50\n100 80\n1000 95\n10000 98\n";

TEST(FitCommandTest, PrintsTheTableFromAPipe) {
  const CommandRun r = Tessel({"fit", "--title", "Control"}, kPairs);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, Testing::DataText("cli/fit-table.txt"));
}

TEST(FitCommandTest, JsonFromAFileEqualsJsonFromThePipe) {
  const Testing::TempDir dir;
  const CommandRun fromFile =
      Tessel({"fit", Testing::WriteFile(dir / "pairs.txt", kPairs), "--json"});
  const CommandRun fromPipe = Tessel({"fit", "--json"}, kPairs);
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out, fromPipe.out);
  std::string crlf = kPairs;  // the same lines ending in CR LF
  for (size_t at = crlf.find('\n'); at != std::string::npos; at = crlf.find('\n', at + 2)) {
    crlf.insert(at, "\r");
  }
  EXPECT_EQ(Tessel({"fit", "--json"}, crlf).out, fromPipe.out);
  const nlohmann::json j = nlohmann::json::parse(fromFile.out);
  std::vector<std::string> keys;
  for (auto it = j.begin(); it != j.end(); ++it) {
    keys.push_back(it.key());  // the object's keys come sorted
  }
  EXPECT_EQ(keys, (std::vector<std::string>{"absoluteSumOfSquares", "bottom", "converged",
                                            "degreesOfFreedom", "ec50", "failure", "hillSlope",
                                            "logEC50", "pointsAnalysed", "rSquared",
                                            "statisticsValid", "syx", "top"}));
  EXPECT_EQ(j["pointsAnalysed"], 7);
  EXPECT_EQ(j["degreesOfFreedom"], 3);
  EXPECT_EQ(j["converged"], true);
  EXPECT_EQ(j["statisticsValid"], true);
  EXPECT_NEAR(j["ec50"].get<double>(), 10.0, 1e-4);
  EXPECT_NEAR(j["logEC50"]["value"].get<double>(), 1.0, 1e-6);
  // 17 significant digits: the text reads back as the very double that was written.
  const size_t at = fromFile.out.find("\"syx\":") + 6;
  const std::string digits = fromFile.out.substr(at, fromFile.out.find(',', at) - at);
  EXPECT_EQ(digits.size(), 19u) << digits;  // "0." and 17 digits
}

// A fit that fails shows "(FIT FAILED)", says why on standard error with status 1, and has null
// for every value in JSON (the minimiser's last numbers are no result).
TEST(FitCommandTest, FailedFitsSayWhyAndHaveNoValues) {
  for (const Testing::DataRow& c : Testing::DataTable("cli/fit-failures.txt")) {
    SCOPED_TRACE(c.where);
    const CommandRun table = Tessel(Testing::Args(c[0]), c[1]);
    EXPECT_EQ(table.status, 1);
    EXPECT_EQ(table.err, "tessel fit: the fit failed: " + c[2] + "\n");
    EXPECT_EQ(table.out.substr(0, table.out.find('\n')), "\tRun (FIT FAILED)");
    EXPECT_NE(table.out.find("Analyzed\t" + c[3] + "\n"), std::string::npos);
    EXPECT_NE(table.out.find("BOTTOM\t\n"), std::string::npos);

    const CommandRun r = Tessel(Testing::Args(c[0] + " --json"), c[1]);
    EXPECT_EQ(r.status, 1);
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["failure"], c[2]);
    EXPECT_EQ(j["pointsAnalysed"], c.Int(3));
    for (const char* key : {"ec50", "rSquared", "absoluteSumOfSquares", "syx"}) {
      EXPECT_TRUE(j[key].is_null()) << key;
    }
    for (const char* key : {"bottom", "top", "logEC50", "hillSlope"}) {
      EXPECT_EQ(j[key], nlohmann::json::parse(
                            R"({"value":null,"standardError":null,"lower":null,"upper":null})"))
          << key;
    }
  }
}

TEST(FitCommandTest, RefusesMalformedLinesWithTheirNumber) {
  for (const Testing::DataRow& c : Testing::DataTable("cli/fit-refusals.txt")) {
    const CommandRun r = Tessel({"fit", "--json"}, c[0]);
    EXPECT_EQ(r.status, 2) << c.where;
    EXPECT_EQ(r.out, "") << c.where;
    EXPECT_EQ(r.err, "tessel fit: standard input, " + c[1] + "\n");
  }
}

TEST(FitCommandTest, NamesTheFileInErrors) {
  const Testing::TempDir dir;
  const std::string path = Testing::WriteFile(dir / "pairs.txt", "1 2\n2 two\n");
  for (const auto& [file, error] :
       {std::pair{path, ", line 2: the response \"two\" is not a number"},
        std::pair{std::string("/nonexistent/doses.txt"), ": the file does not exist"}}) {
    const CommandRun r = Tessel({"fit", file});
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, "tessel fit: " + file + error + "\n");
  }
}

}  // namespace
}  // namespace Cli
