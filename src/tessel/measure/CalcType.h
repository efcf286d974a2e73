#pragma once

#include <bit>
#include <cstdint>
#include <string>

namespace Tessel {

// How a stretch of samples becomes one response. The values are stored in the settings record
// and order the Calculation method list.
enum ECalcType : std::int32_t {
  kCalcAverage = 0,
  kCalcMaximum = 1,
  kCalcMinimum = 2,
  kCalcMaxMinusMin = 3,
  kCalcIntegral = 4,
};

inline constexpr std::int32_t kCalcTypeCount = 5;

// The name shown for a calculation type in the settings; empty for a value that selects nothing.
inline std::string CalcTypeName(std::int32_t type) {
  static const char* const kNames[kCalcTypeCount] = {"Average", "Maximum", "Minimum", "Max-Min",
                                                     "Integral"};
  return type >= 0 && type < kCalcTypeCount ? kNames[type] : "";
}

// Whether per-dose baseline correction means anything for the type: a peak-to-peak amplitude is
// the same whatever straight line is subtracted, so Max-Min never corrects.
inline constexpr bool PerDoseCorrectionApplies(std::int32_t type) {
  return type != kCalcMaxMinusMin;
}

// The quiet NaN written for a response that could not be measured. One fixed bit pattern, so a
// missing response is recognisable in saved documents and exported bytes.
inline constexpr double kMissingResponse = std::bit_cast<double>(0x7FF8600000000000ull);

// The largest 32-bit float, the start of the extreme searches: a value never reached by a
// finite sample of the recording's own type.
inline constexpr double kFloatMax = 3.4028234663852886e38;

// Where an automatic baseline starts before any sample has been seen.
inline constexpr double kDoubleMax = 1.7976931348623157e308;

}  // namespace Tessel
