#include "tessel/fit/ComputeFitStatistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include <libalglib/specialfunctions.h>

#include "tessel/fit/InvertMatrix.h"

namespace Tessel {

namespace {

double InverseStudentT975(std::int32_t df) {
  try {
    return alglib::invstudenttdistribution(df, 0.975);
  } catch (const alglib::ap_error&) {
    return std::numeric_limits<double>::quiet_NaN();
  }
}

}  // namespace

double StudentT975(std::int32_t df) {
  if (df < 1) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  // The Results View refits every run on each redraw and the quantile, which depends on the
  // degrees of freedom only, costs as much as the fit itself: keep the values already computed
  // for the run sizes that occur (a few dozen points at most).
  constexpr std::int32_t kCached = 128;
  if (df >= kCached) {
    return InverseStudentT975(df);
  }
  thread_local std::array<double, kCached> cache = [] {
    std::array<double, kCached> empty{};
    empty.fill(std::numeric_limits<double>::quiet_NaN());
    return empty;
  }();
  double& t = cache[static_cast<size_t>(df)];
  if (std::isnan(t)) {
    t = InverseStudentT975(df);
  }
  return t;
}

namespace {

// J^T J from the analytic gradient at every dose.
ExtLib::Matrix NormalMatrix(const std::vector<double>& doses, const std::vector<double>& params,
                            const ExtLib::FunctionBase& model) {
  const size_t p = static_cast<size_t>(model.ParameterCount());
  ExtLib::Matrix m(p, std::vector<double>(p, 0.0));
  std::vector<double> g(p);
  for (double x : doses) {
    std::fill(g.begin(), g.end(), 0.0);
    model.Gradient(x, params, g);
    for (size_t r = 0; r < p; ++r) {
      for (size_t c = 0; c < p; ++c) {
        m[r][c] += g[r] * g[c];
      }
    }
  }
  return m;
}

}  // namespace

bool ComputeFitStatistics(const std::vector<double>& doses, const std::vector<double>& responses,
                          const std::vector<double>& params, const ExtLib::FunctionBase& model,
                          FitStatistics& stats) {
  const size_t n = std::min(doses.size(), responses.size());
  const auto p = static_cast<size_t>(model.ParameterCount());
  stats.standardErrors.assign(p, 0.0);
  stats.lower.assign(p, 0.0);
  stats.upper.assign(p, 0.0);
  stats.degreesOfFreedom = static_cast<std::int32_t>(n) - static_cast<std::int32_t>(p);

  double mean = 0.0;
  for (size_t i = 0; i < n; ++i) {
    mean += responses[i];
  }
  mean /= static_cast<double>(n);
  double ss = 0.0;
  double ssTotal = 0.0;
  for (size_t i = 0; i < n; ++i) {
    const double residual = responses[i] - model.Evaluate(doses[i], params);
    ss += residual * residual;
    ssTotal += (responses[i] - mean) * (responses[i] - mean);
  }
  stats.absoluteSumOfSquares = ss;
  // All responses equal leave ssTotal 0: R squared is then NaN (perfect fit) or -infinity.
  stats.rSquared = 1.0 - ss / ssTotal;
  // Signed: with no degrees of freedom this is infinite or NaN, and the statistics stop below.
  stats.syx = std::sqrt(ss / static_cast<double>(stats.degreesOfFreedom));
  if (n <= p) {
    return false;
  }

  ExtLib::Matrix covariance = NormalMatrix(doses, params, model);
  try {
    ExtLib::InvertMatrix(covariance);
  } catch (const ExtLib::MtxErr&) {
    return false;
  }
  for (size_t j = 0; j < p; ++j) {
    if (covariance[j][j] < 0.0) {
      return false;
    }
    stats.standardErrors[j] = std::sqrt(covariance[j][j]) * stats.syx;
  }
  const double t = StudentT975(stats.degreesOfFreedom);
  for (size_t j = 0; j < p; ++j) {
    stats.lower[j] = params[j] - stats.standardErrors[j] * t;
    stats.upper[j] = params[j] + stats.standardErrors[j] * t;
  }
  return true;
}

}  // namespace Tessel
