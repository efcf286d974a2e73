#include "tessel/support/MemoryStream.h"

#include <algorithm>
#include <cstring>

namespace Kor {

Tessel::Status MemoryStream::Read(void* buffer, std::uint32_t size, std::uint32_t* read) {
  const std::uint64_t available = position_ < bytes_.size() ? bytes_.size() - position_ : 0;
  const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, available));
  if (n > 0) {
    std::memcpy(buffer, bytes_.data() + position_, n);
  }
  position_ += n;
  if (read != nullptr) {
    *read = n;
  }
  return n == size ? Tessel::kOk : Tessel::kFalse;
}

Tessel::Status MemoryStream::Write(const void* buffer, std::uint32_t size, std::uint32_t* written) {
  const std::uint64_t room = position_ < capacity_ ? capacity_ - position_ : 0;
  const auto n = static_cast<std::uint32_t>(std::min<std::uint64_t>(size, room));
  if (position_ + n > bytes_.size()) {
    bytes_.resize(position_ + n);
  }
  if (n > 0) {
    std::memcpy(bytes_.data() + position_, buffer, n);
  }
  position_ += n;
  if (written != nullptr) {
    *written = n;
  }
  return n == size ? Tessel::kOk : Tessel::kFail;
}

}  // namespace Kor
