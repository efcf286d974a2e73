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
    // Running totals in locals keep them in registers for the whole chunk. Adding the finite
    // count once equals adding 1.0 that many times while the count stays below 2^53.
    double sum = sum_;
    std::uint32_t added = 0;
    Feed(firstIndex, samples, count, correctBaseline, [&sum, &added](double v) {
      sum += v;
      ++added;
    });
    sum_ = sum;
    count_ += static_cast<double>(added);
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
