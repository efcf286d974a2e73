#include "tessel/document/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>

namespace Tessel {
namespace {

struct FormatCase {
  double value;
  int sigFigs;
  bool scientific;
  const char* expected;
};

TEST(NumberTextTest, FormatsTheDocumentedExamples) {
  const FormatCase cases[] = {
      {1500, 3, true, "1.50e+003"},
      {0.00012345, 3, true, "1.23e-004"},
      {0.000123, 3, false, "0.000123"},
      {0.0000123, 3, false, "1.23e-005"},
      {15000000, 3, false, "1.5e+007"},
      {2.50, 3, false, "2.5"},
      {100, 3, false, "100"},
      {1234, 1, true, "1e+003"},
      {0.1, 10, false, "0.1"},
      {-0.5, 4, false, "-0.5"},
      {0.0, 4, false, "0"},
      {0.0, 3, true, "0.00e+000"},
      {1e300, 4, false, "1e+300"},
      {123456, 4, false, "1.235e+005"},
      {1234.6, 4, false, "1235"},
      {9999.6, 4, false, "1e+004"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatNumber(c.value, c.sigFigs, c.scientific), c.expected)
        << c.value << " n=" << c.sigFigs << (c.scientific ? " scientific" : " general");
  }
}

TEST(NumberTextTest, NonFiniteValuesHaveWords) {
  const double inf = std::numeric_limits<double>::infinity();
  for (bool scientific : {false, true}) {
    EXPECT_EQ(FormatNumber(inf, 4, scientific), "infinity");
    EXPECT_EQ(FormatNumber(-inf, 4, scientific), "-infinity");
    EXPECT_EQ(FormatNumber(std::nan(""), 4, scientific), "NaN");
    EXPECT_EQ(FormatNumber(-std::nan(""), 4, scientific), "NaN");
  }
}

// Only the width of the exponent may differ from the C library's own %g and %e.
TEST(NumberTextTest, AgreesWithPrintfOverAMillionRandomDoubles) {
  std::mt19937_64 random(20261205);
  std::uniform_int_distribution<int> digits(1, 10);
  char buffer[64];
  int mismatches = 0;
  for (int i = 0; i < 1000000 && mismatches < 10; ++i) {
    // Random bit patterns cover every exponent; half the draws use ordinary magnitudes.
    double v;
    if (i % 2 == 0) {
      const std::uint64_t bits = random();
      std::memcpy(&v, &bits, sizeof v);
      if (!std::isfinite(v)) {
        continue;
      }
    } else {
      v = std::ldexp(static_cast<double>(random() >> 11) / 9007199254740992.0,
                     static_cast<int>(random() % 80) - 40);
    }
    const int n = digits(random);
    const bool scientific = (i % 3) == 0;
    if (scientific) {
      std::snprintf(buffer, sizeof buffer, "%.*e", n - 1, v);
    } else {
      std::snprintf(buffer, sizeof buffer, "%.*g", n, v);
    }
    const std::string expected = WidenExponent(buffer);
    const std::string actual = FormatNumber(v, n, scientific);
    if (actual != expected) {
      ++mismatches;
      ADD_FAILURE() << "value " << buffer << " n=" << n << ": " << actual << " vs " << expected;
    }
  }
}

TEST(NumberTextTest, WidenExponentPadsToThreeDigitsOnly) {
  EXPECT_EQ(WidenExponent("1e+07"), "1e+007");
  EXPECT_EQ(WidenExponent("1.5e-5"), "1.5e-005");
  EXPECT_EQ(WidenExponent("1e+300"), "1e+300");
  EXPECT_EQ(WidenExponent("12.5"), "12.5");
}

TEST(NumberTextTest, CellOutputTextOfChannelsAndPrompts) {
  const std::vector<std::string> titles = {"Tension", "Pressure", "Flow"};
  auto cell = [](std::string text, std::int32_t flags) {
    TableViewElem e = TableViewElem::Cleared();
    e.text = std::move(text);
    e.flags = flags;
    return e;
  };
  EXPECT_EQ(CellOutputText(cell("2", kFlagsRunChannelSet), titles), "Flow");
  EXPECT_EQ(CellOutputText(cell("0", kFlagsRunChannelSet), titles), "Tension");
  EXPECT_EQ(CellOutputText(cell("-1", kFlagsRunChannelSet), titles), "");
  EXPECT_EQ(CellOutputText(cell("7", kFlagsRunChannelSet), titles), "");
  EXPECT_EQ(CellOutputText(cell("abc", kFlagsRunChannelSet), titles), "");
  // A channel that is still a prompt gives nothing, whatever index it holds.
  EXPECT_EQ(CellOutputText(cell("1", kFlagsRunChannelUnset), titles), "");
  EXPECT_EQ(CellOutputText(cell("<Enter Dose>", kFlagsEnterDose), titles), "");
  EXPECT_EQ(CellOutputText(cell("<Run B Label>", kFlagsRunLabelPlaceholder), titles), "");
  EXPECT_EQ(CellOutputText(cell("NaN", kFlagsResponse), titles), "NaN");
  EXPECT_EQ(CellOutputText(cell("0.5", kFlagsResponse), titles), "0.5");
}

}  // namespace
}  // namespace Tessel
