#include "tessel/fit/LmCore.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "tessel/fit/LmConstants.h"

namespace ExtLib {
namespace {

// A column's norm is recomputed from scratch once its updated value has lost this much: the
// downdating formula cancels catastrophically below it.
constexpr double kNormRecompute = 0.05;
// lmpar accepts a step whose scaled length is within 10% of the radius.
constexpr double kRadiusSlack = 0.1;
// lmpar's fallback parameter when its bounds collapse: a thousandth of the upper bound.
constexpr double kParFloorFactor = 0.001;
// MINPACK's iteration limit for lmpar; the radius test is loose enough that it rarely binds.
constexpr int kLmparMaxIterations = 10;

}  // namespace

double Enorm(int n, const double* x) {
  double s1 = 0.0;
  double s2 = 0.0;
  double s3 = 0.0;
  double x1max = 0.0;
  double x3max = 0.0;
  const double agiant = kLmSqrtGiant / n;
  for (int i = 0; i < n; ++i) {
    const double xabs = std::fabs(x[i]);
    if (xabs > kLmSqrtDwarf && xabs < agiant) {
      s2 += xabs * xabs;
    } else if (xabs <= kLmSqrtDwarf) {
      if (xabs > x3max) {
        const double r = x3max / xabs;
        s3 = 1.0 + s3 * r * r;
        x3max = xabs;
      } else if (xabs != 0.0) {
        const double r = xabs / x3max;
        s3 += r * r;
      }
    } else {  // large, or NaN: NaN must reach the result, and this branch divides by it
      if (xabs > x1max) {
        const double r = x1max / xabs;
        s1 = 1.0 + s1 * r * r;
        x1max = xabs;
      } else {
        const double r = xabs / x1max;
        s1 += r * r;
      }
    }
  }
  if (s1 != 0.0) {
    return x1max * std::sqrt(s1 + (s2 / x1max) / x1max);
  }
  if (s2 != 0.0) {
    const double sum = s2 >= x3max ? s2 * (1.0 + (x3max / s2) * (x3max * s3))
                                   : x3max * ((s2 / x3max) + (x3max * s3));
    return std::sqrt(sum);
  }
  return x3max * std::sqrt(s3);
}

void Qrfac(int m, int n, double* a, int* ipvt, double* rdiag, double* acnorm, double* wa) {
  for (int j = 0; j < n; ++j) {
    acnorm[j] = Enorm(m, &a[j * m]);
    rdiag[j] = acnorm[j];
    wa[j] = rdiag[j];
    ipvt[j] = j;
  }
  const int minmn = std::min(m, n);
  for (int j = 0; j < minmn; ++j) {
    // Bring the column of largest remaining norm into the pivot position.
    int kmax = j;
    for (int k = j + 1; k < n; ++k) {
      if (rdiag[k] > rdiag[kmax]) {
        kmax = k;
      }
    }
    if (kmax != j) {
      std::swap_ranges(&a[j * m], &a[j * m] + m, &a[kmax * m]);
      rdiag[kmax] = rdiag[j];
      wa[kmax] = wa[j];
      std::swap(ipvt[j], ipvt[kmax]);
    }
    // The Householder transformation that zeroes column j below the diagonal.
    double* aj = &a[j * m];
    double ajnorm = Enorm(m - j, &aj[j]);
    if (ajnorm == 0.0) {
      rdiag[j] = 0.0;
      continue;
    }
    if (aj[j] < 0.0) {
      ajnorm = -ajnorm;
    }
    for (int i = j; i < m; ++i) {
      aj[i] /= ajnorm;
    }
    aj[j] += 1.0;
    // Apply it to the remaining columns and downdate their norms.
    for (int k = j + 1; k < n; ++k) {
      double* ak = &a[k * m];
      double sum = 0.0;
      for (int i = j; i < m; ++i) {
        sum += aj[i] * ak[i];
      }
      const double t = sum / aj[j];
      for (int i = j; i < m; ++i) {
        ak[i] -= t * aj[i];
      }
      if (rdiag[k] != 0.0) {
        const double r = ak[j] / rdiag[k];
        rdiag[k] *= std::sqrt(std::max(0.0, 1.0 - r * r));
        const double lost = rdiag[k] / wa[k];
        if (kNormRecompute * lost * lost <= kLmMachEps) {
          rdiag[k] = Enorm(m - j - 1, &ak[j + 1]);
          wa[k] = rdiag[k];
        }
      }
    }
    rdiag[j] = -ajnorm;
  }
}

namespace {

// Eliminates the diagonal entry d_j of D (in sdiag[j]) from R by Givens rotations, carrying
// Qt b along in wa.
void EliminateDiagonal(int n, int j, double* r, int ldr, double* sdiag, double* wa) {
  double qtbpj = 0.0;
  for (int k = j; k < n; ++k) {
    if (sdiag[k] == 0.0) {
      continue;
    }
    const int kk = k + ldr * k;
    double sine;
    double cosine;
    // Formed from the smaller ratio so the square cannot overflow.
    if (std::fabs(r[kk]) < std::fabs(sdiag[k])) {
      const double cotan = r[kk] / sdiag[k];
      sine = 0.5 / std::sqrt(0.25 + 0.25 * cotan * cotan);
      cosine = sine * cotan;
    } else {
      const double tangent = sdiag[k] / r[kk];
      cosine = 0.5 / std::sqrt(0.25 + 0.25 * tangent * tangent);
      sine = cosine * tangent;
    }
    r[kk] = cosine * r[kk] + sine * sdiag[k];
    const double t = cosine * wa[k] + sine * qtbpj;
    qtbpj = -sine * wa[k] + cosine * qtbpj;
    wa[k] = t;
    for (int i = k + 1; i < n; ++i) {
      const double u = cosine * r[k * ldr + i] + sine * sdiag[i];
      sdiag[i] = -sine * r[k * ldr + i] + cosine * sdiag[i];
      r[k * ldr + i] = u;
    }
  }
}

}  // namespace

void Qrsolv(int n, double* r, int ldr, const int* ipvt, const double* diag, const double* qtb,
            double* x, double* sdiag, double* wa) {
  // Copy R and Qt b, saving R's diagonal in x: the elimination works in the lower triangle.
  for (int j = 0; j < n; ++j) {
    for (int i = j; i < n; ++i) {
      r[j * ldr + i] = r[i * ldr + j];
    }
    x[j] = r[j * ldr + j];
    wa[j] = qtb[j];
  }
  for (int j = 0; j < n; ++j) {
    if (diag[ipvt[j]] != 0.0) {
      for (int k = j; k < n; ++k) {
        sdiag[k] = 0.0;
      }
      sdiag[j] = diag[ipvt[j]];
      EliminateDiagonal(n, j, r, ldr, sdiag, wa);
    }
    sdiag[j] = r[j * ldr + j];
    r[j * ldr + j] = x[j];
  }
  // Solve the triangular system; a singular one gets a least-squares solution.
  int nsing = n;
  for (int j = 0; j < n; ++j) {
    if (sdiag[j] == 0.0 && nsing == n) {
      nsing = j;
    }
    if (nsing < n) {
      wa[j] = 0.0;
    }
  }
  for (int j = nsing - 1; j >= 0; --j) {
    double sum = 0.0;
    for (int i = j + 1; i < nsing; ++i) {
      sum += r[j * ldr + i] * wa[i];
    }
    wa[j] = (wa[j] - sum) / sdiag[j];
  }
  for (int j = 0; j < n; ++j) {
    x[ipvt[j]] = wa[j];
  }
}

namespace {

// The Gauss-Newton direction (least squares if R is singular) into x; returns the rank.
int GaussNewton(int n, const double* r, int ldr, const int* ipvt, const double* qtb, double* x,
                double* wa1) {
  int nsing = n;
  for (int j = 0; j < n; ++j) {
    wa1[j] = qtb[j];
    if (r[j * ldr + j] == 0.0 && nsing == n) {
      nsing = j;
    }
    if (nsing < n) {
      wa1[j] = 0.0;
    }
  }
  for (int j = nsing - 1; j >= 0; --j) {
    wa1[j] /= r[j + ldr * j];
    const double t = wa1[j];
    for (int i = 0; i < j; ++i) {
      wa1[i] -= r[j * ldr + i] * t;
    }
  }
  for (int j = 0; j < n; ++j) {
    x[ipvt[j]] = wa1[j];
  }
  return nsing;
}

// |R^-T D^2 x / |D x|| gives the Newton correction of phi; returns (phi / delta) / that^2.
double LowerBound(int n, const double* r, int ldr, const int* ipvt, const double* diag,
                  const double* dx, double dxnorm, double relativePhi, double* wa1) {
  for (int j = 0; j < n; ++j) {
    wa1[j] = diag[ipvt[j]] * (dx[ipvt[j]] / dxnorm);
  }
  for (int j = 0; j < n; ++j) {
    double sum = 0.0;
    for (int i = 0; i < j; ++i) {
      sum += r[j * ldr + i] * wa1[i];
    }
    wa1[j] = (wa1[j] - sum) / r[j + ldr * j];
  }
  const double t = Enorm(n, wa1);
  return (relativePhi / t) / t;
}

// |D^-1 R^T Qt b|, the norm of the scaled gradient.
double ScaledGradient(int n, const double* r, int ldr, const int* ipvt, const double* diag,
                      const double* qtb, double* wa1) {
  for (int j = 0; j < n; ++j) {
    double sum = 0.0;
    for (int i = 0; i <= j; ++i) {
      sum += r[j * ldr + i] * qtb[i];
    }
    wa1[j] = sum / diag[ipvt[j]];
  }
  return Enorm(n, wa1);
}

}  // namespace

void Lmpar(int n, double* r, int ldr, const int* ipvt, const double* diag, const double* qtb,
           double delta, double* par, double* x, double* sdiag, double* wa1, double* wa2) {
  const int nsing = GaussNewton(n, r, ldr, ipvt, qtb, x, wa1);
  for (int j = 0; j < n; ++j) {
    wa2[j] = diag[j] * x[j];
  }
  double dxnorm = Enorm(n, wa2);
  double fp = dxnorm - delta;
  if (fp <= kRadiusSlack * delta) {
    *par = 0.0;  // the Gauss-Newton step fits inside the trust region
    return;
  }
  // Lower bound from the Newton step for phi(par) = |D x| - delta (only for full rank).
  double parl = nsing >= n ? LowerBound(n, r, ldr, ipvt, diag, wa2, dxnorm, fp / delta, wa1) : 0.0;
  // Upper bound from the scaled gradient.
  const double gnorm = ScaledGradient(n, r, ldr, ipvt, diag, qtb, wa1);
  double paru = gnorm / delta;
  if (paru == 0.0) {
    paru = kLmDwarf / std::min(delta, kRadiusSlack);
  }
  *par = std::min(std::max(*par, parl), paru);
  if (*par == 0.0) {
    *par = gnorm / dxnorm;
  }
  for (int iter = 1;; ++iter) {
    if (*par == 0.0) {
      *par = std::max(kLmDwarf, kParFloorFactor * paru);
    }
    const double root = std::sqrt(*par);
    for (int j = 0; j < n; ++j) {
      wa1[j] = root * diag[j];
    }
    Qrsolv(n, r, ldr, ipvt, wa1, qtb, x, sdiag, wa2);
    for (int j = 0; j < n; ++j) {
      wa2[j] = diag[j] * x[j];
    }
    dxnorm = Enorm(n, wa2);
    const double fpOld = fp;
    fp = dxnorm - delta;
    if (std::fabs(fp) <= kRadiusSlack * delta || (parl == 0.0 && fp <= fpOld && fpOld < 0.0) ||
        iter == kLmparMaxIterations) {
      return;
    }
    // Newton correction of par.
    for (int j = 0; j < n; ++j) {
      wa1[j] = diag[ipvt[j]] * (wa2[ipvt[j]] / dxnorm);
    }
    for (int j = 0; j < n; ++j) {
      wa1[j] /= sdiag[j];
      const double t = wa1[j];
      for (int i = j + 1; i < n; ++i) {
        wa1[i] -= r[j * ldr + i] * t;
      }
    }
    const double t = Enorm(n, wa1);
    const double parc = ((fp / delta) / t) / t;
    if (fp > 0.0) {
      parl = std::max(parl, *par);
    } else if (fp < 0.0) {
      paru = std::min(paru, *par);
    }
    *par = std::max(parl, *par + parc);
  }
}

}  // namespace ExtLib
