#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "support/TempFiles.h"
#include "support/TesselRun.h"

namespace Cli {
namespace {

namespace fs = std::filesystem;

using Testing::CommandRun;
using Testing::ReadFile;
using Testing::TempDir;
using Testing::Tessel;
using Testing::WriteFile;

const std::vector<std::string> kWindow = {"--start", "90", "--stop", "118"};

std::vector<std::string> Analyze(std::vector<std::string> more) {
  std::vector<std::string> args = {"analyze", Testing::DemoPath()};
  args.insert(args.end(), kWindow.begin(), kWindow.end());
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// Runs the command on a disk that fills up after `limit` bytes a file.
CommandRun RunWithFileLimit(const std::vector<std::string>& args, rlim_t limit) {
  const std::string report = Testing::InChildWithFileLimit(limit, [&] {
    const CommandRun r = Tessel(args);
    return std::to_string(r.status) + "\n" + r.err;
  });
  const size_t line = report.find('\n');
  if (line == std::string::npos) {
    return {-1, "", "the child said nothing"};
  }
  return {std::stoi(report.substr(0, line)), "", report.substr(line + 1)};
}

// A disk that fills up while the outputs are written: the command says so with status 2, and
// every output keeps what it held before, including those that were written in full.
TEST(OutputFilesTest, AFullDiskIsReportedAndReplacesNothing) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> places = {{"%DIR%", dir.path()}};
  ASSERT_EQ(Tessel(Analyze({"--save", dir / "doc.strata"})).status, 0);
  for (const Testing::DataRow& c : Testing::DataTable("cli/full-disk.txt")) {
    for (const char* name : {"old.xml", "old.txt", "old.strata"}) {
      WriteFile(dir / name, "old");
    }
    const CommandRun r = RunWithFileLimit(Testing::Args(c[0], places), 512);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.err, Testing::Expand(c[1], places) + "\n");
    for (const char* name : {"old.xml", "old.txt", "old.strata"}) {
      EXPECT_EQ(ReadFile(dir / name), "old") << name << " after " << c.where;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 4) << c.where;
  }
}

// Every output is checked before any is written: one bad path leaves the others untouched.
TEST(OutputFilesTest, OutputsThatCannotBeWrittenAreRefusedFirst) {
  TempDir dir;
  const std::vector<std::pair<std::string, std::string>> places = {
      {"%DIR%", dir.path()}, {"%NAME%", dir.path().filename()}};
  fs::copy_file(Testing::DemoPath(), dir / "copy.edf");
  fs::create_hard_link(dir / "copy.edf", dir / "link.edf");
  fs::create_directory(dir / "folder.txt");
  for (const Testing::DataRow& c : Testing::DataTable("cli/refused-outputs.txt")) {
    WriteFile(dir / "old.xml", "old");
    WriteFile(dir / "old.txt", "old");
    const CommandRun r = Tessel(Testing::Args(c[0], places));
    EXPECT_EQ(r.status, 2) << c.where;
    EXPECT_EQ(r.out, "") << c.where;
    EXPECT_EQ(r.err, Testing::Expand(c[1], places) + "\n");
    EXPECT_EQ(ReadFile(dir / "old.xml"), "old") << c.where;
    EXPECT_EQ(ReadFile(dir / "old.txt"), "old") << c.where;
    EXPECT_EQ(ReadFile(dir / "copy.edf"), ReadFile(Testing::DemoPath())) << c.where;
  }
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 5);
}

// "-" is standard input for the recording and standard output for one file, which then carries
// the file's own bytes (CR LF) and nothing else.
TEST(OutputFilesTest, DashIsStandardInputAndStandardOutput) {
  TempDir dir;
  const std::string params = dir / "params.txt";
  const CommandRun toFile = Tessel(Analyze({"--params", params}));
  ASSERT_EQ(toFile.status, 0) << toFile.err;
  const CommandRun toOut = Tessel(Analyze({"--params", "-"}));
  ASSERT_EQ(toOut.status, 0) << toOut.err;
  EXPECT_EQ(toOut.out, ReadFile(params));
  EXPECT_NE(toOut.out.find("\r\n"), std::string::npos);
  EXPECT_EQ(toOut.err.rfind("Channel 1: Tension 1 (mN)\n", 0), 0u) << toOut.err;

  std::vector<std::string> fromStdin = {"analyze", "-"};
  fromStdin.insert(fromStdin.end(), kWindow.begin(), kWindow.end());
  const CommandRun piped = Tessel(fromStdin, ReadFile(Testing::DemoPath()));
  ASSERT_EQ(piped.status, 0) << piped.err;
  EXPECT_EQ(piped.out, toFile.out);
  const CommandRun info = Tessel({"info", "-"}, "Time [s],A [V]\n0,1\n0.5,2\n");
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out.rfind("File: standard input\nFormat: ", 0), 0u) << info.out;
  const CommandRun bad = Tessel({"info", "-"}, "");
  EXPECT_EQ(bad.status, 2);
  EXPECT_EQ(bad.err, "tessel info: standard input: the file is empty\n");
}

}  // namespace
}  // namespace Cli
