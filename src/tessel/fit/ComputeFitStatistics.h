#pragma once

#include <cstdint>
#include <vector>

#include "tessel/fit/FunctionBase.h"

namespace Tessel {

// Goodness of fit and parameter uncertainty of a converged fit.
struct FitStatistics {
  std::vector<double> standardErrors;  // one per parameter, in parameter order
  std::vector<double> lower;           // 95% confidence limits
  std::vector<double> upper;
  double absoluteSumOfSquares = 0.0;
  double rSquared = 0.0;
  double syx = 0.0;
  std::int32_t degreesOfFreedom = 0;
};

// Fills stats for the fitted params of model on (doses, responses). The scalar measures are
// written whatever happens; returns false, leaving limits (and maybe errors) unset, when there
// are no degrees of freedom, J^T J is singular or a variance comes out negative.
bool ComputeFitStatistics(const std::vector<double>& doses, const std::vector<double>& responses,
                          const std::vector<double>& params, const ExtLib::FunctionBase& model,
                          FitStatistics& stats);

// The two-sided 95% critical value of Student's t with df degrees of freedom; NaN for df < 1.
double StudentT975(std::int32_t df);

}  // namespace Tessel
