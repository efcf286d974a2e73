#pragma once

#include <cstdint>
#include <string_view>

#include "tessel/host/Status.h"

namespace Tessel {

// Interfaces are identified by name; an object answers Query for every interface it implements.
using InterfaceId = std::string_view;

// The base of every object shared across the host boundary: query, add reference, release.
class IUnknown {
 public:
  static constexpr InterfaceId kIid = "IUnknown";

  // On success stores the interface in *out with one reference added.
  virtual Status Query(InterfaceId iid, void** out) = 0;
  virtual std::uint32_t AddRef() = 0;
  virtual std::uint32_t Release() = 0;

 protected:
  virtual ~IUnknown() = default;
};

}  // namespace Tessel
