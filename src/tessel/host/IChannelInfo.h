#pragma once

#include <cstdint>
#include <string>

#include "tessel/host/IUnknown.h"

namespace Tessel {

// Channel titles and units, and whether comments may be added in a channel.
class IChannelInfo : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IChannelInfo";

  virtual Status GetChannelCount(std::int32_t* count) = 0;
  virtual Status GetChannelTitle(std::int32_t channel, std::string* title) = 0;
  virtual Status GetChannelUnits(std::int32_t channel, std::int32_t block, std::string* units) = 0;
  // kOk when comments may be added in the channel, kFalse when not.
  virtual Status IsChannelUsable(std::int32_t channel) = 0;
};

}  // namespace Tessel
