#pragma once

#include <vector>

#include "tessel/fit/FunctionBase.h"
#include "tessel/fit/LmControl.h"

namespace ExtLib {

// Least-squares fit of model to (doses, responses) from the model's own starting values.
// params is resized to the model's parameter count and holds the last accepted parameters on
// return; true when the minimiser converged (codes 1 to 4). control, when given, receives the
// minimiser's outcome.
bool FitModel(const std::vector<double>& doses, const std::vector<double>& responses,
              std::vector<double>& params, const FunctionBase& model, LmControl* outcome = nullptr);

}  // namespace ExtLib
