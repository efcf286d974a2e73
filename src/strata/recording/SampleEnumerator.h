#pragma once

#include <cstdint>
#include <vector>

#include "strata/recording/Recording.h"
#include "tessel/host/IEnumFloatEx.h"
#include "tessel/host/RefCounted.h"

namespace Strata {

using Tessel::Status;
using Tessel::TickPosition;

// Reads one channel of one block from a start tick. Holds a reference to the recording's owner so
// that the recording stays alive while the enumerator does, and finds the samples afresh on every
// read because live sampling may grow them meanwhile.
class SampleEnumerator : public Tessel::RefCounted<Tessel::IEnumFloatEx> {
 public:
  SampleEnumerator(Tessel::Ref<Tessel::IUnknown> owner, const Recording* recording,
                   std::int32_t channel, TickPosition start, std::uint32_t maxCount);

  Status Next(std::uint32_t count, float* buffer, std::uint32_t* fetched) override;
  Status Skip(std::uint32_t count) override;
  Status GetCurrentPosition(TickPosition* position) override;

 private:
  std::uint64_t Available() const;
  const std::vector<float>* Samples() const;

  Tessel::Ref<Tessel::IUnknown> owner_;
  const Recording* recording_;
  std::int32_t channel_;
  std::uint32_t block_;
  std::uint64_t tick_;
  std::uint64_t limit_;  // one past the last tick this enumerator may read
};

}  // namespace Strata
