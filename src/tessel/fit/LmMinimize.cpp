#include "tessel/fit/LmMinimize.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <stdexcept>
#include <vector>

#include "tessel/fit/LmConstants.h"
#include "tessel/fit/LmCore.h"

namespace ExtLib {
namespace {

// Step acceptance and radius update thresholds of MINPACK's lmdif.
constexpr double kAcceptRatio = 1e-4;  // a step that achieves this share of its prediction
constexpr double kShrinkRatio = 0.25;  // below this the model was poor: shrink the radius
constexpr double kExpandRatio = 0.75;  // above this the model was good: grow the radius
constexpr double kMinShrink = 0.1;     // never shrink by more than ten times in one step

// Everything one run of the core needs, allocated once per fit.
struct Work {
  std::vector<double> fvec;           // residuals m
  std::vector<double> diag;           // scaling n
  std::vector<double> qtf;            // Qt * residuals, first n
  std::vector<double> fjac;           // Jacobian m x n, column by column
  std::vector<double> wa1, wa2, wa3;  // n each
  std::vector<double> wa4;            // m
  std::vector<int> ipvt;              // n
};

class Core {
 public:
  Core(int m, int n, double* x, lmmin_plugin& plugin, const LmControl& control, int maxfev, Work& w)
      : m_(m), n_(n), x_(x), plugin_(plugin), c_(control), maxfev_(maxfev), w_(w) {}

  // Runs to termination; returns the code (negative when the callback asked to stop).
  int Run();
  int Nfev() const { return nfev_; }

 private:
  // Evaluates at p into f; false when the callback asked to stop.
  bool Evaluate(const double* p, double* f, int phase) {
    int status = 0;
    plugin_.Evaluate(p, m_, f, &status);
    plugin_.Printout(n_, p, m_, f, phase, iter_, ++nfev_);
    return status >= 0;
  }
  bool Jacobian(double eps);
  void QtResiduals();
  double ScaledGradientNorm(double fnorm) const;
  // One trial step inside the inner loop; returns 0 to go on, a code to stop.
  int TrialStep();
  // The linear model's relative reduction for the step in wa1; dirder its directional slope.
  double PredictedReduction(double pnorm, double* dirder);
  void UpdateRadius(double actred, double dirder, double pnorm, double fnorm1);
  int Termination(double actred, double prered) const;

