#pragma once

#include <vector>

#include "tessel/fit/FitResult.h"

namespace Tessel {

// Fits one run's points with the four-parameter logistic, or with the Hill slope fixed at 1.0
// when fixHill, and fills result. Needs at least 3 points (4 with a free slope) and vectors of
// equal length; otherwise only pointsAnalysed and the two (false) flags are written.
void FitRun(const std::vector<double>& doses, const std::vector<double>& responses, bool fixHill,
            FitResult& result);

}  // namespace Tessel
