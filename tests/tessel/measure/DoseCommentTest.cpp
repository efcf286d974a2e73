#include "tessel/measure/DoseComment.h"

#include <gtest/gtest.h>

namespace Tessel {
namespace {

TEST(DoseCommentTest, TextCarriesDoseAndLabelAsTheyStand) {
  EXPECT_EQ(FormatDoseComment("0.5", "Control"), "TSL: <0.5> <Control>");
  // No trimming and no re-formatting: what the table holds goes into the recording.
  EXPECT_EQ(FormatDoseComment("0.10", " Run 1 "), "TSL: <0.10> < Run 1 >");
}

TEST(DoseCommentTest, ParsesWhatPeopleWriteIntoComments) {
  struct Case {
    const char* text;
    bool ok;
    const char* dose;
    const char* label;
  };
  const Case cases[] = {
      {"TSL: <10> <Control>", true, "10", "Control"},
      {"tsl: <10> <control>", true, "10", "control"},
      {"TSL:<10><Control>", true, "10", "Control"},
      // Thousands and decimal separators: the right-most one is the decimal point.
      {"TSL: <1,000.5> <A>", true, "1000.5", "A"},
      {"TSL: <0,5> <A>", true, "0.5", "A"},
      {"TSL: <1.000,25> <A>", true, "1000.25", "A"},
      // ';' separates words before numbers are read, so it only splits them here.
      {"TSL: <2;5> <A>", true, "2", "5"},
      // Not a positive number, so a label; then nothing is left to be the dose.
      {"TSL: <-1> <A>", false, "", ""},
      {"TSL: <0> <A>", false, "", ""},
      // Once the dose is found a number is a label like any other word.
      {"TSL: <5> <-1>", true, "5", "-1"},
      {"TSL: <5> <Run_1>", true, "5", "Run"},
      {"TSL: <5> <R> <X>", true, "5", "R"},
      {"TSL: <0.10> <A>", true, "0.1", "A"},
      {"TSL: <1234567> <A>", true, "1.23457e+006", "A"},
      {"TSL: <1e-7> <A>", true, "1e-007", "A"},
      // The number is the leading run of number characters; the rest of the word is dropped.
      {"TSL: <5mg> <Saline>", true, "5", "Saline"},
      // Words inside "tsl: <" are skipped even in the wrong place; other words are labels.
      {"Control tsl: <3>", true, "3", "Control"},
      {"s l sl: 4 Drug", true, "4", "Drug"},
      // Single letters and signs that start like a number but are not one.
      {"TSL: <e> <5>", true, "5", "e"},
      {"TSL: <-> <A> <2>", true, "2", "-"},
      {"TSL: <1e5e> <A>", false, "", ""},
      {"TSL: <> <>", false, "", ""},
      {"", false, "", ""},
      {"   ", false, "", ""},
      {"TSL: <5>", false, "", ""},
      {"TSL: <Control>", false, "", ""},
      // Two spaces make an empty word, which is skipped.
      {"TSL:  <7>  <B>", true, "7", "B"},
  };
  for (const Case& c : cases) {
    const ParsedDoseComment parsed = ParseDoseComment(c.text);
    EXPECT_EQ(parsed.ok, c.ok) << c.text;
    EXPECT_EQ(parsed.doseText, c.dose) << c.text;
    EXPECT_EQ(parsed.runLabel, c.label) << c.text;
  }
}

TEST(DoseCommentTest, NumberReaderTellsNumbersFromWords) {
  EXPECT_EQ(ReadCommentNumber("12.5abc"), 12.5);
  EXPECT_EQ(ReadCommentNumber("+3"), 3.0);
  EXPECT_EQ(ReadCommentNumber("1,234,567"), 1234.567);  // the last comma is the decimal point
  EXPECT_EQ(ReadCommentNumber("--5"), 0.0);             // looks like a number, reads as 0
  EXPECT_EQ(ReadCommentNumber("abc"), std::nullopt);
  EXPECT_EQ(ReadCommentNumber("E"), std::nullopt);
  EXPECT_EQ(ReadCommentNumber("-"), std::nullopt);
  EXPECT_EQ(ReadCommentNumber("1e2E3"), std::nullopt);
}

TEST(DoseCommentTest, RecognisesTheMarkInAnyCase) {
  EXPECT_TRUE(HasDoseCommentMark("Note TsL: <1> <A>"));
  EXPECT_FALSE(HasDoseCommentMark("TSL:<1> <A>"));
}

}  // namespace
}  // namespace Tessel
