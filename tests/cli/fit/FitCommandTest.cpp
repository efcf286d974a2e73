#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "cli/TesselCommand.h"
#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace Cli {
namespace {

using Testing::CommandRun;
using Testing::Tessel;

// A file in a folder of its own, removed with it.
class TempFile {
 public:
  explicit TempFile(const std::string& text) { Testing::WriteFile(dir_ / "pairs.txt", text); }
  std::string Path() const { return dir_ / "pairs.txt"; }

 private:
  Testing::TempDir dir_;
};

const std::string kPairs =
    "# dose\tresponse\n"
    "0.01 2\n0.1\t5\n1 20   # the middle\n\n10 50\n100 80\n1000 95\n10000 98\n";

TEST(FitCommandTest, PrintsTheTableFromAPipe) {
  const CommandRun r = Tessel({"fit", "--title", "Control"}, kPairs);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out,
            "\tControl\n"
            "Best-fit values\t\n"
            "BOTTOM\t0.1705\n"
            "TOP\t99.83\n"
            "LOGEC50\t1\n"
            "EC50\t10\n"
            "Hill Slope\t0.6149\n"
            "Std. Error\t\n"
            "BOTTOM\t0.7648\n"
            "TOP\t0.7648\n"
            "LOGEC50\t0.02389\n"
            "Hill Slope\t0.02049\n"
            "95% Confidence Intervals\t\n"
            "BOTTOM\t-2.264 to 2.605\n"
            "TOP\t97.4 to 102.3\n"
            "LOGEC50\t0.924 to 1.076\n"
            "EC50\t8.394 to 11.91\n"
            "Hill Slope\t0.5497 to 0.6801\n"
            "Goodness of Fit\t\n"
            "Degrees of Freedom\t3\n"
            "R Squared\t0.9998\n"
            "Absolute Sum of Squares\t1.649\n"
            "Sy.x\t0.7414\n"
            "Data\t\n"
            "Analyzed\t7\n");
}

TEST(FitCommandTest, JsonFromAFileEqualsJsonFromThePipe) {
  const TempFile file(kPairs);
  const CommandRun fromFile = Tessel({"fit", file.Path(), "--json"});
  const CommandRun fromPipe = Tessel({"fit", "--json"}, kPairs);
  ASSERT_EQ(fromFile.status, 0) << fromFile.err;
  EXPECT_EQ(fromFile.out, fromPipe.out);
  const nlohmann::json j = nlohmann::json::parse(fromFile.out);
  const std::vector<std::string> keys = {"bottom",    "top",
                                         "logEC50",   "hillSlope",
                                         "ec50",      "degreesOfFreedom",
                                         "rSquared",  "absoluteSumOfSquares",
                                         "syx",       "pointsAnalysed",
                                         "converged", "statisticsValid",
                                         "failure"};
  std::vector<std::string> actual;
  for (auto it = j.begin(); it != j.end(); ++it) {
    actual.push_back(it.key());
  }
  std::sort(actual.begin(), actual.end());
  std::vector<std::string> sorted = keys;
  std::sort(sorted.begin(), sorted.end());
  EXPECT_EQ(actual, sorted);
  EXPECT_EQ(j["pointsAnalysed"], 7);
  EXPECT_EQ(j["degreesOfFreedom"], 3);
  EXPECT_EQ(j["converged"], true);
  EXPECT_EQ(j["statisticsValid"], true);
  EXPECT_NEAR(j["ec50"].get<double>(), 10.0, 1e-4);
  EXPECT_NEAR(j["logEC50"]["value"].get<double>(), 1.0, 1e-6);
  // 17 significant digits: the text reads back as the very double that was written.
  const std::string text = fromFile.out;
  const size_t at = text.find("\"syx\":") + 6;
  const std::string digits = text.substr(at, text.find(',', at) - at);
  EXPECT_EQ(digits.size(), 19u) << digits;  // "0." and 17 digits
}

