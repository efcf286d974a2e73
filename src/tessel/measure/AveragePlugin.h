#pragma once

#include "tessel/measure/CalcType.h"
#include "tessel/measure/Plugin.h"

namespace Tessel {

// The mean of the finite samples.
class AveragePlugin final : public Plugin {
 public:
  using Plugin::Plugin;

  void AddSamples(std::int32_t firstIndex, const float* samples, std::uint32_t count,
                  bool correctBaseline) override {
    total_.AddChunk([&](auto add) { Feed(firstIndex, samples, count, correctBaseline, add); });
  }
  double Result() const override {
    return total_.count > 0.0 ? total_.sum / total_.count : kMissingResponse;
  }

 private:
  void Accumulate(double v) override { total_.Add(v); }

  RunningSum total_;
};

}  // namespace Tessel
