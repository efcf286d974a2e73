#pragma once

#include "tessel/fit/Matrix.h"
#include "tessel/fit/MtxErr.h"

namespace ExtLib {

// Replaces the square matrix a by its inverse (Crout LU with implicit partial pivoting).
// Throws MtxErr "Singular" when a row is entirely zero (or the matrix is not square); a zero
// pivot elsewhere is replaced by a tiny one, so near-singular matrices invert to huge values.
void InvertMatrix(Matrix& a);

}  // namespace ExtLib
