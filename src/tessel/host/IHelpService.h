#pragma once

#include <string_view>

#include "tessel/host/IUnknown.h"

namespace Tessel {

inline constexpr std::string_view kHelpFile = "TesselHelp.chm";

class IHelpService : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IHelpService";

  virtual Status ShowTopic(std::string_view helpFile, std::string_view topic) = 0;
};

}  // namespace Tessel
