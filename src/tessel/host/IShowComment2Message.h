#pragma once

#include "tessel/host/IChartComment.h"
#include "tessel/host/IUnknown.h"

namespace Tessel {

// Asks the Chart View to scroll to a comment and show it.
class IShowComment2Message : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IShowComment2Message";

  virtual Status ShowComment(const CommentInfo& comment) = 0;
};

}  // namespace Tessel
