#pragma once

#include "tessel/measure/CalcType.h"
#include "tessel/measure/Plugin.h"

namespace Tessel {

// The smallest finite sample.
class MinPlugin final : public Plugin {
 public:
  using Plugin::Plugin;

  void AddSamples(std::int32_t firstIndex, const float* samples, std::uint32_t count,
                  bool correctBaseline) override {
    double minimum = minimum_;  // in a register for the whole chunk
    Feed(firstIndex, samples, count, correctBaseline, [&minimum](double v) {
      if (v < minimum) {
        minimum = v;
      }
    });
    minimum_ = minimum;
  }
  // Still at its start value means no sample was seen.
  double Result() const override { return minimum_ == kFloatMax ? kMissingResponse : minimum_; }

 private:
  void Accumulate(double v) override {
    if (v < minimum_) {
      minimum_ = v;
    }
  }

  double minimum_ = kFloatMax;
};

}  // namespace Tessel
