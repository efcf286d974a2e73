#pragma once

#include "tessel/measure/CalcType.h"
#include "tessel/measure/Plugin.h"

namespace Tessel {

// The largest finite sample.
class MaxPlugin final : public Plugin {
 public:
  using Plugin::Plugin;

  void AddSamples(std::int32_t firstIndex, const float* samples, std::uint32_t count,
                  bool correctBaseline) override {
    double maximum = maximum_;  // in a register for the whole chunk
    Feed(firstIndex, samples, count, correctBaseline, [&maximum](double v) {
      if (v > maximum) {
        maximum = v;
      }
    });
    maximum_ = maximum;
  }
  // Still at its start value means no sample was seen.
  double Result() const override { return maximum_ == -kFloatMax ? kMissingResponse : maximum_; }

 private:
  void Accumulate(double v) override {
    if (v > maximum_) {
      maximum_ = v;
    }
  }

  double maximum_ = -kFloatMax;
};

}  // namespace Tessel
