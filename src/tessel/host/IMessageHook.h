#pragma once

#include <vector>

#include "tessel/host/IChartComment.h"
#include "tessel/host/IUnknown.h"
#include "tessel/host/TickPosition.h"

namespace Tessel {

// How the host announces a change of the recorded data.
enum class DataChange {
  kBefore,     // about to change from the position; a failure status refuses the change
  kAfter,      // changed, and was announced before
  kAfterOnly,  // changed without an announcement before
};

// Notifications the host sends to a registered extension.
class IMessageHook : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IMessageHook";

  // A comment was edited in the Chart View: old still carries the old text.
  virtual Status OnCommentChanged(const CommentInfo& old, const std::string& newText) = 0;
  // Several comments were removed at once (the user deleted them, or a stretch of data went).
  virtual Status OnCommentsRemoved(const std::vector<CommentInfo>& comments) = 0;
  // The recorded data change from position on.
  virtual Status OnDataChange(DataChange when, TickPosition position) = 0;
  // The Chart View's selection or Active Point moved (or went).
  virtual Status OnSelectionChanged() = 0;
};

// Where an extension registers its message hook.
class IMessageService : public IUnknown {
 public:
  static constexpr InterfaceId kIid = "IMessageService";

  virtual Status RegisterHook(IMessageHook* hook) = 0;
  virtual Status UnregisterHook(IMessageHook* hook) = 0;
};

}  // namespace Tessel
