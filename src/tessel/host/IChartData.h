#pragma once

#include <cstdint>

#include "tessel/host/IChartDataChildData.h"
#include "tessel/host/IChartDataSource.h"
#include "tessel/host/IUnknown.h"

namespace Tessel {

// The recording of a chart document: its data source and the child data kept with it.
class IChartData : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IChartData";

  virtual Status GetDataSource(IChartDataSource** out) = 0;
  virtual Status GetBlockCount(std::int32_t* count) = 0;
  // kOk when any samples are recorded, kFalse when the recording is empty.
  virtual Status HasData() = 0;
  // The child data store, keyed by the child data type.
  virtual Status SetChildData(std::uint32_t type, IChartDataChildData* data) = 0;
  virtual Status GetChildData(std::uint32_t type, IChartDataChildData** out) = 0;
};

}  // namespace Tessel
