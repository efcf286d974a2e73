#pragma once

#include <cstdint>

#include "tessel/host/IChartData.h"
#include "tessel/host/IUnknown.h"
#include "tessel/host/Ref.h"
#include "tessel/host/TickPosition.h"

namespace Tessel {

// Channel index meaning no channel; -2 means all channels.
inline constexpr std::int32_t kNoChannel = -1;
inline constexpr std::int32_t kAllChannels = -2;

// The Chart View selection. An Active Point is a selection whose start equals its end.
struct ChartSelection {
  std::int32_t channel = kNoChannel;
  TickPosition start;
  TickPosition end;
  bool activePoint = false;
};

// The host's chart document that a Tessel Document is a child of. Also the way to the host's
// application services (shortcut keys, Data Pad, message boxes, ...): QueryService.
class IChartDocument : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IChartDocument";

  virtual Status GetData(IChartData** out) = 0;
  // kFalse when nothing is selected and there is no Active Point.
  virtual Status GetSelection(ChartSelection* selection) = 0;
  // kOk while the host is recording live, kFalse otherwise.
  virtual Status IsSampling() = 0;
  // Tells the host the document changed and needs saving.
  virtual Status SetModified() = 0;
  // A host service by interface; kFail when the host has none.
  virtual Status QueryService(InterfaceId iid, void** out) = 0;
};

template <class T>
Ref<T> QueryService(IChartDocument* doc) {
  void* p = nullptr;
  if (doc == nullptr || doc->QueryService(T::kIid, &p) != kOk || p == nullptr) {
    return {};
  }
  return Adopt(static_cast<T*>(p));
}

}  // namespace Tessel
