#include <gtest/gtest.h>

#include "strata/import/EdfTestWriter.h"
#include "strata/import/RecordingImporter.h"

namespace {

using Testing::TestAnnotation;
using Testing::TestEdf;
using Testing::TestSignal;

// Digital values that sweep the whole range, negative and positive, so that an offset or sign
// error in the digital-to-physical mapping shows.
std::vector<std::int32_t> Sweep(int count, std::int32_t lo, std::int32_t hi) {
  std::vector<std::int32_t> v;
  for (int i = 0; i < count; ++i) {
    v.push_back(lo +
                static_cast<std::int32_t>((static_cast<std::int64_t>(hi - lo) * i) / (count - 1)));
  }
  return v;
}

// The physical value of a digital one, straight from the header's two calibration points.
double Physical(const TestSignal& s, std::int32_t digital) {
  const double pmin = std::stod(s.physicalMin), pmax = std::stod(s.physicalMax);
  const double dmin = std::stod(s.digitalMin), dmax = std::stod(s.digitalMax);
  return pmin + (digital - dmin) * (pmax - pmin) / (dmax - dmin);
}

// A quarter of one quantisation step: an off-by-one in the digital values is a whole step.
double Tolerance(const TestSignal& s) {
  return 0.25 * (std::stod(s.physicalMax) - std::stod(s.physicalMin)) /
         (std::stod(s.digitalMax) - std::stod(s.digitalMin));
}

// Two channels in different units at 10 Hz, three one-second records, annotations that share a
// prefix ("Dose 10" then "Dose 1"), one in UTF-8, one naming a channel.
TestEdf TwoChannelFile() {
  TestEdf e;
  e.recordStarts = {"+0", "+1", "+2"};
  // The label fills its 16 characters, the dimension its 8: no padding between fields.
  TestSignal force{"Force transducer", "mN",    "-50", "150.5",
                   "-32768",           "32767", 10,    Sweep(30, -32768, 32767)};
  TestSignal pressure{"Pressure", "mmHg/min", "0", "300",
                      "-2048",    "2047",     10,  Sweep(30, 2047, -2048)};
  e.signals = {force, pressure};
  e.annotations = {{"+0.5", "Dose 10", 0},
                   {"+1.2", "Dose 1", 1},
                   {"+2.34", "Zugabe 3 µM Noradrenalin – Bad Ä", 2},
                   {"+2.9", "Wash@@Pressure", 2}};
  return e;
}

void ExpectTwoChannelContents(const Strata::ImportResult& r, const TestEdf& e) {
  ASSERT_TRUE(r.ok) << r.error;
  const Strata::Recording& rec = r.recording;
  ASSERT_EQ(rec.ChannelCount(), 2);
  EXPECT_EQ(rec.ChannelAt(0).title, "Force transducer");
  EXPECT_EQ(rec.ChannelAt(1).title, "Pressure");
  ASSERT_EQ(rec.BlockCount(), 1);
  const Strata::Block& b = rec.BlockAt(0);
  EXPECT_DOUBLE_EQ(b.interval, 0.1);
  EXPECT_DOUBLE_EQ(b.startTime, 0.0);
  EXPECT_EQ(b.units, (std::vector<std::string>{"mN", "mmHg/min"}));
  ASSERT_EQ(b.Ticks(), 30u);
  for (std::size_t c = 0; c < 2; ++c) {
    for (std::size_t i = 0; i < 30; ++i) {
      EXPECT_NEAR(b.samples[c][i], Physical(e.signals[c], e.signals[c].digital[i]),
                  Tolerance(e.signals[c]))
          << "channel " << c << " tick " << i;
    }
  }
  EXPECT_EQ(rec.Comments(), (std::vector<Strata::Comment>{
                                {1, -1, {0, 5}, "Dose 10"},
                                {2, -1, {0, 12}, "Dose 1"},
                                {3, -1, {0, 23}, "Zugabe 3 µM Noradrenalin – Bad Ä"},
                                {4, 1, {0, 29}, "Wash"},
                            }));
  EXPECT_EQ(rec.Validate(), "");
}

// As written, and with numbers that do not start their header fields: EDFlib refuses those,
// and the file is then read record by record, with the same contents.
// A folder of its own for the files written.
class EdfReader : public ::testing::Test {
 protected:
  const Testing::TempDir dir;
};

TEST_F(EdfReader, IndependentlyWrittenEdfPlusImportsExactly) {
  TestEdf spaced = TwoChannelFile();
  spaced.signals[0].physicalMin = " -50";
  spaced.signals[1].physicalMax = "  300";
  spaced.recordDuration = " 1";
  for (const TestEdf& e : {TwoChannelFile(), spaced}) {
    const bool strict = e.recordDuration != " 1";
    const auto r = Strata::ImportRecording(Testing::WriteFile(dir / "file.edf", e.Bytes()));
    EXPECT_EQ(r.format, "EDF+");
    ExpectTwoChannelContents(r, TwoChannelFile());
    EXPECT_EQ(r.Report(), strict ? std::vector<std::string>{}
                                 : std::vector<std::string>{
                                       "EDFlib refused the file as not following the EDF rules "
                                       "strictly; it was read record by record instead."});
  }
}

TEST_F(EdfReader, SubsecondStartShiftsTheBlockNotTheAnnotations) {
  // The first record starts 0.25 s after the header's start time; annotation onsets count from
  // the header's start time, so 1.55 s lies 13 ticks into the block.
  TestEdf e = TwoChannelFile();
  e.recordStarts = {"+0.25", "+1.25", "+2.25"};
  e.annotations = {{"+1.55", "Dose 1", 1}};
  const auto r = Strata::ImportRecording(Testing::WriteFile(dir / "subsecond.edf", e.Bytes()));
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_DOUBLE_EQ(r.recording.BlockAt(0).startTime, 0.25);
  ASSERT_EQ(r.recording.Comments().size(), 1u);
  EXPECT_EQ(r.recording.Comments()[0].position, Tessel::TickPosition(0, 13));
}

TEST_F(EdfReader, PlainEdfAndBdfPlusKeepTheirValues) {
  struct Case {
    const char* name;
    bool bdf;
    std::string reserved;
    std::string format;
  };
  for (const Case& c :
       {Case{"plain.edf", false, "", "EDF"}, Case{"plus.bdf", true, "BDF+C", "BDF+"},
        Case{"plain.bdf", true, "", "BDF"}}) {
    TestEdf e;
    e.bdf = c.bdf;
    e.reserved = c.reserved;
    e.annotationBytes = 120;
    e.recordStarts = {"+0", "+1"};
    TestSignal s{
        "ECG", "uV", "-3200", "3200", c.bdf ? "-8388608" : "-32768", c.bdf ? "8388607" : "32767",
        20,    {}};
    s.digital = c.bdf ? Sweep(40, -8388608, 8388607) : Sweep(40, -32768, 32767);
    e.signals = {s};
    const auto r = Strata::ImportRecording(Testing::WriteFile(dir / c.name, e.Bytes()));
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.format, c.format);
    const auto& samples = r.recording.BlockAt(0).samples[0];
    ASSERT_EQ(samples.size(), 40u) << c.name;
    EXPECT_DOUBLE_EQ(r.recording.BlockAt(0).interval, 0.05);
    for (std::size_t i = 0; i < samples.size(); ++i) {
      EXPECT_NEAR(samples[i], Physical(s, s.digital[i]), Tolerance(s) + 1e-3) << c.name << i;
    }
  }
}

