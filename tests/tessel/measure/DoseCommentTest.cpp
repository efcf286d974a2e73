#include "tessel/measure/DoseComment.h"

#include <gtest/gtest.h>

#include "support/TestData.h"

namespace Tessel {
namespace {

TEST(DoseCommentTest, TextCarriesDoseAndLabelAsTheyStand) {
  EXPECT_EQ(FormatDoseComment("0.5", "Control"), "TSL: <0.5> <Control>");
  // No trimming and no re-formatting: what the table holds goes into the recording.
  EXPECT_EQ(FormatDoseComment("0.10", " Run 1 "), "TSL: <0.10> < Run 1 >");
}

TEST(DoseCommentTest, ParsesWhatPeopleWriteIntoComments) {
  for (const Testing::DataRow& c : Testing::DataTable("measure/dose-comments.txt")) {
    SCOPED_TRACE(c.where + " " + c[0]);
    const ParsedDoseComment parsed = ParseDoseComment(c[0]);
    EXPECT_EQ(parsed.ok, c.Flag(1));
    EXPECT_EQ(parsed.doseText, c[2]);
    EXPECT_EQ(parsed.runLabel, c[3]);
  }
}

TEST(DoseCommentTest, NumberReaderTellsNumbersFromWords) {
  EXPECT_EQ(ReadCommentNumber("12.5abc"), 12.5);
  EXPECT_EQ(ReadCommentNumber("1,234,567"), 1234.567);  // the last comma is the decimal point
  EXPECT_EQ(ReadCommentNumber("--5"), 0.0);             // looks like a number, reads as 0
  for (const char* word : {"abc", "E", "-", "1e2E3"}) {
    EXPECT_EQ(ReadCommentNumber(word), std::nullopt) << word;
  }
}

TEST(DoseCommentTest, RecognisesTheMarkInAnyCase) {
  EXPECT_TRUE(HasDoseCommentMark("Note TsL: <1> <A>"));
  EXPECT_FALSE(HasDoseCommentMark("TSL:<1> <A>"));
}

}  // namespace
}  // namespace Tessel
