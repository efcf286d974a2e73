#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace Cli {
namespace {

using Testing::CommandRun;
using Testing::Tessel;

// Each mistake a new user makes gets the one line that names it, with status 2.
TEST(CommandMessagesTest, EachMistakeGetsItsOwnMessage) {
  Testing::TempDir dir;
  const std::vector<std::pair<std::string, std::string>> folder = {{"%DIR%", dir.path().string()}};
  for (const Testing::DataRow& c : Testing::DataTable("cli/mistakes.txt")) {
    const std::vector<std::string> args = Testing::Args(c[0], folder);
    const CommandRun r = Tessel(args);
    EXPECT_EQ(r.status, 2) << c.where << r.err;
    EXPECT_EQ(r.out, "") << c.where;
    if (c[1] == "*") {
      EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.where << r.err;
      EXPECT_EQ(r.err.rfind("tessel " + args[0] + ": ", 0), 0u) << c.where << r.err;
    } else {
      EXPECT_EQ(r.err, Testing::Expand(c[1], folder) + "\n") << c.where;
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(CommandMessagesTest, VersionAndHelpAnswerOnStandardOutput) {
  const CommandRun version = Tessel({"--version"});
  EXPECT_EQ(version.status, 0);
  EXPECT_EQ(version.out, "tessel 0.1\n");
  EXPECT_EQ(Tessel({"version"}).out, version.out);
  const CommandRun help = Tessel({"help"});
  EXPECT_EQ(help.status, 0);
  EXPECT_EQ(help.out, Tessel({"--help"}).out);
  EXPECT_NE(help.out.find("counted from 1"), std::string::npos);
  const CommandRun analyze = Tessel({"help", "analyze"});
  EXPECT_EQ(analyze.status, 0);
  EXPECT_EQ(analyze.out, Tessel({"analyze", "--help"}).out);
  // What a dose comment looks like, and the window's default, where the user looks first.
  EXPECT_NE(analyze.out.find("\"TSL: <dose> <run label>\""), std::string::npos);
  EXPECT_NE(analyze.out.find("(default 1 to 5 s)"), std::string::npos);
}

}  // namespace
}  // namespace Cli
