#pragma once

#include <cstdint>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// Event code with which the host tells child data that the recording it belongs to changed.
inline constexpr std::uint32_t kChildDataRecordingChanged = 0x10000000u;

// Data an extension keeps with the recording: the host stores it, copies it and notifies it.
class IChartDataChildData : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IChartDataChildData";

  // Upper 16 bits: the type number the host gave the class identifier; lower 16 bits zero.
  virtual Status GetChildDataType(std::uint32_t* type) = 0;
  virtual Status Clone(IChartDataChildData** out) = 0;
  virtual Status Prepare() = 0;
  virtual Status Export() = 0;
  virtual Status Notify(std::uint32_t event) = 0;
};

}  // namespace Tessel
