#pragma once

#include <string>
#include <vector>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// The host's Data Pad: a sheet of rows the user collects values in.
class IDataPad : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IDataPad";

  virtual Status AddRow(const std::vector<std::string>& cells) = 0;
};

}  // namespace Tessel
