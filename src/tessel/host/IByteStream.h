#pragma once

#include <cstdint>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// The stream the host hands over when a document is saved or opened.
class IByteStream : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IByteStream";

  // kOk when all bytes were read; kFalse (with *read short) at the end of the stream.
  virtual Status Read(void* buffer, std::uint32_t size, std::uint32_t* read) = 0;
  virtual Status Write(const void* buffer, std::uint32_t size, std::uint32_t* written) = 0;
};

}  // namespace Tessel