  const int m_;
  const int n_;
  double* x_;
  lmmin_plugin& plugin_;
  const LmControl& c_;
  const int maxfev_;
  Work& w_;
  int nfev_ = 0;
  int iter_ = 1;
  double fnorm_ = 0.0;
  double xnorm_ = 0.0;
  double delta_ = 0.0;
  double par_ = 0.0;
  double gnorm_ = 0.0;
  double ratio_ = 0.0;
};

bool Core::Jacobian(double eps) {
  for (int j = 0; j < n_; ++j) {
    const double saved = x_[j];
    double h = eps * std::fabs(saved);
    if (h == 0.0) {
      h = eps;
    }
    x_[j] = saved + h;
    const bool go = Evaluate(x_, w_.wa4.data(), kLmPhaseJacobian);
    x_[j] = saved;  // restored before a stop too: x must stay the last accepted point
    if (!go) {
      return false;
    }
    double* column = &w_.fjac[static_cast<size_t>(j) * m_];
    for (int i = 0; i < m_; ++i) {
      column[i] = (w_.wa4[i] - w_.fvec[i]) / h;
    }
  }
  return true;
}

void Core::QtResiduals() {
  std::copy(w_.fvec.begin(), w_.fvec.end(), w_.wa4.begin());
  for (int j = 0; j < n_; ++j) {
    double* column = &w_.fjac[static_cast<size_t>(j) * m_];
    const double pivot = column[j];
    if (pivot != 0.0) {
      double sum = 0.0;
      for (int i = j; i < m_; ++i) {
        sum += column[i] * w_.wa4[i];
      }
      const double t = -sum / pivot;
      for (int i = j; i < m_; ++i) {
        w_.wa4[i] += column[i] * t;
      }
    }
    column[j] = w_.wa1[j];  // R's diagonal back in place
    w_.qtf[j] = w_.wa4[j];
  }
}

double Core::ScaledGradientNorm(double fnorm) const {
  double gnorm = 0.0;
  if (fnorm == 0.0) {
    return gnorm;
  }
  for (int j = 0; j < n_; ++j) {
    const double norm = w_.wa2[w_.ipvt[j]];
    if (norm == 0.0) {
      continue;
    }
    const double* column = &w_.fjac[static_cast<size_t>(j) * m_];
    double sum = 0.0;
    for (int i = 0; i <= j; ++i) {
      sum += column[i] * (w_.qtf[i] / fnorm);
    }
    // NaN must win here: a plain max would drop it and report a NaN residual as orthogonal.
    const double g = std::fabs(sum / norm);
    if (!(gnorm >= g)) {
      gnorm = g;
    }
  }
  return gnorm;
}

int Core::TrialStep() {
  Lmpar(n_, w_.fjac.data(), m_, w_.ipvt.data(), w_.diag.data(), w_.qtf.data(), delta_, &par_,
        w_.wa1.data(), w_.wa2.data(), w_.wa3.data(), w_.wa4.data());
  for (int j = 0; j < n_; ++j) {
    w_.wa1[j] = -w_.wa1[j];
    w_.wa2[j] = x_[j] + w_.wa1[j];
    w_.wa3[j] = w_.diag[j] * w_.wa1[j];
  }
  const double pnorm = Enorm(n_, w_.wa3.data());
  if (nfev_ <= n_ + 1) {
    delta_ = std::min(delta_, pnorm);  // first pass: the initial radius may be far too large
  }
  if (!Evaluate(w_.wa2.data(), w_.wa4.data(), kLmPhaseTrial)) {
    return -1;
  }
  const double fnorm1 = Enorm(m_, w_.wa4.data());
  const double actred =
      kMinShrink * fnorm1 < fnorm_ ? 1.0 - (fnorm1 / fnorm_) * (fnorm1 / fnorm_) : -1.0;
  double dirder = 0.0;
  const double prered = PredictedReduction(pnorm, &dirder);
  ratio_ = prered != 0.0 ? actred / prered : 0.0;
  UpdateRadius(actred, dirder, pnorm, fnorm1);
  if (ratio_ >= kAcceptRatio) {
    for (int j = 0; j < n_; ++j) {
      x_[j] = w_.wa2[j];
      w_.wa2[j] = w_.diag[j] * x_[j];
    }
    std::copy(w_.wa4.begin(), w_.wa4.end(), w_.fvec.begin());
    xnorm_ = Enorm(n_, w_.wa2.data());
    fnorm_ = fnorm1;
    ++iter_;
  }
  return Termination(actred, prered);
}

double Core::PredictedReduction(double pnorm, double* dirder) {
  // |R P^T p|^2 and the damping term, both relative to the current sum of squares.
  for (int j = 0; j < n_; ++j) {
    w_.wa3[j] = 0.0;
    const double pj = w_.wa1[w_.ipvt[j]];
    const double* column = &w_.fjac[static_cast<size_t>(j) * m_];
    for (int i = 0; i <= j; ++i) {
      w_.wa3[i] += column[i] * pj;
    }
  }
  const double t1 = Enorm(n_, w_.wa3.data()) / fnorm_;
  const double t2 = std::sqrt(par_) * pnorm / fnorm_;
  *dirder = -(t1 * t1 + t2 * t2);
  return t1 * t1 + 2.0 * t2 * t2;
}

void Core::UpdateRadius(double actred, double dirder, double pnorm, double fnorm1) {
  if (ratio_ <= kShrinkRatio) {
    double t = actred >= 0.0 ? 0.5 : 0.5 * dirder / (dirder + 0.5 * actred);
    if (kMinShrink * fnorm1 >= fnorm_ || t < kMinShrink) {
      t = kMinShrink;
    }
    delta_ = t * std::min(delta_, pnorm / kMinShrink);
    par_ /= t;
  } else if (par_ == 0.0 || ratio_ >= kExpandRatio) {
    delta_ = pnorm / 0.5;
    par_ *= 0.5;
  }
}

int Core::Termination(double actred, double prered) const {
  int info = 0;
  if (std::fabs(actred) <= c_.ftol && prered <= c_.ftol && 0.5 * ratio_ <= 1.0) {
    info = kLmFtolReached;
  }
  if (delta_ <= c_.xtol * xnorm_) {
    info += kLmXtolReached;
  }
  if (info != 0) {
    return info;
  }
  // Each later test overrides the earlier: the most specific reason wins.
  if (nfev_ >= maxfev_) {
    info = kLmBudgetUsed;
  }
  if (std::fabs(actred) <= kLmMachEps && prered <= kLmMachEps && 0.5 * ratio_ <= 1.0) {
    info = kLmFtolTooSmall;
  }
  if (delta_ <= kLmMachEps * xnorm_) {
    info = kLmXtolTooSmall;
  }
  if (gnorm_ <= kLmMachEps) {
    info = kLmGtolTooSmall;
  }
  return info;
}

int Core::Run() {
  const double eps = std::sqrt(std::max(c_.epsilon, kLmMachEps));
  if (!Evaluate(x_, w_.fvec.data(), kLmPhaseStart)) {
    return -1;
  }
  fnorm_ = Enorm(m_, w_.fvec.data());
  for (;;) {
    if (!Jacobian(eps)) {
      return -1;
    }
    Qrfac(m_, n_, w_.fjac.data(), w_.ipvt.data(), w_.wa1.data(), w_.wa2.data(), w_.wa3.data());
    if (iter_ == 1) {
      for (int j = 0; j < n_; ++j) {
        w_.diag[j] = w_.wa2[j] != 0.0 ? w_.wa2[j] : 1.0;
        w_.wa3[j] = w_.diag[j] * x_[j];
      }
      xnorm_ = Enorm(n_, w_.wa3.data());
      delta_ = c_.stepbound * xnorm_;
      if (delta_ == 0.0) {
        delta_ = c_.stepbound;
      }
    }
    QtResiduals();
    gnorm_ = ScaledGradientNorm(fnorm_);
    if (gnorm_ <= c_.gtol) {
      return kLmOrthogonal;
    }
    for (int j = 0; j < n_; ++j) {
      w_.diag[j] = std::max(w_.diag[j], w_.wa2[j]);
    }
    do {
      const int info = TrialStep();
      if (info != 0) {
        return info;
      }
    } while (ratio_ < kAcceptRatio);
  }
}

bool ImproperInput(int m, int n, const LmControl& c, std::int64_t maxfev) {
  return n <= 0 || m < n || c.ftol < 0.0 || c.xtol < 0.0 || c.gtol < 0.0 || maxfev <= 0 ||
         !(c.stepbound > 0.0);
}

}  // namespace

void LmMinimize(int m, int n, double* par, lmmin_plugin& plugin, LmControl& control) {
  const std::int64_t budget = static_cast<std::int64_t>(control.maxcall) * (n + std::int64_t{1});
  Work w;
  try {
    const size_t mm = static_cast<size_t>(std::max(m, 0));
    const size_t nn = static_cast<size_t>(std::max(n, 0));
    w.fvec.assign(mm, 0.0);
    w.diag.assign(nn, 0.0);
    w.qtf.assign(nn, 0.0);
    w.fjac.assign(mm * nn, 0.0);
    w.wa1.assign(nn, 0.0);
    w.wa2.assign(nn, 0.0);
    w.wa3.assign(nn, 0.0);
    w.wa4.assign(mm, 0.0);
    w.ipvt.assign(nn, 0);
  } catch (const std::bad_alloc&) {
    control.info = kLmNoMemory;
    return;
  } catch (const std::length_error&) {
    control.info = kLmNoMemory;
    return;
  }
  control.info = kLmImproperInput;
  control.nfev = 0;
  int info = kLmImproperInput;
  if (!ImproperInput(m, n, control, budget)) {
    const int maxfev = static_cast<int>(std::min<std::int64_t>(budget, INT32_MAX));
    Core core(m, n, par, plugin, control, maxfev, w);
    info = core.Run();
    control.nfev = core.Nfev();
  }
  plugin.Printout(n, par, m, w.fvec.data(), kLmPhaseEnd, 0, control.nfev);
  control.fnorm = Enorm(std::max(m, 0), w.fvec.data());
  control.info = info < 0 ? kLmStoppedByCallback : info;
}

}  // namespace ExtLib
