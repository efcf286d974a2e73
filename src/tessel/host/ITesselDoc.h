#pragma once

#include <cstdint>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// What the keyboard hook and the host's commands reach a Tessel Document through.
class ITesselDoc : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "ITesselDoc";

  // 0xFFFF while the document holds any dose mark, else 0.
  virtual std::int32_t DocumentFlag() = 0;
  virtual Status MarkDose() = 0;
  virtual Status AddResponse() = 0;
  virtual std::uint32_t MarkDoseKey() = 0;
  virtual std::uint32_t AddResponseKey() = 0;
};

}  // namespace Tessel
