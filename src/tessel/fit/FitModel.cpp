#include "tessel/fit/FitModel.h"

#include <algorithm>

#include "tessel/fit/LmMinimize.h"
#include "tessel/fit/TPlugin.h"

namespace ExtLib {

bool FitModel(const std::vector<double>& doses, const std::vector<double>& responses,
              std::vector<double>& params, const FunctionBase& model, LmControl* outcome) {
  LmControl control;  // the dose-response fit's tolerances are the record's defaults
  TPlugin plugin(doses, responses, model);
  const int n = model.ParameterCount();
  params.assign(static_cast<size_t>(n), 0.0);
  model.InitialEstimates(doses, responses, params);
  const int m = static_cast<int>(std::min(doses.size(), responses.size()));
  LmMinimize(m, n, params.data(), plugin, control);
  if (outcome != nullptr) {
    *outcome = control;
  }
  return LmConverged(control.info);
}

}  // namespace ExtLib
