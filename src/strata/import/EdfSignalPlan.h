#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "strata/import/EdfHeader.h"
#include "strata/import/ImportResult.h"

namespace Strata {

// What becomes of one signal of an EDF-family file.
struct SignalPlan {
  std::size_t byteOffset = 0;  // of its samples inside a data record
  std::int32_t channel = -1;   // channel of the recording; -1 for annotations or left out
  bool interpolate = false;    // sampled slower than the block: put onto its ticks
};

// The block's rate is that of the fastest signal, so no channel loses samples; slower ones are
// interpolated or left out as the options say, and the report says which.
struct SignalLayout {
  std::int32_t perRecord = 1;  // the block's ticks per data record
  std::vector<SignalPlan> plans;
};

// Plans every signal and adds the kept ones to the recording as channels.
SignalLayout PlanSignals(const EdfHeader& header, RateMismatch rateMismatch, Recording* recording,
                         std::vector<ImportWarning>* warnings);

// Decodes count little-endian two's-complement samples (2 bytes EDF, 3 bytes BDF) to physical
// values by the signal's calibration line.
void DecodeSamples(const unsigned char* bytes, std::int32_t count, bool bdf,
                   const EdfSignalHeader& signal, float* out);

}  // namespace Strata
