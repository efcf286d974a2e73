#include "strata/import/EdfSignalPlan.h"

#include <algorithm>

#include "strata/import/RateConversion.h"

namespace Strata {

SignalLayout PlanSignals(const EdfHeader& h, RateMismatch rateMismatch, Recording* recording,
                         std::vector<ImportWarning>* warnings) {
  SignalLayout layout;
  for (const auto& s : h.signals) {
    if (!s.annotation) {
      layout.perRecord = std::max(layout.perRecord, s.samplesPerRecord);
    }
  }
  const double blockHz = layout.perRecord / h.RecordSeconds();
  std::size_t offset = 0;
  std::int32_t dataIndex = 0;
  for (const auto& s : h.signals) {
    SignalPlan plan;
    plan.byteOffset = offset;
    offset += static_cast<std::size_t>(s.samplesPerRecord) * h.BytesPerSample();
    if (!s.annotation) {
      plan.interpolate = s.samplesPerRecord != layout.perRecord;
      if (plan.interpolate) {
        warnings->push_back(RateMismatchWarning(rateMismatch, dataIndex, s.label,
                                                s.samplesPerRecord / h.RecordSeconds(), blockHz));
      }
      if (!plan.interpolate || rateMismatch == RateMismatch::Interpolate) {
        plan.channel = recording->AddChannel(s.label);
      }
      ++dataIndex;
    }
    layout.plans.push_back(plan);
  }
  return layout;
}

void DecodeSamples(const unsigned char* p, std::int32_t count, bool bdf, const EdfSignalHeader& s,
                   float* out) {
  // The same arithmetic as EDFlib's physical reads: gain * (offset + digital) in double.
  const double gain = s.Gain();
  const double offset = s.Offset();
  if (bdf) {
    for (std::int32_t i = 0; i < count; ++i, p += 3) {
      std::uint32_t v = p[0] | (p[1] << 8) | (static_cast<std::uint32_t>(p[2]) << 16);
      if (v & 0x800000u) {
        v |= 0xFF000000u;
      }
      out[i] = static_cast<float>(gain * (offset + static_cast<std::int32_t>(v)));
    }
    return;
  }
  for (std::int32_t i = 0; i < count; ++i, p += 2) {
    const auto v = static_cast<std::int16_t>(static_cast<std::uint16_t>(p[0] | (p[1] << 8)));
    out[i] = static_cast<float>(gain * (offset + v));
  }
}

}  // namespace Strata
