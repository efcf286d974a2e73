#include "tessel/measure/Plugin.h"

#include <cfloat>
#include <cmath>
#include <limits>
#include <vector>

#include <gtest/gtest.h>

#include "tessel/measure/CalcType.h"

namespace Tessel {
namespace {

std::unique_ptr<Plugin> Make(std::int32_t type, const TableViewElem& cell, double interval = 0.5) {
  return MakePlugin(type, &cell, nullptr, interval, 0, 0);
}

TEST(PluginTest, ExtremesAtTheLargestFloatCountAsNothingSeen) {
  // The start values are the largest float and its negative: a sample sitting exactly there
  // cannot be told from no sample at all.
  const TableViewElem cell = TableViewElem::Cleared();
  EXPECT_EQ(MakePlugin(5, &cell, nullptr, 1.0, 0, 0), nullptr);  // no sixth calculation
  auto maximum = Make(kCalcMaximum, cell);
  maximum->AddSample(0, -FLT_MAX, false);
  EXPECT_TRUE(std::isnan(maximum->Result()));
  maximum->AddSample(1, -1e30, false);
  EXPECT_EQ(maximum->Result(), -1e30);
  auto minimum = Make(kCalcMinimum, cell);
  minimum->AddSample(0, FLT_MAX, false);
  EXPECT_TRUE(std::isnan(minimum->Result()));
  // A double beyond the float range still moves the 64-bit extremes.
  minimum->AddSample(0, 1e300, false);
  EXPECT_TRUE(std::isnan(minimum->Result()));
  minimum->AddSample(0, -1e300, false);
  EXPECT_EQ(minimum->Result(), -1e300);
}

TEST(PluginTest, MaxMinusMinKeepsFloatExtremesAndSubtractsInDouble) {
  const TableViewElem cell = TableViewElem::Cleared();
  auto range = Make(kCalcMaxMinusMin, cell);
  range->AddSample(0, 0.1, true);
  range->AddSample(1, 0.3, true);
  EXPECT_EQ(range->Result(),
            static_cast<double>(static_cast<float>(0.3)) - static_cast<double>(0.1f));
}

TEST(PluginTest, ChunkedFeedingEqualsSampleBySample) {
  // The calculation feeds chunks; the per-sample operation is the definition. They must agree
  // to the last bit, baseline slope and skipped samples included.
  TableViewElem cell = TableViewElem::Cleared();
  cell.userBaseline = Baseline{true, 0.3, -1.7};
  std::vector<float> samples;
  for (int i = 0; i < 700; ++i) {
    samples.push_back(i % 97 == 0 ? std::numeric_limits<float>::quiet_NaN()
                                  : static_cast<float>(std::cos(i * 0.37) * 3.0));
  }
  for (std::int32_t type = 0; type < kCalcTypeCount; ++type) {
    for (bool correct : {false, true}) {
      auto chunked = Make(type, cell, 0.003);
      auto single = Make(type, cell, 0.003);
      chunked->AddSamples(-250, samples.data(), 512, correct);
      chunked->AddSamples(262, samples.data() + 512, 188, correct);
      for (int i = 0; i < 700; ++i) {
        single->AddSample(i - 250, samples[static_cast<size_t>(i)], correct);
      }
      EXPECT_EQ(chunked->Result(), single->Result()) << CalcTypeName(type) << correct;
    }
  }
}

}  // namespace
}  // namespace Tessel
