#pragma once

#include <limits>

#include "tessel/measure/CalcType.h"
#include "tessel/measure/Plugin.h"

namespace Tessel {

// The peak-to-peak amplitude of the finite samples. Never baseline-corrected: subtracting a
// straight line would only tilt the trace, and the amplitude is meant as recorded.
class MaxMinusMinPlugin final : public Plugin {
 public:
  using Plugin::Plugin;

  void AddSample(std::int32_t /*index*/, double value, bool /*correctBaseline*/) override {
    if (std::isfinite(value)) {
      Add(static_cast<float>(value));
    }
  }
  void AddSamples(std::int32_t /*firstIndex*/, const float* samples, std::uint32_t count,
                  bool /*correctBaseline*/) override {
    float minimum = minimum_;  // in registers for the whole chunk
    float maximum = maximum_;
    for (std::uint32_t j = 0; j < count; ++j) {
      const float v = samples[j];
      if (std::isfinite(v)) {
        minimum = v < minimum ? v : minimum;
        maximum = v > maximum ? v : maximum;
      }
    }
    minimum_ = minimum;
    maximum_ = maximum;
  }
  double Result() const override {
    if (minimum_ == kFloatMaxF || maximum_ == -kFloatMaxF) {
      return kMissingResponse;
    }
    return static_cast<double>(maximum_) - static_cast<double>(minimum_);
  }

 private:
  // The extremes are kept in the samples' own type.
  static constexpr float kFloatMaxF = std::numeric_limits<float>::max();

  void Accumulate(double value) override { Add(static_cast<float>(value)); }
  void Add(float v) {
    if (v < minimum_) {
      minimum_ = v;
    }
    if (v > maximum_) {
      maximum_ = v;
    }
  }

  float minimum_ = kFloatMaxF;
  float maximum_ = -kFloatMaxF;
};

}  // namespace Tessel
