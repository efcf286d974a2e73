#include <gtest/gtest.h>

#include <cmath>

#include "strata/import/DelimitedTextReader.h"

namespace {

Strata::ImportResult Read(const std::string& text, const Strata::ImportOptions& options = {}) {
  return Strata::DelimitedTextReader().ReadText(text, "bath.csv", options);
}

TEST(DelimitedTextReader, HeaderGivesTitlesUnitsAndComments) {
  const auto r = Read(
      "Time [s],Tension [mN],Pressure [mmHg],Comment\n"
      "0.000,1.5,100,\n"
      "0.010,1.6,101,\"TSL: <0.1> <Control>\"\n"
      "0.020,1.7,102,\"Wash, then 10 min\"\n"
      "0.030,1.8,103\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_EQ(r.format, "Delimited text");
  const Strata::Recording& rec = r.recording;
  ASSERT_EQ(rec.ChannelCount(), 2);
  EXPECT_EQ(rec.ChannelAt(0).title, "Tension");
  EXPECT_EQ(rec.ChannelAt(1).title, "Pressure");
  ASSERT_EQ(rec.BlockCount(), 1);
  EXPECT_EQ(rec.BlockAt(0).units, (std::vector<std::string>{"mN", "mmHg"}));
  EXPECT_DOUBLE_EQ(rec.BlockAt(0).interval, 0.01);
  EXPECT_EQ(rec.BlockAt(0).samples[0], (std::vector<float>{1.5f, 1.6f, 1.7f, 1.8f}));
  EXPECT_EQ(rec.BlockAt(0).samples[1], (std::vector<float>{100, 101, 102, 103}));
  EXPECT_EQ(rec.Comments(), (std::vector<Strata::Comment>{{1, -1, {0, 1}, "TSL: <0.1> <Control>"},
                                                          {2, -1, {0, 2}, "Wash, then 10 min"}}));
}

TEST(DelimitedTextReader, SeparatorsAndDecimalCommasAreDetected) {
  const std::pair<const char*, const char*> cases[] = {
      {"semicolon, decimal comma", "Zeit [s];Kraft [mN]\n0;1,25\n0,5;2,5\n1;-3,75\n"},
      {"tab, decimal comma", "Zeit [s]\tKraft [mN]\n0\t1,25\n0,5\t2,5\n1\t-3,75\n"},
      {"tab, decimal point", "Zeit [s]\tKraft [mN]\n0\t1.25\n0.5\t2.5\n1\t-3.75\n"},
      {"time in ms", "Zeit [ms],Kraft [mN]\n0,1.25\n500,2.5\n1000,-3.75\n"},
      {"no header", "0,1.25\r\n0.5,2.5\r\n1,-3.75\r\n"},
  };
  for (const auto& [name, text] : cases) {
    const auto r = Read(text);
    ASSERT_TRUE(r.ok) << name << ": " << r.error;
    EXPECT_DOUBLE_EQ(r.recording.BlockAt(0).interval, 0.5) << name;
    EXPECT_EQ(r.recording.BlockAt(0).samples[0], (std::vector<float>{1.25f, 2.5f, -3.75f})) << name;
  }
}

TEST(DelimitedTextReader, TimeJumpStartsANewBlock) {
  const auto r = Read(
      "Time,Force,Comment\n"
      "10.0,1,\n10.1,2,\n10.2,3,Pause\n"
      "25.0,4,Resumed\n25.1,5,\n");
  ASSERT_TRUE(r.ok) << r.error;
  ASSERT_EQ(r.recording.BlockCount(), 2);
  EXPECT_DOUBLE_EQ(r.recording.BlockAt(0).startTime, 10.0);
  EXPECT_DOUBLE_EQ(r.recording.BlockAt(1).startTime, 25.0);
  EXPECT_NEAR(r.recording.BlockAt(1).interval, 0.1, 1e-12);
  EXPECT_EQ(r.recording.BlockAt(1).samples[0], (std::vector<float>{4, 5}));
  ASSERT_EQ(r.recording.Comments().size(), 2u);
  EXPECT_EQ(r.recording.Comments()[0].position, Tessel::TickPosition(0, 2));
  EXPECT_EQ(r.recording.Comments()[1].position, Tessel::TickPosition(1, 0));
}

TEST(DelimitedTextReader, EmptyFieldsReadAsNotANumberAndAreReported) {
  const auto r = Read("Time,A [V],B [V]\n0,1,\n1,,2\n2,3,\n");
  ASSERT_TRUE(r.ok) << r.error;
  EXPECT_TRUE(std::isnan(r.recording.BlockAt(0).samples[0][1]));
  EXPECT_EQ(r.Report(), (std::vector<std::string>{
                            "Channel \"A\" has 1 empty fields, the first on line 3; they read as "
                            "not-a-number.",
                            "Channel \"B\" has 2 empty fields, the first on line 2; they read as "
                            "not-a-number."}));
  EXPECT_EQ(r.warnings[1].line, 2);
  EXPECT_EQ(r.warnings[1].kind, Strata::ImportWarning::Kind::MissingValue);
}

TEST(DelimitedTextReader, ProgressCanCancelALongFile) {
  std::string text = "Time,A\n";
  for (int i = 0; i < 10000; ++i) {
    text += std::to_string(i) + ",1\n";
  }
  Strata::ImportOptions options;
  int calls = 0;
  options.progress = [&calls](double) { return ++calls < 2; };
  const auto r = Read(text, options);
  EXPECT_EQ(r.error, "bath.csv: reading was cancelled");
  EXPECT_EQ(calls, 2);
}

}  // namespace
