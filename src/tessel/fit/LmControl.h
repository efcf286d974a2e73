#pragma once

#include <cstdint>

namespace ExtLib {

// Termination codes of the minimiser (LmControl::info). 1 to 4 are convergence.
enum LmInfo : std::int32_t {
  kLmImproperInput = 0,      // n <= 0, m < n, negative tolerance, no budget, stepbound <= 0
  kLmFtolReached = 1,        // relative reduction of the sum of squares at most ftol
  kLmXtolReached = 2,        // relative change of the scaled parameters at most xtol
  kLmBothReached = 3,        // 1 and 2
  kLmOrthogonal = 4,         // residuals orthogonal to the Jacobian within gtol
  kLmBudgetUsed = 5,         // maxcall * (n + 1) evaluations made
  kLmFtolTooSmall = 6,       // no further reduction of the sum of squares possible
  kLmXtolTooSmall = 7,       // no further improvement of the parameters possible
  kLmGtolTooSmall = 8,       // orthogonal to machine precision
  kLmNoMemory = 9,           // work arrays could not be allocated
  kLmStoppedByCallback = 10  // the residual callback asked to stop
};

inline bool LmConverged(std::int32_t info) {
  return info >= 1 && info <= 4;
}

// Tolerances in, outcome out; one record per fit. The defaults are the dose-response fit's.
struct LmControl {
  double ftol = 1e-8;          // converged when the sum of squares falls by at most this fraction
  double xtol = 1e-8;          // converged when the scaled parameters move by at most this fraction
  double gtol = 0.0;           // 0: only an exactly orthogonal residual ends the fit this way
  double epsilon = 1e-8;       // relative forward-difference step is sqrt of this
  double stepbound = 100.0;    // initial trust radius = stepbound * |diag * x|
  double fnorm = 0.0;          // out: |residuals| at the end
  std::int32_t maxcall = 100;  // evaluation budget per parameter: maxcall * (n + 1) in all
  std::int32_t nfev = 0;       // out: residual evaluations made
  std::int32_t info = 0;       // out: LmInfo
};

}  // namespace ExtLib
