#pragma once

#include "tessel/measure/CalcType.h"
#include "tessel/measure/Plugin.h"

namespace Tessel {

// The area under the finite samples: their sum times the sample interval (a left Riemann sum,
// in the channel's unit times seconds).
class IntegralPlugin final : public Plugin {
 public:
  using Plugin::Plugin;

  void AddSamples(std::int32_t firstIndex, const float* samples, std::uint32_t count,
                  bool correctBaseline) override {
    total_.AddChunk([&](auto add) { Feed(firstIndex, samples, count, correctBaseline, add); });
  }
  double Result() const override {
    return total_.count > 0.0 ? total_.sum * Interval() : kMissingResponse;
  }

 private:
  void Accumulate(double v) override { total_.Add(v); }

  RunningSum total_;
};

}  // namespace Tessel
