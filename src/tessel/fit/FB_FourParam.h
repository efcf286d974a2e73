#pragma once

#include "tessel/fit/FB_ThreeParam.h"

namespace Sigmoid {

// The four-parameter logistic: the three-parameter curve with a free Hill slope (entry 3).
class FB_FourParam : public FB_ThreeParam {
 public:
  int ParameterCount() const override { return 4; }
  void InitialEstimates(const std::vector<double>& x, const std::vector<double>& y,
                        std::vector<double>& p) const override;
  void Gradient(double x, const std::vector<double>& p, std::vector<double>& g) const override;
};

}  // namespace Sigmoid
