#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "strata/import/ImportResult.h"

namespace Strata {

// Puts a channel recorded at sourcePerRecord samples per data record onto a block's ticks at
// targetPerRecord per record. Sample i of the source lies at i / sourcePerRecord records, tick j at
// j / targetPerRecord: each tick takes the straight line between the two source samples around
// its time (exact integer positions, so no drift over long files); ticks after the last source
// sample hold its value. dest must hold count ticks; src holds srcCount samples.
void InterpolateOntoTicks(const float* src, std::size_t srcCount, std::int64_t sourcePerRecord,
                          std::int64_t targetPerRecord, float* dest, std::size_t count);

// The report line for a channel whose rate differs from its block's.
ImportWarning RateMismatchWarning(RateMismatch what, std::int32_t signal, const std::string& title,
                                  double channelHz, double blockHz);

}  // namespace Strata
