#pragma once

#include "tessel/fit/LmControl.h"
#include "tessel/fit/lmmin_plugin.h"

namespace ExtLib {

// Minimises the sum of squares of the m residuals that plugin computes from the n parameters
// in par (MINPACK lmdif: forward-difference Jacobian, pivoted QR, trust region scaled by the
// Jacobian's column norms). par holds the start on entry and the last accepted parameters on
// return, whatever the outcome; control gives the tolerances and receives fnorm, nfev and info.
// Never throws: every outcome, including a failed allocation, is a code in control.info.
void LmMinimize(int m, int n, double* par, lmmin_plugin& plugin, LmControl& control);

}  // namespace ExtLib
