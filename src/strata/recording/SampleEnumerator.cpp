#include "strata/recording/SampleEnumerator.h"

#include <algorithm>
#include <cstring>

namespace Strata {

SampleEnumerator::SampleEnumerator(Tessel::Ref<Tessel::IUnknown> owner, const Recording* recording,
                                   std::int32_t channel, TickPosition start, std::uint32_t maxCount)
    : owner_(std::move(owner)),
      recording_(recording),
      channel_(channel),
      block_(start.Block()),
      tick_(start.Tick()),
      limit_(static_cast<std::uint64_t>(start.Tick()) + maxCount) {}

const std::vector<float>* SampleEnumerator::Samples() const {
  const auto block = static_cast<std::int32_t>(block_);
  if (block >= recording_->BlockCount() || channel_ < 0 || channel_ >= recording_->ChannelCount()) {
    return nullptr;
  }
  return &recording_->BlockAt(block).samples[static_cast<size_t>(channel_)];
}

std::uint64_t SampleEnumerator::Available() const {
  const std::vector<float>* samples = Samples();
  if (samples == nullptr) {
    return 0;
  }
  const std::uint64_t end = std::min<std::uint64_t>(limit_, samples->size());
  return tick_ < end ? end - tick_ : 0;
}

Status SampleEnumerator::Next(std::uint32_t count, float* buffer, std::uint32_t* fetched) {
  if (buffer == nullptr && count > 0) {
    return Tessel::kFail;
  }
  const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(count, Available()));
  if (n > 0) {
    std::memcpy(buffer, Samples()->data() + tick_, n * sizeof(float));
  }
  tick_ += n;
  if (fetched != nullptr) {
    *fetched = n;
  }
  return n == count ? Tessel::kOk : Tessel::kFalse;
}

Status SampleEnumerator::Skip(std::uint32_t count) {
  const auto n = std::min<std::uint64_t>(count, Available());
  tick_ += n;
  return n == count ? Tessel::kOk : Tessel::kFalse;
}

Status SampleEnumerator::GetCurrentPosition(TickPosition* position) {
  if (position == nullptr) {
    return Tessel::kFail;
  }
  *position = TickPosition(block_, static_cast<std::uint32_t>(tick_));
  return Tessel::kOk;
}

}  // namespace Strata
