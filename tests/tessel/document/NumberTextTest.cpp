#include "tessel/document/NumberText.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <random>

#include "support/TestData.h"

namespace Tessel {
namespace {

TEST(NumberTextTest, FormatsTheDocumentedExamples) {
  for (const Testing::DataRow& c : Testing::DataTable("document/number-format.txt")) {
    SCOPED_TRACE(c.where);
    EXPECT_EQ(FormatNumber(c.Number(0), c.Int(1), c.Flag(2)), c[3]);
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
  for (const Testing::DataRow& c : Testing::DataTable("document/cell-output.txt")) {
    TableViewElem e = TableViewElem::Cleared();
    e.text = c[0];
    e.flags = c.Int(1);
    EXPECT_EQ(CellOutputText(e, titles), c[2]) << c.where;
  }
}

}  // namespace
}  // namespace Tessel
