#pragma once

#include <cstdint>
#include <string_view>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// Gives each class identifier a 16-bit number, fixed while the host runs.
class ITypeRegistry : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "ITypeRegistry";

  virtual Status RegisterType(std::string_view classId, std::uint16_t* number) = 0;
};

}  // namespace Tessel
