#pragma once

#include "tessel/measure/CalcType.h"
#include "tessel/measure/Plugin.h"

namespace Tessel {

// The area under the finite samples: their sum times the sample interval (a left Riemann sum,
// in the channel's unit times seconds).
class IntegralPlugin final : public Plugin {
 public:
  using Plugin::Plugin;

  void AddSample(std::int32_t index, double value, bool correctBaseline) override {
    if (!std::isfinite(value)) {
      return;
    }
    Add(correctBaseline ? value - BaselineAt(index) : value);
  }
  void AddSamples(std::int32_t firstIndex, const float* samples, std::uint32_t count,
                  bool correctBaseline) override {
    Feed(firstIndex, samples, count, correctBaseline, [this](double v) { Add(v); });
  }
  double Result() const override { return count_ > 0.0 ? sum_ * Interval() : kMissingResponse; }

 private:
  void Add(double v) {
    sum_ += v;
    count_ += 1.0;
  }

  double sum_ = 0.0;
  double count_ = 0.0;
};

}  // namespace Tessel
