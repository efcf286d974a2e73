#include "tessel/fit/FB_ThreeParam.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace Sigmoid {

void FB_ThreeParam::InitialEstimates(const std::vector<double>& x, const std::vector<double>& y,
                                     std::vector<double>& p) const {
  const size_t count = static_cast<size_t>(ParameterCount());
  if (p.size() < count) {
    p.resize(count, 0.0);
  }
  // n comes from the doses; a shorter response vector must not be read past its end.
  const size_t n = std::min(x.size(), y.size());
  if (n == 0) {
    return;
  }
  double top = y[0];
  double bottom = y[0];
  double logEC50 = std::log10(x[0]);
  double below = y[0];
  // Strict comparisons: among equal responses the earliest point wins, and NaN never wins.
  for (size_t i = 1; i < n; ++i) {
    if (y[i] > top) {
      top = y[i];
    }
    if (y[i] < bottom) {
      bottom = y[i];
      logEC50 = std::log10(x[i]);
      below = y[i];
    }
  }
  const double mid = (bottom + top) * 0.5;
  // The dose of the largest response strictly below half-way: the nearest point under the
  // midpoint is the best cheap guess of where the curve crosses it.
  for (size_t i = 1; i < n; ++i) {
    if (y[i] > below && y[i] < mid) {
      logEC50 = std::log10(x[i]);
      below = y[i];
    }
  }
  p[kTop] = top;
  p[kBottom] = bottom;
  p[kLogEC50] = logEC50;
}

double FB_ThreeParam::Evaluate(double x, const std::vector<double>& p) const {
  const double e = std::pow(10.0, (p[kLogEC50] - std::log10(x)) * HillSlope(p));
  return (p[kTop] - p[kBottom]) / (e + 1.0) + p[kBottom];
}

void FB_ThreeParam::Gradient(double x, const std::vector<double>& p, std::vector<double>& g) const {
  const double h = HillSlope(p);
  const double e = std::pow(std::pow(10.0, p[kLogEC50]) / x, h);
  const double d = (e + 1.0) * (e + 1.0);
  g[kTop] = 1.0 / (e + 1.0);
  g[kBottom] = 1.0 - g[kTop];
  g[kLogEC50] = e * (p[kBottom] - p[kTop]) * h * std::numbers::ln10 / d;
}

}  // namespace Sigmoid
