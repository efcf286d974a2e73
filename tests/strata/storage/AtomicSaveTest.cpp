#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <random>
#include <thread>

#include "StorageFixture.h"

namespace Strata {
namespace {

using Testing::Classes;
using Testing::TempDir;

// Large enough that a save takes a while: 4 channels, 2 blocks, 800,000 samples.
Recording LargeRecording(int variant) {
  Testing::RecordingBuilder builder;
  builder.Block(0.001, 100000).Block(0.002, 100000);
  for (int c = 0; c < 4; ++c) {
    builder.Channel("Channel " + std::to_string(c), "V",
                    [c, variant](double t) { return c * 1000.0 + t * (variant + 1); });
  }
  for (std::uint32_t i = 0; i < 50; ++i) {
    builder.Comment(-1, i % 2, i * 1000, "v" + std::to_string(variant) + " #" + std::to_string(i));
  }
  return builder.Build();
}

// Which of the two documents the file holds: 0 or 1, or -1 when it is neither (or unreadable).
int WhichDocument(const std::string& path, Testing::TestChart* docs[2], std::string* error) {
  StrataFile::Opened opened =
      StrataFile::Open(path, Tessel::Ref<Host>(&docs[0]->Host()), Classes());
  *error = opened.error;
  if (!opened.chart) {
    return -1;
  }
  int which = -1;
  const Tessel::Document* tessel = Testing::TesselOf(*opened.chart);
  for (int i = 0; i < 2; ++i) {
    if (opened.chart->Data() == docs[i]->Chart().Data() && tessel != nullptr &&
        tessel->Settings() == docs[i]->Doc().Settings() &&
        tessel->Matrix() == docs[i]->Doc().Matrix()) {
      which = i;
    }
  }
  opened.chart->Close();
  return which;
}

// Saves are killed at random moments, again and again; every time, the file must open as one of
// the two documents, complete.
TEST(AtomicSaveTest, KilledSavesLeaveTheOldOrTheNewDocument) {
  constexpr int kKills = 24;
  TempDir folder;
  const std::string path = folder / "large.strata";
  Testing::TestChart a(LargeRecording(0));
  Testing::TestChart b(LargeRecording(1));
  a.Doc().Settings().sigFigs = 3;
  b.Doc().Settings().sigFigs = 8;
  b.Doc().Matrix().AppendRow();
  Testing::TestChart* docs[2] = {&a, &b};
  ASSERT_EQ(StrataFile::Save(path, a.Chart(), Classes()), "");

  // The length of one save sets the range of the kill moments, so that they fall all over it.
  const auto t0 = std::chrono::steady_clock::now();
  ASSERT_EQ(StrataFile::Save((folder / "probe.strata"), b.Chart(), Classes()), "");
  const auto saveLength =
      std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - t0);
  std::mt19937 random(20261205);
  std::uniform_int_distribution<long> moment(0, saveLength.count() * 5 / 4);

  int onDisk = 0;
  int killedMidSave = 0;
  for (int i = 0; i < kKills; ++i) {
    const int next = 1 - onDisk;
    const pid_t pid = ::fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
      const std::string error = StrataFile::Save(path, docs[next]->Chart(), Classes());
      ::_exit(error.empty() ? 0 : 1);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(moment(random)));
    ::kill(pid, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(pid, &status, 0), pid);
    const bool finished = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    killedMidSave += WIFSIGNALED(status) ? 1 : 0;
    std::string error;
    const int found = WhichDocument(path, docs, &error);
    ASSERT_NE(found, -1) << "kill " << i << ": " << error;
    if (finished) {
      EXPECT_EQ(found, next) << "kill " << i;
    }
    onDisk = found;
  }
  EXPECT_GT(killedMidSave, 0);
  RecordProperty("killedMidSave", killedMidSave);
}

}  // namespace
}  // namespace Strata
