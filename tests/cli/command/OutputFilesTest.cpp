#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
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

std::string Demo() {
  return std::string(TESSEL_SOURCE_DIR) + "/data/organ-bath.edf";
}

const std::vector<std::string> kWindow = {"--start", "90", "--stop", "118"};

std::vector<std::string> Analyze(std::vector<std::string> more) {
  std::vector<std::string> args = {"analyze", Demo()};
  args.insert(args.end(), kWindow.begin(), kWindow.end());
  args.insert(args.end(), more.begin(), more.end());
  return args;
}

// Runs the command in a child process whose files cannot grow beyond `limit` bytes, as on a disk
// that is full; the status and the messages come back through a pipe.
CommandRun RunWithFileLimit(const std::vector<std::string>& args, rlim_t limit) {
  int pipeFds[2];
  if (::pipe(pipeFds) != 0) {
    return {-1, "", "no pipe"};
  }
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(pipeFds[0]);
    std::signal(SIGXFSZ, SIG_IGN);
    const rlimit small{limit, limit};
    ::setrlimit(RLIMIT_FSIZE, &small);
    const CommandRun r = Tessel(args);
    const std::string report = std::to_string(r.status) + "\n" + r.err;
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], report.data(), report.size());
    ::_exit(0);
  }
  ::close(pipeFds[1]);
  std::string report;
  char buffer[4096];
  for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
    report.append(buffer, static_cast<size_t>(n));
  }
  ::close(pipeFds[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
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
  const std::string xml = dir / "old.xml";
  const std::string text = dir / "old.txt";
  const std::string saved = dir / "old.strata";
  const std::string edf = dir / "sim.edf";
  const std::string sim = dir / "sim.strata";
  const std::string doc = dir / "doc.strata";
  ASSERT_EQ(Tessel(Analyze({"--save", doc})).status, 0);
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const std::string tooLarge = ": it cannot be written (File too large)\n";
  const Case cases[] = {
      {Analyze({"--text", text, "--params", xml}), "tessel analyze: " + xml + tooLarge},
      {Analyze({"--params", text}), "tessel analyze: " + text + tooLarge},
      {Analyze({"--text", text, "--save", saved}),
       "tessel analyze: Cannot save \"" + saved + "\": writing failed (disk I/O error).\n"},
      {{"export", doc, "--params", text, "--xml", xml}, "tessel export: " + xml + tooLarge},
      {{"simulate", edf},
       "tessel simulate: " + edf + ": the file could not be completed (File too large)\n"},
      {{"simulate", sim},
       "tessel simulate: Cannot save \"" + sim + "\": writing failed (disk I/O error).\n"},
  };
  for (const Case& c : cases) {
    for (const std::string& path : {xml, text, saved}) {
      WriteFile(path, "old");
    }
    const CommandRun r = RunWithFileLimit(c.args, 512);
    EXPECT_EQ(r.status, 2) << r.err;
    EXPECT_EQ(r.err, c.err);
    for (const std::string& path : {xml, text, saved}) {
      EXPECT_EQ(ReadFile(path), "old") << path << " after " << c.args[0] << " " << c.args.back();
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), {}), 4) << c.args.back();
  }
}

// Every output is checked before any is written: one bad path leaves the others untouched.
TEST(OutputFilesTest, OutputsThatCannotBeWrittenAreRefusedFirst) {
  TempDir dir;
  const std::string xml = dir / "old.xml";
  const std::string text = dir / "old.txt";
  const std::string copy = dir / "copy.edf";
  const std::string link = dir / "link.edf";
  fs::copy_file(Demo(), copy);
  fs::create_hard_link(copy, link);
  fs::create_directory(dir / "folder.txt");
  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {Analyze({"--xml", xml, "--text", text, "--save", dir / "nodir/x.strata"}),
       "tessel analyze: " + (dir / "nodir/x.strata") + ": the folder \"" + (dir / "nodir") +
           "\" does not exist"},
      {{"analyze", copy, "--xml", xml, "--text", link},
       "tessel analyze: " + link + ": it is the input " + copy + "; it would be overwritten"},
      {{"analyze", copy, "--text", dir / "../" + dir.path().filename().string() + "/copy.edf"},
       "tessel analyze: " + (dir / "../") + dir.path().filename().string() +
           "/copy.edf: it is the input " + copy + "; it would be overwritten"},
      {Analyze({"--xml", xml, "--params", xml}),
       "tessel analyze: " + xml + ": it is named by both --xml and --params"},
      {Analyze({"--save", "/dev/full"}),
       "tessel analyze: /dev/full: it is not a regular file (a device, a pipe or a socket is "
       "never replaced)"},
      {Analyze({"--text", dir / "folder.txt"}),
       "tessel analyze: " + (dir / "folder.txt") + ": it is a folder"},
      {Analyze({"--xml", "-", "--text", "-"}),
       "tessel analyze: --text: only one output can go to standard output"},
      {Analyze({"--xml", "-", "--json"}),
       "tessel analyze: --json: the JSON and an output named - cannot both go to standard "
       "output"},
      {{"simulate", "/dev/full"},
       "tessel simulate: /dev/full: it is not a regular file (a device, a pipe or a socket is "
       "never replaced)"},
  };
  for (const Case& c : cases) {
    WriteFile(xml, "old");
    WriteFile(text, "old");
    const CommandRun r = Tessel(c.args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.out, "");
    EXPECT_EQ(r.err, c.err + "\n");
    EXPECT_EQ(ReadFile(xml), "old");
    EXPECT_EQ(ReadFile(text), "old");
    EXPECT_EQ(ReadFile(copy), ReadFile(Demo()));
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
  const CommandRun piped = Tessel(fromStdin, ReadFile(Demo()));
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
