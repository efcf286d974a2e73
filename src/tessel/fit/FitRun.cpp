#include "tessel/fit/FitRun.h"

#include <memory>

#include "tessel/fit/ComputeFitStatistics.h"
#include "tessel/fit/FB_FourParam.h"
#include "tessel/fit/FitModel.h"

namespace Tessel {
namespace {

FitParameter Group(const std::vector<double>& params, const FitStatistics& stats, size_t index) {
  return FitParameter{params[index], stats.standardErrors[index], stats.lower[index],
                      stats.upper[index]};
}

}  // namespace

void FitRun(const std::vector<double>& doses, const std::vector<double>& responses, bool fixHill,
            FitResult& result) {
  result.pointsAnalysed = static_cast<std::int32_t>(doses.size());
  result.converged = false;
  result.statisticsValid = false;
  if (doses.size() != responses.size()) {
    return;
  }
  const size_t n = doses.size();
  if (n < 3 || (!fixHill && n < 4)) {
    return;
  }
  std::unique_ptr<ExtLib::FunctionBase> model;
  if (fixHill) {
    model = std::make_unique<Sigmoid::FB_ThreeParam>();
  } else {
    model = std::make_unique<Sigmoid::FB_FourParam>();
  }
  std::vector<double> params;
  result.converged = ExtLib::FitModel(doses, responses, params, *model);

  // Errors and limits stay zero unless the statistics fill them (limits only when valid).
  FitStatistics stats;
  if (result.converged) {
    result.statisticsValid = ComputeFitStatistics(doses, responses, params, *model, stats);
    result.degreesOfFreedom = stats.degreesOfFreedom;
    result.rSquared = stats.rSquared;
    result.absoluteSumOfSquares = stats.absoluteSumOfSquares;
    result.syx = stats.syx;
  }
  // Four entries each, so both models fill the record the same way.
  for (std::vector<double>* v : {&params, &stats.standardErrors, &stats.lower, &stats.upper}) {
    v->resize(4, 0.0);
  }
  result.bottom = Group(params, stats, Sigmoid::kBottom);
  result.top = Group(params, stats, Sigmoid::kTop);
  result.logEC50 = Group(params, stats, Sigmoid::kLogEC50);
  if (fixHill) {
    result.hillSlope = FitParameter{1.0, 0.0, 1.0, 1.0};
  } else {
    result.hillSlope = Group(params, stats, Sigmoid::kHillSlope);
  }
}

}  // namespace Tessel
