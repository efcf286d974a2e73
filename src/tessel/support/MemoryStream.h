#pragma once

#include <cstdint>
#include <limits>
#include <vector>

#include "tessel/host/IByteStream.h"
#include "tessel/host/RefCounted.h"

namespace Kor {

// A byte stream held in memory: what the host fills from its file before a load and writes to
// its file after a save. A capacity makes writes come up short once it is reached, the way a full
// disk does.
class MemoryStream : public Tessel::RefCounted<Tessel::IByteStream> {
 public:
  MemoryStream() = default;
  explicit MemoryStream(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }
  std::uint64_t Position() const { return position_; }
  void Rewind() { position_ = 0; }
  void SetCapacity(std::uint64_t capacity) { capacity_ = capacity; }

  Tessel::Status Read(void* buffer, std::uint32_t size, std::uint32_t* read) override;
  Tessel::Status Write(const void* buffer, std::uint32_t size, std::uint32_t* written) override;

 private:
  std::vector<std::uint8_t> bytes_;
  std::uint64_t position_ = 0;
  std::uint64_t capacity_ = std::numeric_limits<std::uint64_t>::max();
};

}  // namespace Kor
