#include "strata/import/RateConversion.h"

#include <cstdio>

namespace Strata {
namespace {

std::string HzText(double hz) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.6g Hz", hz);
  return buffer;
}

}  // namespace

void InterpolateOntoTicks(const float* src, std::size_t srcCount, std::int64_t sourcePerRecord,
                          std::int64_t targetPerRecord, float* dest, std::size_t count) {
  if (srcCount == 0) {
    return;
  }
  for (std::size_t j = 0; j < count; ++j) {
    // Position of tick j in source samples: j * source / target, split into whole and fraction.
    const std::int64_t scaled = static_cast<std::int64_t>(j) * sourcePerRecord;
    const auto i = static_cast<std::size_t>(scaled / targetPerRecord);
    const double fraction =
        static_cast<double>(scaled % targetPerRecord) / static_cast<double>(targetPerRecord);
    if (i + 1 >= srcCount) {
      dest[j] = src[srcCount - 1];
    } else {
      const double a = src[i];
      const double b = src[i + 1];
      dest[j] = static_cast<float>(a + (b - a) * fraction);
    }
  }
}

ImportWarning RateMismatchWarning(RateMismatch what, std::int32_t signal, const std::string& title,
                                  double channelHz, double blockHz) {
  const std::string which = "Channel \"" + title + "\" is sampled at " + HzText(channelHz) +
                            ", the block at " + HzText(blockHz);
  if (what == RateMismatch::Interpolate) {
    return ImportWarning{
        ImportWarning::Kind::ChannelInterpolated, 0, signal,
        which + ": its samples were interpolated linearly onto the block's ticks."};
  }
  return ImportWarning{ImportWarning::Kind::ChannelLeftOut, 0, signal,
                       which + ": the channel was left out."};
}

}  // namespace Strata
