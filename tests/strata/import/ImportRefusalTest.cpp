#include <gtest/gtest.h>

#include <functional>

#include "strata/import/EdfTestWriter.h"
#include "strata/import/RecordingImporter.h"

namespace {

using Testing::TestEdf;
using Testing::TestSignal;

// Two 10 Hz channels (one of them 20 samples per record in BDF terms is not needed here), two
// one-second records, one annotation: 3 signals, a 1024-byte header, 160-byte records.
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

struct Refusal {
  const char* name;
  std::function<std::string()> bytes;
  std::string fault;  // after "<path>: "
};

const std::string kOk = Base().Bytes();  // 1024 + 2 * 160 = 1344 bytes

const Refusal kRefusals[] = {
    {"empty.edf", [] { return std::string(); }, "the file is empty"},
    {"truncated.edf", [] { return kOk.substr(0, kOk.size() - 7); },
     "the file is truncated: it is 1337 bytes long, but its header announces 2 data records of "
     "160 bytes after 1024 header bytes (1344 bytes)"},
    {"header-only.edf", [] { return kOk.substr(0, 100); },
     "the file ends inside its header (100 bytes)"},
    {"signature.edf", [] { return Replace(kOk, 0, "1"); },
     "the format is not recognised: it is neither EDF, BDF nor delimited text"},
    {"count-not-number.edf", [] { return Replace(kOk, 236, "two     "); },
     "the header field \"number of data records\" is not a whole number: \"two\""},
    {"count-too-small.edf", [] { return Replace(kOk, 236, "1       "); },
     "the data record count does not match the file size: the file is 1344 bytes long, but its "
     "header announces 1 data records of 160 bytes after 1024 header bytes (1184 bytes)"},
    {"count-unfinished.edf", [] { return Replace(kOk, 236, "-1      "); },
     "the number of data records is -1: the recording was never closed"},
    {"header-bytes.edf", [] { return Replace(kOk, 184, "1000    "); },
     "the header announces 1000 header bytes, but 3 signals need 1024"},
    {"physical-max.edf", [] { return Replace(kOk, 256 + 3 * (16 + 80 + 8 + 8), "1,5     "); },
     "the header field \"physical maximum of signal 1\" is not a number: \"1,5\""},
    {"digital-range.edf",
     [] { return Replace(kOk, 256 + 3 * (16 + 80 + 8 + 8 + 8 + 8), "40000   "); },
     "signal 1 \"Force\" has digital limits outside -32768 to 32767"},
    {"latin1-header.edf", [] { return Replace(kOk, 12, "\xe9"); },
     "the header holds a character that is not printable ASCII at byte 12"},
    {"start-date.edf", [] { return Replace(kOk, 168, "5.12.26 "); },
     "the start date \"5.12.26\" is not in the form dd.mm.yy"},
    {"no-annotation-signal.edf",
     [] {
       TestEdf e = Base();
       e.reserved = "";
       return Replace(e.Bytes(), 192, "EDF+C");
     },
     "the header marks the file EDF+ but it has no annotation signal"},
    {"open-annotation.edf",
     [] {
       // The second record's annotation list loses its closing bytes.
       std::string b = Base("EDF+D").Bytes();
       const std::size_t tal = 1024 + 160 + 40;
       return Replace(b, tal, std::string("+1\x14\x14xxxxxxxx") + std::string(106, 'y'));
     },
     "data record 2: an annotation list has no end"},
    {"overlapping-records.edf",
     [] {
       TestEdf e = Base("EDF+D");
       e.recordStarts = {"+0", "+0.5"};
       return e.Bytes();
     },
     "data record 2 starts at 0.5 s, before the record before it ends (1 s)"},
    {"ragged.csv", [] { return std::string("Time [s],Force [mN]\n0,1\n0.1,2,3\n0.2,4\n"); },
     "line 3 has 3 fields, but the header has 2"},
    {"letters.csv", [] { return std::string("Time,Force\n0,1\n0.1,two\n"); },
     "line 3, column \"Force\": \"two\" is not a number"},
    {"backwards.csv", [] { return std::string("Time,Force\n0,1\n0.1,2\n0.05,3\n"); },
     "line 4: the time 0.05 s is not after the time on the line before (0.1 s)"},
    {"irregular.csv", [] { return std::string("Time,Force\n0,1\n0.1,2\n0.2,3\n0.33,4\n0.4,5\n"); },
     "line 5: the time step of 0.13 s does not fit the block's sample interval of 0.1 s"},
    {"header-only.csv", [] { return std::string("Time,Force\n"); },
     "the file holds no rows of samples"},
    {"quote.csv", [] { return std::string("Time,Force,Comment\n0,1,\"Dose 1\n"); },
     "line 2 has a quote that is not closed"},
};

TEST(ImportRefusal, MalformedFilesAreRefusedWithFileAndFault) {
  for (const Refusal& c : kRefusals) {
    const std::string path = Testing::WriteTempFile(c.name, c.bytes());
    const Strata::ImportResult r = Strata::ImportRecording(path);
    EXPECT_FALSE(r.ok) << c.name;
    EXPECT_EQ(r.error, path + ": " + c.fault) << c.name;
    // Nothing half-loaded.
    EXPECT_EQ(r.recording.ChannelCount(), 0) << c.name;
    EXPECT_EQ(r.recording.BlockCount(), 0) << c.name;
    EXPECT_TRUE(r.recording.Comments().empty()) << c.name;
  }
}

TEST(ImportRefusal, MissingFileIsNamed) {
  const auto r = Strata::ImportRecording("/nonexistent/recording.edf");
  EXPECT_EQ(r.error, "/nonexistent/recording.edf: the file cannot be opened");
}

TEST(ImportRefusal, TheUntouchedBaseFileIsRead) {
  // Guards the table above: each refusal must come from its own fault, not from the base file.
  for (const std::string reserved : {"EDF+C", "EDF+D"}) {
    const auto r = Strata::ImportRecording(
        Testing::WriteTempFile("base-" + reserved + ".edf", Base(reserved).Bytes()));
    EXPECT_TRUE(r.ok) << r.error;
  }
}

}  // namespace