// One channel at 10 Hz beside one at 4 Hz, over three records.
TestEdf MixedRates() {
  TestEdf e;
  e.recordStarts = {"+0", "+1", "+2"};
  TestSignal fast{"Tension", "mN", "-100", "100", "-32768", "32767", 10, Sweep(30, -30000, 30000)};
  TestSignal slow{"Temperature", "degC", "0", "50", "0", "5000", 4, {}};
  for (int i = 0; i < 12; ++i) {
    slow.digital.push_back(3700 + 10 * i);  // 37.0, 37.1, ... degC
  }
  e.signals = {fast, slow};
  return e;
}

TEST_F(EdfReader, SlowerChannelIsInterpolatedOrLeftOutAndReported) {
  const std::string path = Testing::WriteFile(dir / "mixed.edf", MixedRates().Bytes());
  const auto r = Strata::ImportRecording(path);
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_DOUBLE_EQ(r.recording.BlockAt(0).interval, 0.1);
  const auto& temperature = r.recording.BlockAt(0).samples[1];
  ASSERT_EQ(temperature.size(), 30u);
  // Tick j lies at j * 0.1 s, the slow samples every 0.25 s: a straight line through them,
  // 37.0 + 0.1 * (j * 0.4); after the last slow sample (11, at 2.75 s) its value holds.
  for (std::size_t j = 0; j < 30; ++j) {
    EXPECT_NEAR(temperature[j], j <= 27 ? 37.0 + 0.04 * j : 38.1, 1e-4) << j;
  }
  const std::string mismatch = "Channel \"Temperature\" is sampled at 4 Hz, the block at 10 Hz: ";
  EXPECT_EQ(r.Report(),
            (std::vector<std::string>{
                mismatch + "its samples were interpolated linearly onto the block's ticks."}));

  Strata::ImportOptions options;
  options.rateMismatch = Strata::RateMismatch::LeaveOut;
  const auto left = Strata::ImportRecording(path, options);
  ASSERT_EQ(left.recording.ChannelCount(), 1);
  EXPECT_EQ(left.recording.ChannelAt(0).title, "Tension");
  EXPECT_EQ(left.Report(), (std::vector<std::string>{mismatch + "the channel was left out."}));
  ASSERT_EQ(left.warnings.size(), 1u);
  EXPECT_EQ(left.warnings[0].kind, Strata::ImportWarning::Kind::ChannelLeftOut);
  EXPECT_EQ(left.warnings[0].channel, 1);
}

TEST_F(EdfReader, OverlongAnnotationIsCutAtACharacterBoundaryAndReported) {
  TestEdf e = TwoChannelFile();
  e.annotationBytes = 700;
  std::string umlauts;
  for (int i = 0; i < 300; ++i) {
    umlauts += "Ä";
  }
  e.annotations = {{"+1.5", "x" + umlauts, 1}};
  const auto r =
      Strata::ImportRecording(Testing::WriteFile(dir / "long-annotation.edf", e.Bytes()));
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.recording.Comments().size(), 1u);
  // EDFlib keeps 512 bytes: "x" and 255 whole umlauts, then half of one, which is dropped.
  EXPECT_EQ(r.recording.Comments()[0].text, "x" + umlauts.substr(0, 510));
  EXPECT_EQ(r.Report(), (std::vector<std::string>{"The annotation at 1.5 s is longer than EDFlib "
                                                  "reads; only its first 511 bytes were kept."}));
}

TEST_F(EdfReader, ProgressCanCancel) {
  Strata::ImportOptions options;
  options.progress = [](double) { return false; };
  const std::string path = Testing::WriteFile(dir / "cancel.edf", TwoChannelFile().Bytes());
  const auto r = Strata::ImportRecording(path, options);
  EXPECT_FALSE(r.ok);
  EXPECT_EQ(r.error, path + ": reading was cancelled");
  EXPECT_EQ(r.recording.ChannelCount(), 0);
}

}  // namespace
