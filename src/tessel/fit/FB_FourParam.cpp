#include "tessel/fit/FB_FourParam.h"

#include <cmath>

namespace Sigmoid {

void FB_FourParam::InitialEstimates(const std::vector<double>& x, const std::vector<double>& y,
                                    std::vector<double>& p) const {
  FB_ThreeParam::InitialEstimates(x, y, p);
  // A rising curve of unit slope: the estimates above always give Top >= Bottom.
  p[kHillSlope] = 1.0;
}

void FB_FourParam::Gradient(double x, const std::vector<double>& p, std::vector<double>& g) const {
  FB_ThreeParam::Gradient(x, p, g);
  if (g.size() <= static_cast<size_t>(kHillSlope)) {
    return;
  }
  const double h = HillSlope(p);
  const double ratio = std::pow(10.0, p[kLogEC50]) / x;
  const double e = std::pow(ratio, h);
  const double d = (e + 1.0) * (e + 1.0);
  g[kHillSlope] = std::log(ratio) * e * (p[kBottom] - p[kTop]) / d;
}

}  // namespace Sigmoid
