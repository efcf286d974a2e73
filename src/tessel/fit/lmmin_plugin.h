#pragma once

namespace ExtLib {

// Phases reported to lmmin_plugin::Printout.
inline constexpr int kLmPhaseStart = 0;
inline constexpr int kLmPhaseJacobian = 1;
inline constexpr int kLmPhaseTrial = 2;
inline constexpr int kLmPhaseEnd = -1;

// The minimiser's view of a problem: residuals at a parameter array.
class lmmin_plugin {
 public:
  lmmin_plugin() = default;
  lmmin_plugin(const lmmin_plugin&) = default;
  lmmin_plugin& operator=(const lmmin_plugin&) = default;

  // Fills fvec[0..m) at par; *status arrives 0, and a negative value asks the minimiser to stop.
  virtual void Evaluate(const double* par, int m, double* fvec, int* status) = 0;
  // Progress report only; the minimiser ignores everything it does.
  virtual void Printout(int n, const double* par, int m, const double* fvec, int phase, int iter,
                        int nfev) = 0;

  virtual ~lmmin_plugin() = default;
};

}  // namespace ExtLib
