#pragma once

#include <limits>

namespace ExtLib {

// Fixed machine constants of the minimiser. They are fixed rather than read from the platform
// so that every build takes the same path through the stringent tests and the norm's ranges.

// Relative precision: close to 2^-54, half of IEEE double's epsilon, as MINPACK's tables give it.
inline constexpr double kLmMachEps = 5.55e-17;
// Smallest positive number (9.9e-324): the literal rounds to twice the smallest subnormal; it
// only keeps the Levenberg-Marquardt parameter away from exactly zero.
inline constexpr double kLmDwarf = 2.0 * std::numeric_limits<double>::denorm_min();
// Components at or below this are summed apart so their squares do not underflow.
inline constexpr double kLmSqrtDwarf = 1e-160;
// Components at or above this over n are summed apart so their squares do not overflow.
inline constexpr double kLmSqrtGiant = 1e150;

}  // namespace ExtLib
