#pragma once

#include "tessel/measure/CalcType.h"
#include "tessel/measure/Plugin.h"

namespace Tessel {

// The mean of the finite samples.
class AveragePlugin final : public Plugin {
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
  double Result() const override { return count_ > 0.0 ? sum_ / count_ : kMissingResponse; }

 private:
  void Add(double v) {
    sum_ += v;
    count_ += 1.0;
  }

  double sum_ = 0.0;
  double count_ = 0.0;
};

}  // namespace Tessel
