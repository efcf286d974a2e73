#pragma once

#include <cstdint>

namespace Tessel {

// One fitted parameter with its standard error and 95% confidence limits.
struct FitParameter {
  double value = 0.0;
  double standardError = 0.0;
  double lower = 0.0;
  double upper = 0.0;

  bool operator==(const FitParameter&) const = default;
};

// The record of one run's fit. Readers check the two flags before trusting any number.
struct FitResult {
  FitParameter bottom;
  FitParameter top;
  FitParameter logEC50;
  FitParameter hillSlope;
  std::int32_t degreesOfFreedom = 0;
  double rSquared = 0.0;
  double absoluteSumOfSquares = 0.0;
  double syx = 0.0;
  std::int32_t pointsAnalysed = 0;
  bool converged = false;
  bool statisticsValid = false;

  void Reset() { *this = FitResult{}; }
  bool operator==(const FitResult&) const = default;
};

}  // namespace Tessel
