#include <gtest/gtest.h>

#include "strata/import/EdfTestWriter.h"
#include "strata/import/RecordingImporter.h"
#include "support/TestData.h"

namespace {

using Testing::TestEdf;
using Testing::TestSignal;

// Two 10 Hz channels, two one-second records, one annotation: 3 signals, a 1024-byte header,
// 160-byte records.
TestEdf Base(const std::string& reserved = "EDF+C") {
  TestEdf e;
  e.reserved = reserved;
  e.recordStarts = {"+0", "+1"};
  TestSignal a{"Force", "mN", "-100", "100", "-32768", "32767", 10, std::vector<int>(20, 5)};
  TestSignal b{"Pressure", "mmHg", "0", "300", "-2048", "2047", 10, std::vector<int>(20, 7)};
  e.signals = {a, b};
  e.annotations = {{"+0.5", "Dose 1", 0}};
  return e;
}

std::string Replace(std::string bytes, std::size_t at, const std::string& field) {
  bytes.replace(at, field.size(), field);
  return bytes;
}

// The files of tests/data/import/refusals.txt whose fault needs more than a patched field.
std::string Made(const std::string& name) {
  if (name == "no-annotation-signal.edf") {
    TestEdf e = Base();
    e.reserved = "";
    return Replace(e.Bytes(), 192, "EDF+C");
  }
  if (name == "open-annotation.edf") {
    // The second record's annotation list loses its closing bytes.
    const std::size_t tal = 1024 + 160 + 40;
    return Replace(Base("EDF+D").Bytes(), tal,
                   std::string("+1\x14\x14xxxxxxxx") + std::string(106, 'y'));
  }
  TestEdf e = Base("EDF+D");
  e.recordStarts = {"+0", "+0.5"};
  return e.Bytes();
}

TEST(ImportRefusal, MalformedFilesAreRefusedWithFileAndFault) {
  const std::string base = Base().Bytes();
  const Testing::TempDir dir;
  for (const Testing::DataRow& c : Testing::DataTable("import/refusals.txt")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    const std::string how = c[1];
    std::string bytes = c[2];
    if (how.starts_with("cut ")) {
      bytes = base.substr(0, std::stoul(how.substr(4)));
    } else if (how.starts_with("at ")) {
      bytes = Replace(base, std::stoul(how.substr(3)), c[2]);
    } else if (how == "made") {
      bytes = Made(c[0]);
    }
    const std::string path = Testing::WriteFile(dir / c[0], bytes);
    const Strata::ImportResult r = Strata::ImportRecording(path);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, path + ": " + c[3]);
    // Nothing half-loaded.
    EXPECT_EQ(r.recording.ChannelCount(), 0);
    EXPECT_EQ(r.recording.BlockCount(), 0);
    EXPECT_TRUE(r.recording.Comments().empty());
  }
  // Each refusal comes from its own fault, not from the base file.
  for (const std::string reserved : {"EDF+C", "EDF+D"}) {
    const auto r = Strata::ImportRecording(
        Testing::WriteFile(dir / ("base-" + reserved + ".edf"), Base(reserved).Bytes()));
    EXPECT_TRUE(r.ok) << r.error;
  }
  const auto missing = Strata::ImportRecording("/nonexistent/recording.edf");
  EXPECT_EQ(missing.error, "/nonexistent/recording.edf: the file cannot be opened");
}

}  // namespace