// A fit that fails shows "(FIT FAILED)", says why on standard error with status 1, and has null
// for every value in JSON (the minimiser's last numbers are no result).
TEST(FitCommandTest, FailedFitsSayWhyAndHaveNoValues) {
  struct Case {
    std::vector<std::string> args;
    std::string input;
    std::string reason;
    int points;
  };
  const Case cases[] = {
      {{"fit"},
       "0.1 12\n1 47\n10 83\n",
       "too few points: 3 with a positive dose and a response, and the fit needs at least 4 (3 "
       "with --fix-hill)",
       3},
      {{"fit"},
       "# nothing\n",
       "too few points: 0 with a positive dose and a response, and the fit needs at least 4 (3 "
       "with --fix-hill)",
       0},
      {{"fit", "--fix-hill"},
       "0.1 12\n1 47\n10 83\n",
       "the statistics are not valid: 3 points for 3 parameters leave no degrees of freedom",
       3},
  };
  for (const Case& c : cases) {
    const CommandRun table = Tessel(c.args, c.input);
    EXPECT_EQ(table.status, 1);
    EXPECT_EQ(table.err, "tessel fit: the fit failed: " + c.reason + "\n");
    EXPECT_EQ(table.out.substr(0, table.out.find('\n')), "\tRun (FIT FAILED)");
    EXPECT_NE(table.out.find("Analyzed\t" + std::to_string(c.points) + "\n"), std::string::npos);
    EXPECT_NE(table.out.find("BOTTOM\t\n"), std::string::npos);

    std::vector<std::string> json = c.args;
    json.push_back("--json");
    const CommandRun r = Tessel(json, c.input);
    EXPECT_EQ(r.status, 1);
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["failure"], c.reason);
    EXPECT_EQ(j["pointsAnalysed"], c.points);
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
  struct Case {
    std::string input;
    std::string error;
  };
  const Case cases[] = {
      {"1 2\n10 abc\n", "line 2: the response \"abc\" is not a number"},
      {"1 2\n\n# c\n10 20 30\n", "line 4: expected a dose and a response, found \"10 20 30\""},
      {"5\n", "line 1: expected a dose and a response, found \"5\""},
      {"1 2\n0 5\n", "line 2: the dose 0 is not positive"},
      {"-3 5\n", "line 1: the dose -3 is not positive"},
      {"x1 5\n", "line 1: the dose \"x1\" is not a number"},
      {"1 nan\n", "line 1: the response \"nan\" is not a number"},
      {"1 1e999\n", "line 1: the response \"1e999\" is not a number"},
  };
  for (const Case& c : cases) {
    const CommandRun r = Tessel({"fit", "--json"}, c.input);
    EXPECT_EQ(r.status, 2) << c.input;
    EXPECT_EQ(r.out, "") << c.input;
    EXPECT_EQ(r.err, "tessel fit: standard input, " + c.error + "\n");
  }
}

TEST(FitCommandTest, NamesTheFileInErrors) {
  const TempFile file("1 2\n2 two\n");
  const CommandRun bad = Tessel({"fit", file.Path()});
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.out, "");
  EXPECT_EQ(bad.err,
            "tessel fit: " + file.Path() + ", line 2: the response \"two\" is not a number\n");
  const CommandRun missing = Tessel({"fit", "/nonexistent/doses.txt"});
  EXPECT_EQ(missing.status, 2);
  EXPECT_EQ(missing.out, "");
  EXPECT_EQ(missing.err, "tessel fit: /nonexistent/doses.txt: the file does not exist\n");
}

TEST(FitCommandTest, CrLfFilesAreRead) {
  const CommandRun crlf =
      Tessel({"fit", "--json"}, "0.01 2\r\n0.1 5\r\n1 20\r\n10 50\r\n100 80\r\n");
  ASSERT_EQ(crlf.status, 0) << crlf.err;
  EXPECT_EQ(nlohmann::json::parse(crlf.out)["pointsAnalysed"], 5);
  EXPECT_TRUE(nlohmann::json::parse(crlf.out)["failure"].is_null());
}

}  // namespace
}  // namespace Cli
