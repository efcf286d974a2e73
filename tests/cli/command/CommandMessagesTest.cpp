#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace Cli {
namespace {

using Testing::CommandRun;
using Testing::Tessel;

std::string Demo() {
  return std::string(TESSEL_SOURCE_DIR) + "/data/organ-bath.edf";
}

const std::string kCommands = "analyze, table, export, fit, info, simulate, inspect, version, help";

// Each mistake a new user makes gets the one line that names it, with status 2.
TEST(CommandMessagesTest, EachMistakeGetsItsOwnMessage) {
  Testing::TempDir dir;
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{"anlyze", Demo()},
       "tessel: there is no command \"anlyze\"; the commands are: " + kCommands},
      {{}, "tessel: name a command: " + kCommands + " (tessel help describes them)"},
      {{"help", "plot"},
       "tessel help: there is no command \"plot\"; the commands are: " + kCommands},
      {{"analyze", Demo(), "--sig-figs", "abc"},
       "tessel analyze: --sig-figs: \"abc\" is not a number (a whole number from 1 to 10 is "
       "wanted)"},
      {{"analyze", Demo(), "--sig-figs", "2.5"},
       "tessel analyze: --sig-figs: \"2.5\" is not a whole number (a whole number from 1 to 10 is "
       "wanted)"},
      {{"analyze", Demo(), "--start", "soon"}, "tessel analyze: --start: \"soon\" is not a number"},
      {{"analyze", Demo(), "--method", "median"},
       "tessel analyze: --method: \"median\" is not one of average, maximum, minimum, max-min, "
       "integral"},
      {{"analyze", Demo(), "--bogus"},
       "tessel analyze: The following argument was not expected: --bogus"},
      {{"simulate", dir / "x.edf", "--runs", "0"},
       "tessel simulate: --runs: 0 is out of range (a whole number from 1 to 10 is wanted)"},
      {{"analyze", dir.path().string()},
       "tessel analyze: " + dir.path().string() + ": it is a folder, not a file"},
      {{"info", dir.path().string()},
       "tessel info: " + dir.path().string() + ": it is a folder, not a file"},
      {{"fit", dir.path().string()},
       "tessel fit: " + dir.path().string() + ": it is a folder, not a file"},
      {{"inspect", Demo()},
       "tessel inspect: \"" + Demo() +
           "\" is not a .strata document or a Tessel document stream: it starts with neither the "
           "stream header nor a settings version."},
      {{"export", Demo(), "--text", dir / "t.txt"},
       "tessel export: " + Demo() +
           ": it is not a .strata document, so it holds no table (tessel analyze " + Demo() +
           " --xml F --text F --params F measures and exports a recording)"},
  };
  for (const Case& c : cases) {
    const CommandRun r = Tessel(c.args);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err + "\n");
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

// What goes to a terminal has LF line ends, although the files the table is exported to keep
// their CR LF.
TEST(CommandMessagesTest, TerminalTextHasLfLineEnds) {
  Testing::TempDir dir;
  const std::string saved = dir / "demo.strata";
  const std::vector<std::vector<std::string>> runs = {
      {"analyze", Demo(), "--start", "90", "--stop", "118", "--save", saved},
      {"table", saved},
      {"fit"},
      {"info", Demo()},
  };
  for (const auto& args : runs) {
    const CommandRun r = Tessel(args, "1 2\n10 20\n100 60\n1000 70\n10000 71\n");
    ASSERT_EQ(r.status, 0) << args[0] << ": " << r.err;
    EXPECT_EQ(r.out.find('\r'), std::string::npos) << args[0];
    EXPECT_GT(std::count(r.out.begin(), r.out.end(), '\n'), 5) << args[0];
  }
}

}  // namespace
}  // namespace Cli
