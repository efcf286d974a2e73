#pragma once

#include <cstddef>

#include "tessel/fit/FunctionBase.h"

namespace Sigmoid {

// Parameter indices of the sigmoid models.
inline constexpr int kTop = 0;
inline constexpr int kBottom = 1;
inline constexpr int kLogEC50 = 2;
inline constexpr int kHillSlope = 3;

// The logistic dose-response curve in log10(dose) with the Hill slope fixed at 1.0:
// y = Bottom + (Top - Bottom) / (1 + 10^((LogEC50 - log10 x) * h)).
// Given a four-entry parameter vector it uses entry 3 as the Hill slope, so the four-parameter
// model can inherit Evaluate and the first three gradient entries.
class FB_ThreeParam : public ExtLib::FunctionBase {
 public:
  int ParameterCount() const override { return 3; }
  void InitialEstimates(const std::vector<double>& x, const std::vector<double>& y,
                        std::vector<double>& p) const override;
  double Evaluate(double x, const std::vector<double>& p) const override;
  void Gradient(double x, const std::vector<double>& p, std::vector<double>& g) const override;

 protected:
  // Entry 3 when present, else the fixed slope 1.0.
  static double HillSlope(const std::vector<double>& p) {
    return p.size() > static_cast<std::size_t>(kHillSlope) ? p[kHillSlope] : 1.0;
  }
};

}  // namespace Sigmoid
