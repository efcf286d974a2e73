#pragma once

namespace ExtLib {

// The MINPACK building blocks of the Levenberg-Marquardt core. Matrices are stored column by
// column: element (i, j) of an m-row matrix is a[j * m + i].

// Euclidean norm of x[0..n) without destructive underflow or overflow.
double Enorm(int n, const double* x);

// Householder QR of the m x n matrix a with column pivoting. On return the upper triangle of a
// holds R (without its diagonal, which is in rdiag), the lower trapezoid the Householder
// vectors, ipvt the permutation, acnorm the column norms of the input. wa: n doubles.
void Qrfac(int m, int n, double* a, int* ipvt, double* rdiag, double* acnorm, double* wa);

// Solves the least-squares system [R; D] z = [Qt b; 0] given the QR of A, for a diagonal D.
// r (ldr x n) keeps its upper triangle; its strict lower triangle is overwritten. sdiag and wa:
// n doubles.
void Qrsolv(int n, double* r, int ldr, const int* ipvt, const double* diag, const double* qtb,
            double* x, double* sdiag, double* wa);

// The Levenberg-Marquardt parameter par for the trust radius delta, and the step x that solves
// the damped system. par holds the previous value on entry. wa1, wa2: n doubles.
void Lmpar(int n, double* r, int ldr, const int* ipvt, const double* diag, const double* qtb,
           double delta, double* par, double* x, double* sdiag, double* wa1, double* wa2);

}  // namespace ExtLib
