#pragma once

#include <string>

#include "tessel/fit/FitResult.h"

namespace Cli {

// Why a fit shows "(FIT FAILED)": too few points, no convergence, or statistics that could not be
// computed; "" for a fit whose numbers can be trusted.
std::string FitFailure(const Tessel::FitResult& result, bool fixHill);

}  // namespace Cli
